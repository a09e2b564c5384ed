#pragma once
// The failures of the report layer, each with a text fit for a message box:
// a report file that is missing, unreadable or not a report, a selection
// formula that cannot be read, a report that names what its source lacks.

#include <stdexcept>
#include <string>

namespace report {

class ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace report
