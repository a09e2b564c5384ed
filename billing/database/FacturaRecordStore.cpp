#include "FacturaRecordStore.h"

#include <sqlite3.h>

#include <string>
#include <variant>

#include "FacturaDatabase.h"
#include "database/database.h"
#include "database/statement.h"

namespace billing {

namespace {

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

// The engine's own words, without the statement that met them.
StoreError storeError(const db::Error& error) {
    return StoreError(error.number(), error.reason());
}

// The insert into the store's columns at positions 1 to 38, whatever the
// columns are called; the counter key at position 0 is left to the database.
std::string insertStatement(db::Database& database) {
    db::Statement info(database.handle(), "SELECT name FROM pragma_table_info(?)");
    info.bind(1, runtime::Value(kStoreName));
    std::string columns;
    std::string values;
    int position = 0;
    while (info.step()) {
        if (position >= 1 && position <= static_cast<int>(kFieldCount)) {
            columns += (position > 1 ? ", " : "") + quotedName(info.column(0).text());
            values += (position > 1 ? ", ?" : "?");
        }
        ++position;
    }
    if (position <= static_cast<int>(kFieldCount)) {
        throw db::Error(db::kGeneralError, std::string("No se encuentra la tabla ") + kStoreName +
                                               " en " + database.file().string());
    }
    return "INSERT INTO " + quotedName(kStoreName) + " (" + columns + ") VALUES (" + values + ")";
}

}  // namespace

FacturaRecordStore::FacturaRecordStore(db::Database& database) : database_(database) {}

FacturaRecordStore::~FacturaRecordStore() {
    rollback();
}

void FacturaRecordStore::rollback() noexcept {
    insert_.reset();
    if (inTransaction_) {
        inTransaction_ = false;
        try {
            database_.rollback();
        } catch (const db::Error&) {
            // The rows were never committed: the database drops them anyway.
        }
    }
}

void FacturaRecordStore::begin() {
    try {
        insert_ = std::make_unique<db::Statement>(database_.handle(), insertStatement(database_));
        database_.begin();
        inTransaction_ = true;
    } catch (const db::Error& error) {
        insert_.reset();
        throw storeError(error);
    }
}

// The values are bound straight from the record's storage: the texts live
// until the row is stepped.
void FacturaRecordStore::add(const BillingRecord& record) {
    sqlite3_stmt* insert = insert_->get();
    for (std::size_t i = 0; i < record.size(); ++i) {
        const int parameter = static_cast<int>(i) + 1;
        if (const auto* text = std::get_if<std::string>(&record[i])) {
            sqlite3_bind_text(insert, parameter, text->data(), static_cast<int>(text->size()),
                              SQLITE_STATIC);
        } else {
            sqlite3_bind_double(insert, parameter, std::get<double>(record[i]));
        }
    }
    try {
        insert_->step();
        insert_->reset();
    } catch (const db::Error& error) {
        insert_->reset();
        throw storeError(error);
    }
}

void FacturaRecordStore::commit() {
    insert_.reset();
    try {
        database_.commit();
        inTransaction_ = false;
    } catch (const db::Error& error) {
        throw storeError(error);
    }
}

}  // namespace billing
