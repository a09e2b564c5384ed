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
// + ruta (title "Error en Archivo") and nothing else.
//
// All or nothing: the file's rows are one transaction. When the database
// fails or refuses a record (a full disk, a lock held by another program, a
// read-only file, a value it won't take) the import stops there and stores
// nothing of the file; one message, titled "Error de Importación", names the
// record's number in the file (or the file, when the store can't be opened or
// can't keep the rows) and gives the engine's reason, without the statement.
// A file that can't be read to its end stores nothing either ("No se puede
// leer el archivo ", title "Error en Archivo"). No closing message follows a
// failure.
//
// Returns the number of records stored.
long long importa_arch(const std::filesystem::path& ruta, RecordStore& store,
                       ImportReporter& reporter);

}  // namespace billing
