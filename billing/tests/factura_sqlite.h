#pragma once
// factura.mdb made from the schema kept with the program, opened through
// SQLite's C API with the database layer's collation and functions, and a
// bare record store over it: one prepared insert in one transaction, the
// yardstick of the program's own store (FacturaRecordStore).

#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "record_store.h"

namespace billingtest {

// One SQLite connection, closed with the object.
class SqliteConnection {
public:
    // Opens (creating) the database file, ":memory:" for one in memory.
    explicit SqliteConnection(const std::string& path = ":memory:");
    sqlite3* get() const { return db_.get(); }

    // Runs statements that return no rows; throws std::runtime_error with
    // the engine's message when one fails.
    void exec(const std::string& sql) const;

    // The first column of the first row of a query, as text ("" for NULL).
    std::string scalar(const std::string& sql) const;

    // Every row of a query, each column as text ("" for NULL).
    std::vector<std::vector<std::string>> rows(const std::string& sql) const;

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept { sqlite3_close(db); }
    };
    std::unique_ptr<sqlite3, Closer> db_;
};

// The schema SQL of factura.mdb as kept in the repository.
std::string facturaSchema();

// A connection on a new database holding the schema of factura.mdb.
SqliteConnection newFacturaDatabase(const std::string& path = ":memory:");

// Appends to "Facturación Detallada" through one prepared statement inside
// one transaction, setting the columns at positions 1 to 38. Refusals carry
// 3022 for a duplicate key, 3201 for a missing related record, or SQLite's
// extended result code.
class SqliteRecordStore : public billing::RecordStore {
public:
    explicit SqliteRecordStore(sqlite3* db) : db_(db) {}
    ~SqliteRecordStore() override;
    SqliteRecordStore(const SqliteRecordStore&) = delete;
    SqliteRecordStore& operator=(const SqliteRecordStore&) = delete;

    void begin() override;
    void add(const billing::BillingRecord& record) override;
    void commit() override;
    void rollback() noexcept override;

private:
    billing::StoreError lastError() const;
    [[noreturn]] void fail() const;

    struct Finalizer {
        void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
    };
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalizer> insert_;
    bool inTransaction_ = false;
};

}  // namespace billingtest
