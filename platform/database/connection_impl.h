#pragma once
// Inside the database layer: the open connection that a Database and its
// recordsets share, with its cache of prepared statements. Not part of the
// interface; programs use database.h and recordset.h.

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "file_lock.h"
#include "statement.h"

struct sqlite3;

namespace db {

class RecordsetImpl;
struct Connection;

// A statement taken from the connection's cache; goes back to it, reset and
// unbound, when this handle is destroyed.
class PooledStatement {
public:
    PooledStatement() = default;
    PooledStatement(Connection* connection, std::string key, std::unique_ptr<Statement> statement)
        : connection_(connection), key_(std::move(key)), statement_(std::move(statement)) {}
    ~PooledStatement() { release(); }
    PooledStatement(PooledStatement&& other) noexcept = default;
    PooledStatement& operator=(PooledStatement&& other) noexcept {
        if (this != &other) {
            release();
            connection_ = other.connection_;
            key_ = std::move(other.key_);
            statement_ = std::move(other.statement_);
        }
        return *this;
    }

    Statement& operator*() const { return *statement_; }
    Statement* operator->() const { return statement_.get(); }
    explicit operator bool() const { return statement_ != nullptr; }
    void release() noexcept;

private:
    Connection* connection_ = nullptr;
    std::string key_;
    std::unique_ptr<Statement> statement_;
};

struct Connection {
    sqlite3* handle = nullptr;
    std::filesystem::path file;
    std::unique_ptr<SharedFileLock> lock;  // tells compaction the file is in use

    // Prepared statements by SQLite text, idle ones ready to be taken again.
    std::unordered_map<std::string, std::vector<std::unique_ptr<Statement>>> idle;
    // Old-dialect texts already translated.
    std::unordered_map<std::string, std::string> translations;
    // Recordsets open on this connection, closed with it.
    std::set<RecordsetImpl*> recordsets;
    int transaction_depth = 0;

    ~Connection();
    // A statement for a text already in SQLite's dialect.
    PooledStatement prepare(const std::string& sqlite_sql);
    // A statement for a text of the old dialect (translated once, then cached).
    PooledStatement prepare_old(std::string_view old_sql);
    const std::string& translated(std::string_view old_sql);
    // Closes the recordsets, finalizes the statements, closes the handle and
    // drops the lock. Safe to call twice.
    void close() noexcept;
    void check_open() const;
};

// The name of the table or view ("table", "view") as the schema spells it,
// found blind to case; "" when there is none.
std::string schema_name(Connection& connection, std::string_view name, const char* type);

// Runs a "DELETE FROM t" without WHERE at once where SQLite would delete row
// by row for the tables that refer to t; the count of t's rows deleted, or
// nothing when the statement is no such one (see database.cpp).
std::optional<long> empty_at_once(Connection& connection, const std::string& sql);

// The SQLite statement a recordset source stands for: a table or a saved
// query by its name ("SELECT * FROM" it), or a statement of the old dialect
// translated.
std::string source_statement(Connection& connection, std::string_view source);

// Opens a SQLite connection to an existing file with the dialect registered,
// foreign keys on, journal mode DELETE and the busy timeout. Throws db::Error
// naming the file.
sqlite3* open_sqlite_file(const std::filesystem::path& file, int busy_timeout_ms, bool read_only);

}  // namespace db
