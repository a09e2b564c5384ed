// Inserting rows through a recordset (AddNew, 38 fields set, Update) against
// a bare prepared SQLite insert of the same rows, each in one transaction,
// into a fresh table of 38 text columns. Prints both rates and their ratio.
//
//   recordset_insert_bench [ROWS]     (1,000,000 rows by default)

#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "database/database.h"

namespace {

constexpr int kColumns = 38;

std::string schema(const char* table) {
    std::string sql = std::string("CREATE TABLE ") + table + " (";
    for (int c = 0; c < kColumns; ++c)
        sql += (c ? ", " : "") + std::string("f") + std::to_string(c + 1) + " TEXT";
    return sql + ");";
}

// The text of field `column` of row `row`: short hex-like values, as an import stores.
void fill_row(long row, std::vector<std::string>& fields) {
    for (int c = 0; c < kColumns; ++c) {
        char text[24];
        std::snprintf(text, sizeof text, "%02X%08lX", c, row * 2654435761UL % 0xFFFFFFFF);
        fields[c] = text;
    }
}

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double through_recordset(const std::filesystem::path& file, long rows) {
    db::Database database(file);
    std::vector<std::string> fields(kColumns);
    auto start = std::chrono::steady_clock::now();
    db::Transaction transaction(database);
    db::Recordset rs = database.open_recordset("por_recordset");
    for (long r = 0; r < rows; ++r) {
        fill_row(r, fields);
        rs.add_new();
        for (int c = 0; c < kColumns; ++c)
            rs.set(c, runtime::Value(std::move(fields[c])));
        rs.update();
    }
    rs.close();
    transaction.commit();
    return seconds_since(start);
}

double bare_sqlite(const std::filesystem::path& file, long rows) {
    sqlite3* handle = nullptr;
    sqlite3_open_v2(file.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr);
    std::string sql = "INSERT INTO bare (";
    std::string marks;
    for (int c = 0; c < kColumns; ++c) {
        sql += (c ? ", f" : "f") + std::to_string(c + 1);
        marks += c ? ", ?" : "?";
    }
    sql += ") VALUES (" + marks + ")";
    std::vector<std::string> fields(kColumns);
    auto start = std::chrono::steady_clock::now();
    sqlite3_exec(handle, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(handle, sql.c_str(), -1, &insert, nullptr);
    for (long r = 0; r < rows; ++r) {
        fill_row(r, fields);
        for (int c = 0; c < kColumns; ++c)
            sqlite3_bind_text(insert, c + 1, fields[c].data(), static_cast<int>(fields[c].size()),
                              SQLITE_TRANSIENT);
        if (sqlite3_step(insert) != SQLITE_DONE) {
            std::fprintf(stderr, "bare insert failed: %s\n", sqlite3_errmsg(handle));
            std::exit(1);
        }
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(handle, "COMMIT", nullptr, nullptr, nullptr);
    double elapsed = seconds_since(start);
    sqlite3_close(handle);
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("recordset_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::path file = folder / "bench.mdb";
    db::Database::create_file(file, schema("por_recordset") + schema("bare"));

    double bare = bare_sqlite(file, rows);
    double recordset = through_recordset(file, rows);
    double bare_rate = rows / bare, recordset_rate = rows / recordset;
    std::printf("rows: %ld, %d text columns, one transaction each\n", rows, kColumns);
    std::printf("bare prepared insert:  %10.0f rows/s (%.2f s)\n", bare_rate, bare);
    std::printf("AddNew/Update:         %10.0f rows/s (%.2f s)\n", recordset_rate, recordset);
    std::printf("ratio recordset/bare:  %.2f\n", recordset_rate / bare_rate);
    std::filesystem::remove_all(folder);
    return recordset_rate >= bare_rate / 2 ? 0 : 1;
}
