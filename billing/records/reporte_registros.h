#pragma once
// The workbook report of the billing records: every record stored in prueba,
// whatever the filter shows, under the 38 headers of the record layout, in
// a new workbook of one sheet saved in the program folder.

#include <array>
#include <filesystem>
#include <string>

#include "runtime/date_serial.h"

namespace db {
class Database;
}

namespace billing {

// The report's file name in the program folder.
inline constexpr const char* kArchivoReporte = "Registros de Facturación.xls";

// The headers of the columns, fields 1 to 38 of a record.
extern const std::array<const char*, 38> kEncabezados;

// The sheet's name on a day: "Registros Facturación" and the day as
// yyyy.mm.dd ("Registros Facturación2026.12.09").
std::string nombre_hoja(runtime::DateSerial dia);

// Writes the report of the records of `base` into `archivo`, replacing an
// earlier file only once the new one is complete; returns the records
// written. The header row comes first, in bold at 12 points, then a row per
// record, texts as texts and numbers as numbers; every cell has its borders
// and stands centred, the columns as wide as their contents. Throws db::Error
// when the records can't be read and workbook::WorkbookError when the file
// can't be written.
long escribe_reporte(db::Database& base, const std::filesystem::path& archivo,
                     runtime::DateSerial dia);

}  // namespace billing
