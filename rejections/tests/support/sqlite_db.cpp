#include "sqlite_db.h"

#include "database/sql_dialect.h"

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace rejections::testing {

Statement::Statement(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement_, nullptr) !=
        SQLITE_OK) {
        throw std::runtime_error("prepare failed: " + std::string(sqlite3_errmsg(db)) + ": " + sql);
    }
}

Statement::~Statement() {
    sqlite3_finalize(statement_);
}

Statement::Statement(Statement&& other) noexcept : statement_(other.statement_) {
    other.statement_ = nullptr;
}

SqliteDb::SqliteDb(const std::filesystem::path& file) {
    if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db_);
        sqlite3_close(db_);
        throw std::runtime_error("can't open " + file.string() + ": " + message);
    }
    sqlite3_extended_result_codes(db_, 1);
    db::register_dialect(db_);  // the schema's CASEBLIND collation
    exec("PRAGMA foreign_keys = ON");
}

SqliteDb::~SqliteDb() {
    sqlite3_close(db_);
}

void SqliteDb::exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(message + ": " + sql);
    }
}

std::vector<ResultRow> SqliteDb::query(const std::string& sql) {
    Statement statement(db_, sql);
    std::vector<ResultRow> rows;
    int rc;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        ResultRow row;
        for (int i = 0; i < sqlite3_column_count(statement.get()); ++i) {
            const auto* text = sqlite3_column_text(statement.get(), i);
            if (text) {
                row.emplace_back(reinterpret_cast<const char*>(text));
            } else {
                row.emplace_back(std::nullopt);
            }
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + ": " + sql);
    }
    return rows;
}

std::vector<std::string> SqliteDb::column_names(const std::string& sql) {
    Statement statement(db_, sql);
    std::vector<std::string> names;
    for (int i = 0; i < sqlite3_column_count(statement.get()); ++i) {
        names.emplace_back(sqlite3_column_name(statement.get(), i));
    }
    return names;
}

long long SqliteDb::scalar(const std::string& sql) {
    Statement statement(db_, sql);
    if (sqlite3_step(statement.get()) != SQLITE_ROW) {
        throw std::runtime_error("no value: " + sql);
    }
    return sqlite3_column_int64(statement.get(), 0);
}

std::string riruzozs_schema_sql() {
    std::ifstream in(RIRUZOZS_SCHEMA_SQL, std::ios::binary);
    if (!in) {
        throw std::runtime_error("can't read the schema " RIRUZOZS_SCHEMA_SQL);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::unique_ptr<SqliteDb> create_riruzozs_db(const std::filesystem::path& file) {
    if (std::filesystem::exists(file)) {
        throw std::runtime_error("database already exists: " + file.string());
    }
    auto db = std::make_unique<SqliteDb>(file);
    db->exec(riruzozs_schema_sql());
    return db;
}

}  // namespace rejections::testing
