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
// (the bare file name, which also dates the rows). Messages tell the user of
// every problem on the way and, at the end, how many rows were stored; a
// refused row keeps its message and is not counted. The rows stored stay
// stored also when the import stops early (more detail records than samples
// can be held, or a block of an unknown month). On every path the file is
// closed and the pointer is the default again.
void importa_muestras(const ImportServices& services, const std::filesystem::path& ruta,
                      const std::string& nombre);

}  // namespace rejections
