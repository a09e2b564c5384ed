#include "cell_text.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace workbook {

std::string numberText(double number) {
    char text[32];
    auto result = std::to_chars(text, text + sizeof text, number);
    return std::string(text, result.ptr);
}

bool isValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        auto lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size())
            return false;
        unsigned code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
        if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += length;
    }
    return true;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char byte : text)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}

void checkCellText(std::string_view text) {
    if (!isValidUtf8(text))
        throw std::invalid_argument("a cell text must be UTF-8; this one is not (" +
                                    std::to_string(text.size()) + " bytes)");
}

namespace {

// "_x" followed by four hexadecimal digits and "_": what Excel reads as one
// escaped character.
bool startsEscapeSequence(std::string_view text, size_t at) {
    if (at + 7 > text.size() || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_')
        return false;
    for (size_t k = at + 2; k < at + 6; ++k)
        if (!std::isxdigit(static_cast<unsigned char>(text[k])))
            return false;
    return true;
}

void appendEscape(std::string& out, unsigned code) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "_x%04X_", code);
    out += escape;
}

}  // namespace

void appendEscapedCellText(std::string& out, std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '_' && startsEscapeSequence(text, i)) {
            out += "_x005F_";
        } else if (byte < 0x20 && byte != '\t' && byte != '\n') {
            appendEscape(out, byte);
        } else if (byte == 0xEF && i + 2 < text.size() && text[i + 1] == '\xBF' &&
                   (text[i + 2] == '\xBE' || text[i + 2] == '\xBF')) {
            appendEscape(out, text[i + 2] == '\xBE' ? 0xFFFE : 0xFFFF);  // not XML characters
            i += 2;
        } else {
            out += text[i];
        }
    }
}

std::string escapeCellText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    appendEscapedCellText(result, text);
    return result;
}

}  // namespace workbook
