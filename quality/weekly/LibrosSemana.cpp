#include "LibrosSemana.h"

#include <system_error>

#include "ErrorArchivo.h"
#include "runtime/program_folder.h"

namespace quality {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPendientesSql = "SELECT temporal, final, listo FROM Libros_Pendientes";
constexpr const char* kRegistraSql =
    "INSERT OR REPLACE INTO Libros_Pendientes (temporal, final, listo) VALUES (?, ?, 0)";
constexpr const char* kMarcaSql = "UPDATE Libros_Pendientes SET listo = 1 WHERE temporal = ?";
constexpr const char* kBorraSql = "DELETE FROM Libros_Pendientes WHERE temporal = ?";

// Removes a temporary workbook with what the workbook writer of a killed
// save left beside it (its own temporary, the name and a suffix).
void quita_temporal(const fs::path& temporal) {
    std::error_code error;
    fs::remove(temporal, error);
    const std::string prefijo = temporal.filename().string() + ".";
    for (const auto& entrada : fs::directory_iterator(temporal.parent_path(), error)) {
        if (entrada.path().filename().string().starts_with(prefijo))
            fs::remove(entrada.path(), error);
    }
}

}  // namespace

void completa_pendientes(db::Database& conexion) noexcept {
    try {
        if (!conexion.has_table(kLibrosPendientes))
            return;
        // The write lock first: a run in progress elsewhere holds it, and its
        // workbooks are left alone.
        db::Transaction transaccion(conexion);
        struct Pendiente {
            std::string temporal, final;
            bool listo;
        };
        std::vector<Pendiente> pendientes;
        {
            db::Recordset rs = conexion.open_recordset(kPendientesSql, db::Cursor::Static);
            for (; !rs.eof(); rs.move_next())
                pendientes.push_back({rs[0].to_text(), rs[1].to_text(), rs[2].to_number() != 0});
        }
        for (const Pendiente& libro : pendientes) {
            std::error_code error;
            if (libro.listo && fs::exists(libro.temporal, error))
                fs::rename(libro.temporal, libro.final, error);
            else
                quita_temporal(libro.temporal);
            if (!fs::exists(libro.temporal, error))
                conexion.execute(kBorraSql, {libro.temporal});
        }
        transaccion.commit();
    } catch (const std::exception&) {
        // Left for the next start.
    }
}

void registra_libros(db::Database& conexion, const std::vector<LibroSemana>& libros) {
    db::Transaction transaccion(conexion);
    for (const LibroSemana& libro : libros)
        conexion.execute(kRegistraSql, {libro.temporal.string(), libro.final.string()});
    transaccion.commit();
}

void marca_listos(db::Database& conexion, const std::vector<LibroSemana>& libros) {
    for (const LibroSemana& libro : libros)
        conexion.execute(kMarcaSql, {libro.temporal.string()});
}

void pon_en_su_lugar(db::Database& conexion, const std::vector<LibroSemana>& libros) {
    for (const LibroSemana& libro : libros)
        fs::rename(libro.temporal, libro.final);
    db::Transaction transaccion(conexion);
    for (const LibroSemana& libro : libros)
        conexion.execute(kBorraSql, {libro.temporal.string()});
    transaccion.commit();
}

void descarta_libros(db::Database& conexion, const std::vector<LibroSemana>& libros) noexcept {
    for (const LibroSemana& libro : libros)
        quita_temporal(libro.temporal);
    try {
        db::Transaction transaccion(conexion);
        for (const LibroSemana& libro : libros)
            conexion.execute(kBorraSql, {libro.temporal.string()});
        transaccion.commit();
    } catch (const std::exception&) {
        // The next start removes the rows of workbooks that are gone.
    }
}

workbook::TemplateWorkbook abre_plantilla(const std::string& plantilla) {
    const fs::path archivo = runtime::program_file(plantilla);
    std::error_code error;
    if (!fs::is_regular_file(archivo, error))
        throw ErrorArchivo("No se encontró la plantilla " + archivo.string() + ".");
    try {
        return workbook::TemplateWorkbook::open(archivo);
    } catch (const workbook::WorkbookError& e) {
        throw ErrorArchivo("No se pudo abrir la plantilla " + archivo.string() + ": " + e.what());
    }
}

void guarda_libro(workbook::TemplateWorkbook& hoja, const fs::path& libro,
                  const std::string& nombre) {
    try {
        hoja.saveAs(libro, {.readOnlyRecommended = true});
    } catch (const workbook::WorkbookError& e) {
        throw ErrorArchivo("No se pudo guardar el libro " + nombre + ": " + e.what());
    }
}

}  // namespace quality
