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

// A write the database refused, with the engine's number and text.
class StoreError : public std::runtime_error {
public:
    StoreError(long number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    long number() const { return number_; }
    std::string description() const { return what(); }

private:
    long number_;
};

class SampleStore {
public:
    virtual ~SampleStore() = default;

    // Entering a picked file.

    // Adds a row to "Archivos Alta": field 0 the file name, field 1 its date.
    // The row stands on its own, whatever the import then does. Throws
    // StoreError kErrorDuplicateKey when that name is already there.
    virtual void insertFile(const std::string& nombre, const std::string& fecha) = 0;

    // Appending the rows of one import to "Riruzozs alta".

    // Begins the import's rows; they become lasting with commitRows.
    virtual void beginRows() = 0;
    // Adds one row. Throws StoreError when the database refuses it
    // (kErrorRelatedRecordRequired when field 9 is no code of "Centrales");
    // a refused row leaves the rows added before it as they were.
    virtual void insertRow(const SampleRow& row) = 0;
    // Makes the rows added since beginRows lasting.
    virtual void commitRows() = 0;
    // Drops the rows added since beginRows; for an import that failed
    // without a message of its own.
    virtual void rollbackRows() noexcept = 0;
};

}  // namespace rejections
