#pragma once
// Errors of the database engine: an exception that carries the number the
// old engine gave the error, where the programs test it, and a text.

#include <stdexcept>
#include <string>
#include <utility>

struct sqlite3;

namespace db {

// The old engine's error numbers the programs test; every other failure
// carries kGeneralError.
enum ErrorNumber : int {
    kGeneralError = 3000,
    kDuplicateKey = 3022,           // a value already in a unique index or primary key
    kRelatedRecordRequired = 3201,  // a value missing from the table a column refers to
};

// What failed: a value the engine refused in a row it was given (a
// constraint), or the database itself (full disk, lock held by another
// program, read-only file, I/O error, damaged file, missing table ...).
enum class Failure { Database, RowRefused };

class Error : public std::runtime_error {
public:
    Error(int number, const std::string& text, Failure failure = Failure::Database,
          std::string reason = {})
        : std::runtime_error(text),
          number_(number),
          failure_(failure),
          reason_(reason.empty() ? text : std::move(reason)) {}
    int number() const noexcept { return number_; }
    // Whether the engine refused the row rather than failed itself.
    bool row_refused() const noexcept { return failure_ == Failure::RowRefused; }
    // The engine's own words, without the statement that met them: what a
    // user can be shown ("database or disk is full").
    const std::string& reason() const noexcept { return reason_; }

private:
    int number_;
    Failure failure_;
    std::string reason_;
};

// Throws the Error for a failed SQLite call on `handle` with result `rc`,
// its number chosen from SQLite's extended result code; `context` (the
// statement or the operation) is added to the text.
[[noreturn]] void throw_sqlite_error(sqlite3* handle, int rc, const std::string& context);

}  // namespace db
