#include "Module1.h"

#include "riruzozs_database.h"
#include "runtime/program_folder.h"

namespace rejections {

namespace {
constexpr const char* kBorraRiruzozs = "Borra Riruzozs";
}

Workspace espacio_trabajo;
db::Database base_datos;

std::filesystem::path archivo_base() {
    return runtime::program_file(kRiruzozsFile);
}

void abre_base() {
    espacio_trabajo = Workspace{"admin", true};
    base_datos.open(archivo_base());
    // A file that opens but holds none of these (a zero-byte file) is not ours.
    db::require_tables(base_datos, {"Archivos Alta", "Riruzozs alta", "Centrales"}, "riruzoz");
}

void cierra_base() {
    base_datos.close();
    espacio_trabajo.Close();
}

long borra_riruzozs() {
    db::Database base(archivo_base());
    db::Transaction transaction(base);
    const long archivos = base.execute(kBorraRiruzozs);
    transaction.commit();
    return archivos;
}

std::string mensaje_borrado(long archivos) {
    return "Se borraron registros de facturación de " + std::to_string(archivos) + " archivo" +
           (archivos > 1 ? "s" : "") + " muestra.";
}

}  // namespace rejections
