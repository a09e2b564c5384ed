#pragma once
// One prepared SQLite statement: the RAII owner of a sqlite3_stmt, with
// values bound and read as the runtime's values. The connection and the
// recordsets are built on it; programs use Database and Recordset instead.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/value.h"
#include "sql_text.h"

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Statement {
public:
    // Prepares `sql` (already in SQLite's dialect) on the connection; throws
    // db::Error naming the statement when SQLite refuses it.
    Statement(sqlite3* handle, std::string_view sql);
    ~Statement();  // finalizes; never throws
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;

    // Binding.

    // Binds one value to the 1-based parameter `index`: Null, text, whole
    // number, number, a date as its serial, a truth value as 1 or 0.
    void bind(int index, const runtime::Value& value);
    // Binds the parameters in order; too few or too many raise kGeneralError.
    void bind_all(const Params& params);

    // Running.

    // Runs to the next row: true when a row is there, false when done.
    // Failures raise db::Error (kDuplicateKey, kRelatedRecordRequired ...).
    bool step();
    // Makes the statement ready to run again, bindings kept or cleared.
    void reset();
    void clear_bindings();

    // Reading the row.

    int column_count() const;
    std::string column_name(int column) const;
    // The column's value: Null, text, whole number or number; a number in a
    // column declared as a date (DATE, DATETIME, TIME) comes back as a date,
    // one declared BOOLEAN, BIT or YESNO as a truth value.
    runtime::Value column(int column) const;
    // The table and column a result column comes from ("" for an expression).
    std::string origin_table(int column) const;
    std::string origin_column(int column) const;

    sqlite3_stmt* get() const { return stmt_; }
    const std::string& sql() const { return sql_; }

private:
    enum class Declared { Plain, Date, Boolean };
    void learn_declared_types() const;

    sqlite3* handle_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
    mutable std::vector<Declared> declared_;
};

}  // namespace db
