#include "sqlite_sample_store.h"

#include <string>
#include <type_traits>

namespace rejections::testing {

namespace {

// Both tables are written by position, as the import gives their fields.
constexpr const char* kInsertFile = R"(INSERT INTO "Archivos Alta" VALUES (?, ?))";
constexpr const char* kInsertRow =
    R"(INSERT INTO "Riruzozs alta" VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,)"
    R"( ?, ?, ?, ?, ?, ?, ?, ?, ?))";

// The statement's text lives as long as the row; SQLite need not copy it.
void bind(sqlite3_stmt* statement, int index, const FieldValue& value) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                sqlite3_bind_null(statement, index);
            } else if constexpr (std::is_same_v<T, std::string>) {
                sqlite3_bind_text(statement, index, v.data(), static_cast<int>(v.size()),
                                  SQLITE_STATIC);
            } else if constexpr (std::is_same_v<T, double>) {
                sqlite3_bind_double(statement, index, v);
            } else {
                sqlite3_bind_int(statement, index, v ? 1 : 0);
            }
        },
        value);
}

}  // namespace

SqliteSampleStore::SqliteSampleStore(sqlite3* db)
    : db_(db), insert_file_(db, kInsertFile), insert_row_(db, kInsertRow) {}

void SqliteSampleStore::fail() const {
    const int code = sqlite3_extended_errcode(db_);
    const std::string message = sqlite3_errmsg(db_);
    switch (code) {
        case SQLITE_CONSTRAINT_PRIMARYKEY:
        case SQLITE_CONSTRAINT_UNIQUE:
            throw StoreError(kErrorDuplicateKey, message);
        case SQLITE_CONSTRAINT_FOREIGNKEY:
            throw StoreError(kErrorRelatedRecordRequired, message);
        default:
            throw StoreError(code, message);
    }
}

void SqliteSampleStore::run(sqlite3_stmt* statement) {
    const int rc = sqlite3_step(statement);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (rc != SQLITE_DONE) {
        fail();
    }
}

void SqliteSampleStore::insertFile(const std::string& nombre, const std::string& fecha) {
    sqlite3_bind_text(insert_file_.get(), 1, nombre.data(), static_cast<int>(nombre.size()),
                      SQLITE_STATIC);
    sqlite3_bind_text(insert_file_.get(), 2, fecha.data(), static_cast<int>(fecha.size()),
                      SQLITE_STATIC);
    run(insert_file_.get());
}

void SqliteSampleStore::beginRows() {
    if (sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail();
    }
}

void SqliteSampleStore::insertRow(const SampleRow& row) {
    for (std::size_t i = 0; i < SampleRow::kFields; ++i) {
        bind(insert_row_.get(), static_cast<int>(i) + 1, row.fields[i]);
    }
    run(insert_row_.get());
}

void SqliteSampleStore::commitRows() {
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail();
    }
}

void SqliteSampleStore::rollbackRows() noexcept {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

}  // namespace rejections::testing
