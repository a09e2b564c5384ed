#include "FacturaDatabase.h"

#include "database/database.h"
#include "factura_sql.h"

#include <string>

namespace billing {

std::string_view factura_schema_sql() {
    return kFacturaSchemaSql;
}

std::filesystem::path create_factura_database(const std::filesystem::path& folder) {
    std::filesystem::path file = folder / kFacturaFileName;
    db::Database::create_file(file, factura_schema_sql());
    return file;
}

long empty_store(db::Database& database) {
    return database.execute(std::string("DELETE FROM [") + kStoreName + "]");
}

}  // namespace billing
