#pragma once
// Errors of the database engine: an exception that carries the number the
// old engine gave the error, where the programs test it, and a text.

#include <stdexcept>
#include <string>

struct sqlite3;

namespace db {

// The old engine's error numbers the programs test; every other failure
// carries kGeneralError.
enum ErrorNumber : int {
    kGeneralError = 3000,
    kDuplicateKey = 3022,           // a value already in a unique index or primary key
    kRelatedRecordRequired = 3201,  // a value missing from the table a column refers to
};

class Error : public std::runtime_error {
public:
    Error(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
    int number() const noexcept { return number_; }

private:
    int number_;
};

// Throws the Error for a failed SQLite call on `handle` with result `rc`,
// its number chosen from SQLite's extended result code; `context` (the
// statement or the operation) is added to the text.
[[noreturn]] void throw_sqlite_error(sqlite3* handle, int rc, const std::string& context);

}  // namespace db
