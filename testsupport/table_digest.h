#pragma once
// The state of a database file's tables as one number, for the tests that
// compare a database before and after a killed run: every row of each table
// in rowid order, every column as text. Opening the file as a program would
// rolls back what a killed writer left in its journal.

#include <sqlite3.h>

#include <filesystem>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "kill_run.h"

namespace testsupport {

inline std::uint64_t table_digest(const std::filesystem::path& file,
                                  std::initializer_list<const char*> tables) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("can't open " + file.string());
    }
    Digest digest;
    for (const char* table : tables) {
        digest.add(table);
        const std::string sql = std::string("SELECT * FROM \"") + table + "\" ORDER BY rowid";
        sqlite3_stmt* rows = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &rows, nullptr) != SQLITE_OK) {
            const std::string message = sqlite3_errmsg(db);
            sqlite3_close(db);
            throw std::runtime_error(message);
        }
        while (sqlite3_step(rows) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(rows); ++i) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(rows, i));
                digest.add(text ? text : "<null>");
            }
        }
        sqlite3_finalize(rows);
    }
    sqlite3_close(db);
    return digest.value();
}

}  // namespace testsupport
