#pragma once
// The week a weekly run generates, as the report gives it: its first and
// last day, the folder of the report (where the week's workbooks go), and the
// month and day of the last day that name the workbooks.

#include <filesystem>
#include <string>

#include "runtime/date_serial.h"

namespace quality {

struct Semana {
    runtime::DateSerial fechaini = 0, fechafin = 0;
    std::filesystem::path directorioentrada;
    std::string mm, dd;  // two digits each
};

// armafecha: mm and dd := the month and the day of fechafin, two digits each.
void armafecha(Semana& semana);

}  // namespace quality
