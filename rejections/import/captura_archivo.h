#pragma once
// Entering a picked sample file and importing it, once: what the main
// window's "Importa Archivo" does after its file dialog.

#include <string>
#include <string_view>

#include "importa_muestras.h"

namespace rejections {

// The date a sample file's name gives, YY/MM/DD, from the last 12
// characters of its path: the year is the current one (anio_actual's last
// two digits); month and day are characters 5-6 and 7-8, or 4-5 and 6-7
// when character 8 is a suffix letter A to D (in either case).
std::string fecha_de_archivo(std::string_view ultimos12, int anio_actual);

// Enters the picked file in "Archivos Alta" and imports it, under the
// hourglass; returns the file's date as fecha_de_archivo gives it, empty when
// nothing was picked (an empty ruta_archivo: nothing happens).
//
// The file goes by the last 12 characters of its path, without a leading
// "/". A name already entered shows "Archivo ya capturado" and imports
// nothing. The entry and the file's rows are one transaction: the entry
// stays when the import ends or stops on a malformed sample, and goes with
// the rows when the database fails (any failure to make the entry but the
// duplicate name is one) or the file can't be read.
std::string captura_archivo(const ImportServices& services, const std::string& ruta_archivo);

}  // namespace rejections
