#include "statement.h"

#include <sqlite3.h>

#include <utility>

#include "database_error.h"
#include "runtime/strings.h"

namespace db {

Statement::Statement(sqlite3* handle, std::string_view sql) : handle_(handle), sql_(sql) {
    int rc = sqlite3_prepare_v3(handle, sql_.data(), static_cast<int>(sql_.size()),
                                SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        throw_sqlite_error(handle, rc, sql_);
    }
    if (!stmt_)
        throw Error(kGeneralError, "La instrucción está vacía: " + sql_);
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement::Statement(Statement&& other) noexcept
    : handle_(other.handle_),
      stmt_(std::exchange(other.stmt_, nullptr)),
      sql_(std::move(other.sql_)),
      declared_(std::move(other.declared_)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        handle_ = other.handle_;
        stmt_ = std::exchange(other.stmt_, nullptr);
        sql_ = std::move(other.sql_);
        declared_ = std::move(other.declared_);
    }
    return *this;
}

void Statement::bind(int index, const runtime::Value& value) {
    using Kind = runtime::Value::Kind;
    int rc = SQLITE_OK;
    switch (value.kind()) {
        case Kind::Null:
            rc = sqlite3_bind_null(stmt_, index);
            break;
        case Kind::Text: {
            const std::string& t = value.text();
            // The value outlives the step that reads it: callers bind, step, then reset.
            rc = sqlite3_bind_text(stmt_, index, t.data(), static_cast<int>(t.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        case Kind::Integer:
            rc = sqlite3_bind_int64(stmt_, index, value.integer());
            break;
        case Kind::Double:
            rc = sqlite3_bind_double(stmt_, index, value.real());
            break;
        case Kind::Date:
            rc = sqlite3_bind_double(stmt_, index, value.date_serial());
            break;
        case Kind::Boolean:
            rc = sqlite3_bind_int(stmt_, index, value.truth() ? 1 : 0);
            break;
    }
    if (rc != SQLITE_OK)
        throw_sqlite_error(handle_, rc, sql_);
}

void Statement::bind_all(const Params& params) {
    int expected = sqlite3_bind_parameter_count(stmt_);
    if (expected != static_cast<int>(params.size()))
        throw Error(kGeneralError, "La instrucción espera " + std::to_string(expected) +
                                       " parámetros y recibió " + std::to_string(params.size()) +
                                       ": " + sql_);
    for (int i = 0; i < expected; ++i)
        bind(i + 1, params[i]);
}

bool Statement::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    throw_sqlite_error(handle_, rc, sql_);
}

void Statement::reset() {
    sqlite3_reset(stmt_);
}
void Statement::clear_bindings() {
    sqlite3_clear_bindings(stmt_);
}

int Statement::column_count() const {
    return sqlite3_column_count(stmt_);
}

std::string Statement::column_name(int column) const {
    const char* name = sqlite3_column_name(stmt_, column);
    return name ? name : "";
}

void Statement::learn_declared_types() const {
    int n = column_count();
    declared_.assign(n, Declared::Plain);
    for (int i = 0; i < n; ++i) {
        const char* type = sqlite3_column_decltype(stmt_, i);
        if (!type)
            continue;
        std::string t = runtime::ucase(type);
        if (t.find("DATE") != std::string::npos || t.find("TIME") != std::string::npos)
            declared_[i] = Declared::Date;
        else if (t.find("BOOL") != std::string::npos || t == "BIT" || t == "YESNO")
            declared_[i] = Declared::Boolean;
    }
}

runtime::Value Statement::column(int column) const {
    if (declared_.empty() && column_count() > 0)
        learn_declared_types();
    switch (sqlite3_column_type(stmt_, column)) {
        case SQLITE_NULL:
            return {};
        case SQLITE_INTEGER: {
            long long n = sqlite3_column_int64(stmt_, column);
            if (declared_[column] == Declared::Boolean)
                return runtime::Value(n != 0);
            if (declared_[column] == Declared::Date)
                return runtime::Value::date(static_cast<double>(n));
            return runtime::Value(n);
        }
        case SQLITE_FLOAT: {
            double d = sqlite3_column_double(stmt_, column);
            if (declared_[column] == Declared::Date)
                return runtime::Value::date(d);
            return runtime::Value(d);
        }
        default: {
            const char* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
            int bytes = sqlite3_column_bytes(stmt_, column);
            return runtime::Value(std::string(t ? t : "", bytes));
        }
    }
}

std::string Statement::origin_table(int column) const {
    const char* name = sqlite3_column_table_name(stmt_, column);
    return name ? name : "";
}

std::string Statement::origin_column(int column) const {
    const char* name = sqlite3_column_origin_name(stmt_, column);
    return name ? name : "";
}

}  // namespace db
