#pragma once
// factura.mdb: the detailed billing records of the calls, in the program
// folder. Its schema is kept in billing/database/factura.sql and built into
// the program; the tool zovavidevir-newdb and the tests make the files, the
// program itself never does.

#include <filesystem>
#include <string_view>

#include "database/database.h"

namespace billing {

// The file name of the billing database in the program folder.
inline constexpr const char* kFacturaFileName = "factura.mdb";

// The store the import appends to, and the view over the same rows that the
// grid, the filter and the report read and the delete command empties.
inline constexpr const char* kStoreName = "Facturación Detallada";
inline constexpr const char* kPruebaName = "prueba";

// Empties the store, as the delete command's "DELETE * FROM PRUEBA" does:
// prueba shows every row of the store once, so deleting all its rows is
// deleting all the store's rows, which the engine does at once (through
// prueba's trigger it would look up and delete one row at a time). Returns
// the rows deleted. Raises db::Error.
long empty_store(db::Database& database);

// The schema (the store, prueba and its delete trigger) as SQL.
std::string_view factura_schema_sql();

// Creates folder/factura.mdb from the schema, with no rows. Throws db::Error
// when the file exists or the folder cannot take it; nothing is left behind
// then. Returns the new file's path.
std::filesystem::path create_factura_database(const std::filesystem::path& folder);

}  // namespace billing
