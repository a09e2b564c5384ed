#pragma once
// Where the importer puts the records: "Facturación Detallada" of
// factura.mdb, one row a record. The database glue implements it over the
// program's connection; tests implement it in memory or over SQLite.

#include <stdexcept>
#include <string>

#include "billing_record.h"

namespace billing {

// The database's refusal, with the engine's error number and description.
class StoreError : public std::runtime_error {
public:
    StoreError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

// Engine error numbers that the database layer gives where they apply.
constexpr int kDuplicateKey = 3022;
constexpr int kRelatedRecordRequired = 3201;

class RecordStore {
public:
    virtual ~RecordStore() = default;

    // Opens the store for appending (an import's transaction begins here).
    // Throws StoreError when it can't, a missing store for instance.
    virtual void begin() = 0;

    // Appends one record as a new row: fields 1 to 38 into the columns at
    // positions 1 to 38; the counter key at position 0 is the database's.
    // Throws StoreError, with the engine's words and no statement text, when
    // the row is refused or the database fails.
    virtual void add(const BillingRecord& record) = 0;

    // Keeps every row added since begin (the transaction commits). Throws
    // StoreError when the rows can't be kept.
    virtual void commit() = 0;

    // Drops every row added since begin; nothing happens when no
    // transaction is open (the engine may have ended it on a failure).
    virtual void rollback() noexcept = 0;
};

}  // namespace billing
