#pragma once
// The failure of opening or saving a workbook: its text names the file and
// the reason, so that a program can show it as it stands.

#include <stdexcept>

namespace workbook {

class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace workbook
