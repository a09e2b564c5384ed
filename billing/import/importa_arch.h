#pragma once
// The import of one billing file, the main window's "&Importa Archivo".

#include <filesystem>

#include "import_reporter.h"
#include "record_store.h"

namespace billing {

// Imports the billing file at ruta, appending one row to the store for each
// complete record, and closes with "Se capturaron " + the count of records
// stored (with a leading blank for the sign) + " registros ", titled "Fin de
// importación". A record whose digits end with the file is not stored.
//
// A file that can't be opened: the message "No se puede abrir el archivo "
// + ruta (title "Error en Archivo") and nothing else. A record the store
// refuses stops the import with a message naming the record's number in the
// file (title "Error de Importación"); a file that can't be read to its end
// stops it with a message naming the file. Either way the rows stored until
// then stay and the closing message counts them. A store that can't be
// opened or can't keep its rows: "Error: " + the engine's number and text,
// under the program's title, and no closing message.
//
// Returns the number of records stored.
long long importa_arch(const std::filesystem::path& ruta, RecordStore& store,
                       ImportReporter& reporter);

}  // namespace billing
