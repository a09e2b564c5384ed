#pragma once
// The program-wide state of riruzoz: the workspace and the database
// riruzozs.mdb in the program folder, opened when the main window loads and
// closed when it unloads, and the delete command's work on the same file.

#include <filesystem>
#include <string>

#include "database/database.h"
#include "posicion.h"

namespace rejections {

// The workspace the database is opened in, as the user "admin".
struct Workspace {
    std::string usuario;
    bool abierto = false;
    void Close() { abierto = false; }
};

// Opened by abre_base, closed by cierra_base.
extern Workspace espacio_trabajo;
extern db::Database base_datos;

// Opening and closing the database.

// riruzozs.mdb in the program folder.
std::filesystem::path archivo_base();

// Opens the workspace and riruzozs.mdb in it. Throws db::Error, whose text
// names the file, when the file is missing, unreadable, no database or not
// riruzoz's (a zero-byte file, a file without its tables); a missing file is
// never made in its place.
void abre_base();

// Closes base_datos and then espacio_trabajo; closing twice does nothing.
void cierra_base();

// Deleting the stored samples.

// Runs the saved action query "Borra Riruzozs" on riruzozs.mdb, opened a
// second time for it, in one transaction, and returns how many rows it
// affected: the count of sample files whose rows went. Throws db::Error.
long borra_riruzozs();

// The message that tells the count of a delete: "archivo" for 0 and 1,
// "archivos" above.
std::string mensaje_borrado(long archivos);

}  // namespace rejections
