#pragma once
// SQLite files of riruzozs.mdb for the tests and benchmarks: made from the
// schema kept in the repository, opened with foreign keys on.

#include <sqlite3.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rejections::testing {

// One prepared statement; finalized when it goes.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return statement_; }

private:
    sqlite3_stmt* statement_ = nullptr;
};

// A row of a query's result, each value as text (Null as nullopt).
using ResultRow = std::vector<std::optional<std::string>>;

class SqliteDb {
public:
    // Opens (creating when missing) the database file, foreign keys on.
    // Throws std::runtime_error with SQLite's message on failure.
    explicit SqliteDb(const std::filesystem::path& file);
    ~SqliteDb();
    SqliteDb(const SqliteDb&) = delete;
    SqliteDb& operator=(const SqliteDb&) = delete;

    sqlite3* get() const { return db_; }

    // Runs statements that return nothing; throws std::runtime_error naming
    // SQLite's message when one fails.
    void exec(const std::string& sql);
    // The rows of a query and the names of its columns.
    std::vector<ResultRow> query(const std::string& sql);
    std::vector<std::string> column_names(const std::string& sql);
    // The first value of a query's first row, as a number.
    long long scalar(const std::string& sql);

private:
    sqlite3* db_ = nullptr;
};

// The schema of riruzozs.mdb, as kept in the repository.
std::string riruzozs_schema_sql();

// Creates the database file from the schema (the file must not exist) and
// returns it open.
std::unique_ptr<SqliteDb> create_riruzozs_db(const std::filesystem::path& file);

}  // namespace rejections::testing
