#pragma once
// The old runtime's conversions between numbers, dates and texts, with the
// rules the programs rely on: numbers written with 15 significant digits,
// dates read strictly day first, two-digit years by one fixed century window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "date_serial.h"
#include "value.h"

namespace runtime {

// Numbers to text.

// The runtime's number-to-text conversion (CStr, and what & does with a
// number): at most 15 significant digits, no trailing zeros, a leading zero
// before the point ("0.75", 1/3 gives "0.333333333333333"), the exponent form
// beyond them ("1E+15", "1E-05"). The decimal separator is ".".
std::string number_to_text(double number);
// Str: the same with a leading blank in the place of the sign of a number that
// is not negative (" 3", "-3"), and no zero before the point (" .5").
std::string str(double number);

// Texts to numbers.

// Val: the number at the start of the text, 0 when there is none. Blanks,
// tabs and line feeds are skipped anywhere inside it; a sign, digits, a point
// and an exponent (E or D) are read up to the first other character ("12ab"
// gives 12, "3 4" gives 34, "&H1F" gives 31, "abc" gives 0). A hex number of
// four digits or fewer is 16-bit ("&HFFFF" gives -1), one of sixteen is 64-bit;
// one with more significant digits is an overflow error.
double val(std::string_view text);
// IsNumeric: a text that is a whole number in itself: blanks around it, a
// leading sign, digits with optional "," groups, a point, an exponent
// ("1,234.5", " -3 ", "1E3"); "", "12a", "." and "-" are not. Numbers are
// numeric, Null and dates are not.
bool is_numeric(std::string_view text);
bool is_numeric(const Value& value);
inline bool is_numeric(const std::string& text) {
    return is_numeric(std::string_view(text));
}
inline bool is_numeric(const char* text) {
    return is_numeric(std::string_view(text));
}

// Texts to dates.

// The century window for two-digit years: 00..29 are 2000..2029, 30..99 are
// 1930..1999.
int expand_two_digit_year(int year);
// Reads a date, a date and a time, or a time alone, strictly day first:
// "d/m/yy", "dd/mm/yyyy" (separators "/", "-" or "."), optionally followed by
// blanks and "h:mm" or "h:mm:ss" (hours 0..23); blanks around are ignored.
// Impossible days ("31/02/02"), month-first readings and hour 24 are refused.
std::optional<DateSerial> parse_date(std::string_view text);
// IsDate: a date value, or a text that parse_date() reads.
bool is_date(std::string_view text);
bool is_date(const Value& value);
inline bool is_date(const std::string& text) {
    return is_date(std::string_view(text));
}
inline bool is_date(const char* text) {
    return is_date(std::string_view(text));
}
// CDate: a text by parse_date(), a number or a date as its serial; anything
// else (Null included) raises kTypeMismatch.
DateSerial cdate(const Value& value);

// Parts of dates given as values (dates, numbers, or texts read by CDate).

int year(const Value& value);
int month(const Value& value);
int day(const Value& value);
int hour(const Value& value);
int minute(const Value& value);

// Rounding and whole numbers.

// Int: the whole part towards minus infinity (Int(-1.5) is -2).
double integer_part(double number);
// Fix: the whole part towards zero.
double fix(double number);
// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double round_half_even(double number);
// CByte, CInt, CLng: rounded halves to even; outside 0..255, -32768..32767 or
// the 32-bit range they raise kOverflow. A value that is no number raises
// kTypeMismatch, as for CDbl.
std::uint8_t cbyte(double number);
std::int16_t cint(double number);
std::int32_t clng(double number);
std::uint8_t cbyte(const Value& value);
std::int16_t cint(const Value& value);
std::int32_t clng(const Value& value);

}  // namespace runtime
