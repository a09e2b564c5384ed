#include "Module1.h"

#include "FacturaDatabase.h"
#include "runtime/program_folder.h"

namespace billing {

std::filesystem::path Module1::archivo_base() {
    return runtime::program_file(kFacturaFileName);
}

void Module1::abre_base() {
    base_datos.open(archivo_base());
    // A file that opens but holds no record store (a zero-byte file) is not ours.
    try {
        db::require_tables(base_datos, {kStoreName, "prueba"}, "Zovavidevir");
    } catch (const db::Error&) {
        base_datos.close();
        throw;
    }
}

void Module1::cierra_base() {
    base_datos.close();
}

}  // namespace billing
