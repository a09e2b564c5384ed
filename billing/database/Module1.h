#pragma once
// Zovavidevir's program-wide database: factura.mdb in the program folder,
// opened when the main window loads and closed when it unloads. Every
// database use of the program goes through it, but the delete command,
// which opens the file by itself.

#include <filesystem>

#include "database/database.h"

namespace billing {

struct Module1 {
    // The old workspace and the database opened on it are one connection here.
    db::Database base_datos;

    // The program folder's factura.mdb.
    static std::filesystem::path archivo_base();

    // Opens archivo_base() into base_datos. Throws db::Error, naming the file,
    // when it is missing, unreadable, no database or not Zovavidevir's (a
    // zero-byte file, a file without its record store).
    void abre_base();
    // Closes base_datos (the old database, then the workspace).
    void cierra_base();
};

}  // namespace billing
