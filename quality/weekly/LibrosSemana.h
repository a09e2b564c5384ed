#pragma once
// The week's two workbooks between their writing and their names. A run
// writes each workbook under a temporary name in the report's folder; the
// names take their place only once the week is stored. So that a kill at any
// moment leaves the week either wholly there or wholly absent, the database
// keeps a row per workbook in Libros_Pendientes:
//
//   registra_libros    before the week's transaction: the rows, not ready
//                      (`listo` 0), in a transaction of their own;
//   marca_listos       inside the week's transaction: the rows ready, so
//                      that they are stored with the week or not at all;
//   pon_en_su_lugar    after the commit: each workbook takes its name, then
//                      the rows go.
//
// completa_pendientes, at the start of the program and of every run, ends
// what a kill left: a ready workbook takes its name, one not ready (its week
// was never stored) is removed, and the rows go.

#include <filesystem>
#include <string>
#include <vector>

#include "database/database.h"
#include "template_workbook.h"

namespace quality {

inline constexpr const char* kLibrosPendientes = "Libros_Pendientes";
// The table, for a database made before it was in the schema.
inline constexpr const char* kLibrosPendientesSql =
    "CREATE TABLE IF NOT EXISTS Libros_Pendientes (temporal TEXT PRIMARY KEY,"
    " final TEXT NOT NULL, listo INTEGER NOT NULL DEFAULT 0);";

struct LibroSemana {
    std::filesystem::path temporal, final;
};

// Completes or discards the workbooks of runs that ended without doing so.
// Never throws: a database another program holds for writing (a run of its
// own) is left alone and the next start tries again.
void completa_pendientes(db::Database& conexion) noexcept;

// The rows of the run's workbooks, not ready, committed on their own.
void registra_libros(db::Database& conexion, const std::vector<LibroSemana>& libros);
// The rows ready; called inside the week's transaction.
void marca_listos(db::Database& conexion, const std::vector<LibroSemana>& libros);
// Each workbook takes its final name (replacing one there), then the rows
// go. Throws std::filesystem::filesystem_error when a name can't be given;
// the rows then stay for the next start.
void pon_en_su_lugar(db::Database& conexion, const std::vector<LibroSemana>& libros);
// A run that failed: its temporary workbooks are removed and its rows go.
// Never throws.
void descarta_libros(db::Database& conexion, const std::vector<LibroSemana>& libros) noexcept;

// A template of the program folder, opened; ErrorArchivo names a missing one.
workbook::TemplateWorkbook abre_plantilla(const std::string& plantilla);
// Saves the workbook at `libro`; ErrorArchivo says which workbook could not
// be saved and why.
void guarda_libro(workbook::TemplateWorkbook& hoja, const std::filesystem::path& libro,
                  const std::string& nombre);

}  // namespace quality
