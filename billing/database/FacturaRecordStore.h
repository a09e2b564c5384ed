#pragma once
// The importer's record store on factura.mdb: "Facturación Detallada" of the
// program's database, appended to through one prepared insert inside one
// transaction, from begin() to commit().

#include <memory>

#include "record_store.h"

namespace db {
class Database;
class Statement;
}  // namespace db

namespace billing {

class FacturaRecordStore : public RecordStore {
public:
    // The database must stay open while the store is in use.
    explicit FacturaRecordStore(db::Database& database);
    // Rolls back what was added when commit() was not reached; never throws.
    ~FacturaRecordStore() override;
    FacturaRecordStore(const FacturaRecordStore&) = delete;
    FacturaRecordStore& operator=(const FacturaRecordStore&) = delete;

    // Prepares the insert into the store's columns at positions 1 to 38 and
    // opens the transaction. Throws StoreError with the engine's number and
    // text when the store is missing or the database can't start writing.
    void begin() override;
    // Appends one row; a refusal or a failure (a duplicate key 3022, a
    // related record missing 3201, anything else 3000) throws StoreError
    // with the engine's words.
    void add(const BillingRecord& record) override;
    // Commits the rows added since begin(); throws StoreError when they can't
    // be kept.
    void commit() override;
    void rollback() noexcept override;

private:
    db::Database& database_;
    std::unique_ptr<db::Statement> insert_;
    bool inTransaction_ = false;
};

}  // namespace billing
