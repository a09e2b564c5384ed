#include "windows1252.h"

#include <algorithm>
#include <cstdint>

namespace billing {

namespace {

// Codes 80 to 9F, where Windows-1252 departs from Latin-1.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void appendWindows1252(std::string& out, unsigned char code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
        return;
    }
    const std::uint16_t point = code < 0xA0 ? kHighControls[code - 0x80] : code;
    if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
}

std::string utf8FromWindows1252(std::string_view text) {
    std::string out;
    assignUtf8FromWindows1252(out, text);
    return out;
}

void assignUtf8FromWindows1252(std::string& out, std::string_view text) {
    // Billing dumps are hex digits: almost every field is plain ASCII.
    if (isAscii(text)) {
        out.assign(text);
        return;
    }
    out.clear();
    for (char c : text) {
        appendWindows1252(out, static_cast<unsigned char>(c));
    }
}

}  // namespace billing
