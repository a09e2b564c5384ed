#pragma once
// The import of a sample file into "Riruzozs alta".
//
// A sample file lists, central by central, samples of rejected billing
// records and then the detail records they belong to, in Collection and
// Rating blocks. Every detail record becomes one row, enriched with the
// duration figure of the sample it matches.

#include <filesystem>
#include <string>

#include "import_ui.h"
#include "sample_store.h"

namespace rejections {

// What an import works with: its store, its messages and pointer, and the
// current year (from the clock), whose last two digits date the blocks.
struct ImportServices {
    SampleStore& store;
    ImportMessages& messages;
    WaitPointer& pointer;
    int anio_actual;
};

// Imports the sample file at ruta, entered in "Archivos Alta" as nombre
// (the bare file name, which also dates the rows), inside the import's
// transaction, which the caller began with the file's row and which this
// ends. Messages tell the user of every problem on the way and, at the end,
// how many rows were stored; a refused row keeps its message and is not
// counted. The rows stored stay stored, with the file's row, also when the
// import stops early (more detail records than samples can be held, or a
// block of an unknown month). A failure of the database itself (a full disk,
// a lock, a read-only file, an I/O error) or a file that can't be read stops
// the import at once and leaves nothing of the file, its row in "Archivos
// Alta" included. On every path the file is closed and the pointer is the
// default again.
void importa_muestras(const ImportServices& services, const std::filesystem::path& ruta,
                      const std::string& nombre);

// The one message of an import the database failed: "Error en Archivo",
// naming the file and giving the engine's reason.
void muestra_falla_de_base(ImportMessages& messages, const std::string& ruta,
                           const StoreError& error);

}  // namespace rejections
