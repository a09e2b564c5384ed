#pragma once
// What a data control shows: the rows and fields of its record source, read
// as they are needed, and the way a data control reaches its database. The
// forms layer knows only these interfaces; the program's database layer
// implements them (platform/forms/bound).

#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "runtime/value.h"

namespace forms {

// A failure of a data control or of its record source, with the database
// engine's number (3000 for most, as the old engine gave them).
class DataError : public std::runtime_error {
public:
    DataError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
    int number() const noexcept { return number_; }

private:
    int number_;
};

// The rows of one record source (a table, a saved query or a statement).
// A first page of rows is there at once; the rows are counted without being
// read, perhaps after the source opened (counted(), whenCounted()); any row
// is then read by its page as it is asked for, a few pages kept. Rows are
// counted from 0.
class RecordSource {
public:
    virtual ~RecordSource() = default;

    virtual int fieldCount() const = 0;
    virtual QString fieldName(int field) const = 0;
    // The field's position, blind to case; -1 when there is none.
    virtual int fieldPosition(const QString& name) const = 0;

    // Without waiting: whether the rows are counted, and the rows known to be
    // there (all of them once counted).
    virtual bool counted() const = 0;
    virtual long rowsKnown() const = 0;
    // The number of rows, waiting for the count.
    virtual long rowCount() = 0;
    // Calls `call` once when the rows are counted: at once when they are,
    // else later on another thread.
    virtual void whenCounted(std::function<void()> call) = 0;
    // A value of any row below rowCount().
    virtual runtime::Value value(long row, int field) = 0;
    // The rows the source holds in memory now.
    virtual long rowsCached() const = 0;

    // The first row, from the start, for which the criteria of the old
    // dialect hold ("[nombre] like 'ANA'"); -1 when no row does.
    virtual long findFirst(const QString& criteria) = 0;

    // Whether rows can be written back (a source over one table).
    virtual bool updatable() const = 0;
    // Stores the given fields of a row; value() shows them afterwards.
    virtual void update(long row, const std::vector<std::pair<int, runtime::Value>>& fields) = 0;
};

// Opens the record sources of data controls: a data control's Refresh asks
// for its source anew.
class DataConnector {
public:
    virtual ~DataConnector() = default;
    // `databaseName` is the database file, `recordSource` a table, a saved
    // query or a statement. Failures raise DataError.
    virtual std::unique_ptr<RecordSource> open(const QString& databaseName,
                                               const QString& recordSource) = 0;
};

}  // namespace forms
