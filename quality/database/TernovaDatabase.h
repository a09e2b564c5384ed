#pragma once
// Making Ternova.mdb: the schema and installation data kept in
// quality/database/, built into the program. The tool ternova-newdb and the
// tests make their databases with it; the program itself never does.

#include <filesystem>
#include <string_view>

namespace quality {

// The file name of the quality database in its folder.
inline constexpr const char* kTernovaFileName = "Ternova.mdb";

// The schema (every table and saved query) and the installation data, as SQL.
std::string_view ternova_schema_sql();
std::string_view ternova_installation_sql();

// Creates folder/Ternova.mdb from the schema with the installation data, the
// supervisor SUPERVISOR holding `supervisor_password` and then `site_data`,
// the site's own rows (technicians, other supervisors) as SQLite statements.
// Throws db::Error when the file exists, the folder cannot take it or a
// statement fails; nothing is left behind then. Returns the new file's path.
std::filesystem::path create_ternova_database(const std::filesystem::path& folder,
                                              std::string_view supervisor_password,
                                              std::string_view site_data = {});

}  // namespace quality
