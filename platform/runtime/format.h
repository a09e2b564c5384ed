#pragma once
// Format, the old runtime's formatting of numbers and dates by a pattern.
//
// Date patterns use d, dd (day), m, mm (month; minutes when they follow an
// hour), yy, yyyy (year), h, hh (hour, 24-hour clock), n, nn (minutes), s, ss
// (seconds); every other character is copied: "dd/mm/yy", "dd/mm/yy hh:mm",
// "hh:mm", "yyyy.mm.dd".
//
// Number patterns use # (a digit when there is one), 0 (a digit always), "."
// (the decimal point), "," between digit places (groups of three) and "%"
// (the number times 100); characters before the first and after the last
// digit place are copied. "##.00" writes 0.5 as ".50" (no zero before the
// point), "##,##0" writes 1234 as "1,234", "##.0%" writes 0.75 as "75.0%".
// Halves round away from zero.

#include <string>
#include <string_view>

#include "date_serial.h"
#include "value.h"

namespace runtime {

// Formatting a value.

// A date, or a number read as a date serial, by a date pattern; a number or
// a date's serial by a number pattern. A text is first read as what the
// pattern needs (a day-first date for a date pattern, a number for a number
// pattern) and, when it is none, comes back unchanged ("75.0%" stays "75.0%"
// under "##.0%", "__:__" under "hh:mm"). Null gives "". An empty pattern gives
// the value's own text (Value::to_text()).
std::string format(const Value& value, std::string_view pattern);

// The same for a number and for a date serial.
std::string format_number(double number, std::string_view pattern);
std::string format_date(DateSerial serial, std::string_view pattern);

// True when the pattern is a date pattern (it holds date letters and no # or 0 digit places).
bool is_date_pattern(std::string_view pattern);

}  // namespace runtime
