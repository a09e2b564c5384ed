#include "riruzozs_database.h"

#include <fstream>
#include <vector>

#include "riruzozs_sql.h"

namespace rejections {

namespace {

constexpr const char* kInsertCentral = "INSERT INTO Centrales VALUES (?, ?, ?, ?)";
constexpr std::size_t kCentralFields = 4;

// The fields of one CSV line; false when a quote is left open.
bool split_csv(const std::string& line, std::vector<std::string>& fields) {
    fields.assign(1, {});
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return !quoted;
}

runtime::Value text_or_null(const std::string& field) {
    return field.empty() ? runtime::Value() : runtime::Value(field);
}

}  // namespace

void create_riruzozs_file(const std::filesystem::path& file) {
    db::Database::create_file(file, kRiruzozsSchemaSql);
}

std::size_t load_centrales(db::Database& database, const std::filesystem::path& csv) {
    std::ifstream in(csv, std::ios::binary);
    if (!in)
        throw CentralesError("can't read the centrals file " + csv.string());
    db::Transaction transaction(database);
    std::size_t loaded = 0;
    std::vector<std::string> fields;
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        const std::string where = csv.string() + ", line " + std::to_string(number);
        if (!split_csv(line, fields) || fields.size() > kCentralFields)
            throw CentralesError(where + ": not a central (codigo_clli,Central,Tipo,División)");
        if (number == 1 && fields[0] == "codigo_clli")
            continue;
        if (fields[0].empty())
            throw CentralesError(where + ": a central needs its CLLI code");
        fields.resize(kCentralFields);
        try {
            database.execute(kInsertCentral, {fields[0], text_or_null(fields[1]),
                                              text_or_null(fields[2]), text_or_null(fields[3])});
        } catch (const db::Error& error) {
            throw db::Error(error.number(), where + ": " + error.what());
        }
        ++loaded;
    }
    if (in.bad())
        throw CentralesError("can't read the centrals file " + csv.string());
    transaction.commit();
    return loaded;
}

}  // namespace rejections
