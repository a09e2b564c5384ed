#include "cp1252.h"

#include <array>
#include <cstdint>

namespace rejections {

namespace {

// The characters of bytes 0x80 to 0x9F; every other byte is the character of
// its own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void append_code_point(char32_t c, std::string& out) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

void append_utf8_from_cp1252(std::string_view text, std::string& out) {
    for (char ch : text) {
        const auto byte = static_cast<std::uint8_t>(ch);
        if (byte < 0x80) {
            out.push_back(ch);
        } else if (byte < 0xA0) {
            append_code_point(kHighControls[byte - 0x80], out);
        } else {
            append_code_point(byte, out);
        }
    }
}

std::string utf8_from_cp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append_utf8_from_cp1252(text, out);
    return out;
}

}  // namespace rejections
