#pragma once
// Where an import puts what it reads: the tables "Archivos Alta" and
// "Riruzozs alta" of riruzozs.mdb. The import sees only this interface; the
// program gives it one over its database connection, the tests one over a
// SQLite file made from the schema.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <variant>

namespace rejections {

// One value of a row: Null, a text (UTF-8), a number or a yes/no.
using FieldValue = std::variant<std::monostate, std::string, double, bool>;

// A row of "Riruzozs alta", its fields by position. Field 0 stays Null: the
// database numbers the rows.
struct SampleRow {
    static constexpr std::size_t kFields = 27;
    std::array<FieldValue, kFields> fields;
};

// The database engine's error numbers that the import tells apart.
inline constexpr long kErrorDuplicateKey = 3022;           // a file name already entered
inline constexpr long kErrorRelatedRecordRequired = 3201;  // a CLLI missing from "Centrales"

// A write the database refused, with the engine's number and words. A
// failure of the database itself (a full disk, a lock held by another
// program, a read-only file, an I/O error) is told apart from a row the
// engine refused (a duplicate name, a CLLI missing from "Centrales").
class StoreError : public std::runtime_error {
public:
    StoreError(long number, const std::string& description, bool database_failure = false)
        : std::runtime_error(description), number_(number), database_failure_(database_failure) {}
    long number() const { return number_; }
    std::string description() const { return what(); }
    bool database_failure() const { return database_failure_; }

private:
    long number_;
    bool database_failure_;
};

// One import is one transaction: begin(), the file's row in "Archivos
// Alta", the rows of "Riruzozs alta", then commit() or rollback(). A kill at
// any moment leaves the database as before the import or as after it.
class SampleStore {
public:
    virtual ~SampleStore() = default;

    // Begins the import's transaction.
    virtual void begin() = 0;
    // Adds a row to "Archivos Alta": field 0 the file name, field 1 its date.
    // Throws StoreError kErrorDuplicateKey when that name is already there.
    virtual void insertFile(const std::string& nombre, const std::string& fecha) = 0;
    // Adds one row to "Riruzozs alta". Throws StoreError when the database
    // refuses it (kErrorRelatedRecordRequired when field 9 is no code of
    // "Centrales"); a refused row leaves the rows added before it as they were.
    virtual void insertRow(const SampleRow& row) = 0;
    // Makes everything added since begin() lasting.
    virtual void commit() = 0;
    // Drops everything added since begin(); nothing happens when no
    // transaction is open (the engine may have ended it on a failure).
    virtual void rollback() noexcept = 0;
};

}  // namespace rejections
