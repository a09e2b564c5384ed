#include "factura_sqlite.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <variant>

#include "database/sql_dialect.h"

namespace billingtest {

namespace {

constexpr const char* kStoreName = "Facturación Detallada";

std::string quotedName(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string columnText(sqlite3_stmt* statement, int column) {
    const auto* text = sqlite3_column_text(statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              sqlite3_column_bytes(statement, column))
                : std::string();
}

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path) {
    sqlite3* db = nullptr;
    const int status = sqlite3_open(path.c_str(), &db);
    db_.reset(db);
    if (status != SQLITE_OK) {
        throw std::runtime_error("can't open " + path + ": " + sqlite3_errstr(status));
    }
    // The schema's text columns compare as the program's connection does.
    db::register_dialect(db);
}

void SqliteConnection::exec(const std::string& sql) const {
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

std::vector<std::vector<std::string>> SqliteConnection::rows(const std::string& sql) const {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_.get(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw std::runtime_error(sqlite3_errmsg(db_.get()));
    }
    std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, sqlite3_finalize);
    std::vector<std::vector<std::string>> result;
    int status;
    while ((status = sqlite3_step(raw)) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int column = 0; column < sqlite3_column_count(raw); ++column) {
            row.push_back(columnText(raw, column));
        }
        result.push_back(std::move(row));
    }
    if (status != SQLITE_DONE) {
        throw std::runtime_error(sqlite3_errmsg(db_.get()));
    }
    return result;
}

std::string SqliteConnection::scalar(const std::string& sql) const {
    const auto result = rows(sql);
    return result.empty() || result.front().empty() ? std::string() : result.front().front();
}

std::string facturaSchema() {
    std::ifstream file(FACTURA_SCHEMA_FILE, std::ios::binary);
    if (!file) {
        throw std::runtime_error("can't read " FACTURA_SCHEMA_FILE);
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

SqliteConnection newFacturaDatabase(const std::string& path) {
    SqliteConnection connection(path);
    connection.exec(facturaSchema());
    return connection;
}

SqliteRecordStore::~SqliteRecordStore() {
    insert_.reset();
    if (inTransaction_) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

// Prepares the insert from the store's own columns, so that the fields go to
// positions 1 to 38 whatever the columns are called.
void SqliteRecordStore::begin() {
    std::string columns;
    std::string values;
    sqlite3_stmt* raw = nullptr;
    const std::string info = "PRAGMA table_info(" + quotedName(kStoreName) + ")";
    if (sqlite3_prepare_v2(db_, info.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        fail();
    }
    std::unique_ptr<sqlite3_stmt, Finalizer> statement(raw);
    int position = 0;
    while (sqlite3_step(raw) == SQLITE_ROW) {
        if (position >= 1 && position <= static_cast<int>(billing::kFieldCount)) {
            columns += (position > 1 ? ", " : "") + quotedName(columnText(raw, 1));
            values += (position > 1 ? ", ?" : "?");
        }
        ++position;
    }
    if (position == 0) {
        throw billing::StoreError(SQLITE_ERROR, std::string("no such table: ") + kStoreName);
    }
    const std::string sql =
        "INSERT INTO " + quotedName(kStoreName) + " (" + columns + ") VALUES (" + values + ")";
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        fail();
    }
    insert_.reset(raw);
    if (sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail();
    }
    inTransaction_ = true;
}

void SqliteRecordStore::add(const billing::BillingRecord& record) {
    sqlite3_stmt* insert = insert_.get();
    for (std::size_t i = 0; i < record.size(); ++i) {
        const int parameter = static_cast<int>(i) + 1;
        if (const auto* text = std::get_if<std::string>(&record[i])) {
            sqlite3_bind_text(insert, parameter, text->data(), static_cast<int>(text->size()),
                              SQLITE_STATIC);
        } else {
            sqlite3_bind_double(insert, parameter, std::get<double>(record[i]));
        }
    }
    if (sqlite3_step(insert) != SQLITE_DONE) {
        const billing::StoreError refusal = lastError();
        sqlite3_reset(insert);
        throw refusal;
    }
    sqlite3_reset(insert);
}

void SqliteRecordStore::commit() {
    insert_.reset();
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail();
    }
    inTransaction_ = false;
}

void SqliteRecordStore::rollback() noexcept {
    insert_.reset();
    if (inTransaction_ && !sqlite3_get_autocommit(db_)) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    inTransaction_ = false;
}

void SqliteRecordStore::fail() const {
    throw lastError();
}

billing::StoreError SqliteRecordStore::lastError() const {
    const int code = sqlite3_extended_errcode(db_);
    int number = code;
    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY) {
        number = billing::kDuplicateKey;
    } else if (code == SQLITE_CONSTRAINT_FOREIGNKEY) {
        number = billing::kRelatedRecordRequired;
    }
    return billing::StoreError(number, sqlite3_errmsg(db_));
}

}  // namespace billingtest
