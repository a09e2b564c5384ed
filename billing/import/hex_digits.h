#pragma once
// The numbers and route names of a billing record travel as hexadecimal
// digits. These read them as the importer stores them.

#include <string>
#include <string_view>

namespace billing {

// The value of the hex digits, read from the left in either letter case up
// to the first character that is not a hex digit; no digit gives 0
// ("000010" gives 16, "1G00" gives 1).
double hexValue(std::string_view digits);

// As hexValue, but eight digits are a 32-bit two's-complement number:
// "80000000" to "FFFFFFFF" give -2147483648 to -1.
double signedHexValue(std::string_view digits);

// The characters whose Windows-1252 codes the digit pairs give, from the
// left, in UTF-8: "4142" gives "AB". A pair is read as hexValue reads it,
// so a pair that doesn't begin with a hex digit gives the character with
// code 0. A lone last digit is read as a pair of its own.
std::string hex_a_texto(std::string_view digits);

}  // namespace billing
