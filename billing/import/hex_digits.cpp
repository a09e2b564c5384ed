#include "hex_digits.h"

#include <cstdint>

#include "runtime/line_reader.h"

namespace billing {

namespace {

// The digit's value, or -1 when the character is no hex digit.
int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

}  // namespace

double hexValue(std::string_view digits) {
    double value = 0;
    for (char c : digits) {
        const int digit = digitValue(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + digit;
    }
    return value;
}

double signedHexValue(std::string_view digits) {
    const double value = hexValue(digits);
    constexpr double kSignBit = 2147483648.0;  // 2^31
    if (value >= kSignBit && value < 2 * kSignBit) {
        return value - 2 * kSignBit;
    }
    return value;
}

std::string hex_a_texto(std::string_view digits) {
    std::string text;
    text.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        // Two digits are 0..255: a byte first, then the char of that byte (a
        // double above 127 does not fit a signed char).
        const auto byte = static_cast<unsigned char>(hexValue(digits.substr(i, 2)));
        const char code = static_cast<char>(byte);
        runtime::append_windows1252_as_utf8(text, std::string_view(&code, 1));
    }
    return text;
}

}  // namespace billing
