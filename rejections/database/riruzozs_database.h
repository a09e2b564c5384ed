#pragma once
// Making riruzozs.mdb: the schema kept as SQL in the repository, and the
// centrals loaded from a CSV file.

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "database/database.h"

namespace rejections {

// The name of the database file in the program folder.
inline constexpr const char* kRiruzozsFile = "riruzozs.mdb";

// Creates FOLDER/riruzozs.mdb from the schema. Throws db::Error when the
// file exists already or can't be made.
void create_riruzozs_file(const std::filesystem::path& file);

// A centrals file that can't be read or holds a line that is no central.
class CentralesError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Loads the centrals of a CSV file into "Centrales", all or none: one central
// a line, "codigo_clli,Central,Tipo,División" (the last three may be empty;
// a field in double quotes may hold commas, a doubled quote stands for one).
// A first line whose first field is "codigo_clli" is a heading and skipped;
// empty lines are skipped. The file is UTF-8. Returns how many centrals were
// loaded. Throws CentralesError naming the file and line, or db::Error.
std::size_t load_centrales(db::Database& database, const std::filesystem::path& csv);

}  // namespace rejections
