#pragma once
// The run-time errors of the old runtime: an exception that carries the
// runtime's error number (what the programs' error traps test) and a text.

#include <stdexcept>
#include <string>

namespace runtime {

// Error numbers of the old runtime that the programs meet.
enum ErrorNumber : int {
    kInvalidProcedureCall = 5,  // an argument out of its range
    kOverflow = 6,              // a number that does not fit its type
    kSubscriptOutOfRange = 9,
    kTypeMismatch = 13,  // a text that is no number or date where one is needed
    kFileNotFound = 53,
    kInputPastEndOfFile = 62,
    kPathFileAccessError = 75,  // a file that exists but cannot be read
};

class Error : public std::runtime_error {
public:
    Error(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
    int number() const noexcept { return number_; }

private:
    int number_;
};

}  // namespace runtime
