#include "TernovaDatabase.h"

#include "database/database.h"
#include "ternova_sql.h"

namespace quality {

std::string_view ternova_schema_sql() {
    return kTernovaSchemaSql;
}
std::string_view ternova_installation_sql() {
    return kTernovaInstallationSql;
}

std::filesystem::path create_ternova_database(const std::filesystem::path& folder,
                                              std::string_view supervisor_password,
                                              std::string_view site_data) {
    std::filesystem::path file = folder / kTernovaFileName;
    std::string script =
        std::string(ternova_schema_sql()) + "\n" + std::string(ternova_installation_sql()) + "\n" +
        "INSERT INTO SUPERVISORES (nombre, \"contraseña\") VALUES ('SUPERVISOR', " +
        db::quote(supervisor_password) + ");\n" + std::string(site_data) + "\n";
    db::Database::create_file(file, script);
    return file;
}

}  // namespace quality
