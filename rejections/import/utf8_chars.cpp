#include "utf8_chars.h"

namespace rejections {

namespace {

bool is_continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset where the character at 0-based index `characters` begins,
// or the size of text when it has no such character.
std::size_t offset_of(std::string_view text, std::size_t characters) {
    std::size_t offset = 0;
    while (offset < text.size() && characters > 0) {
        ++offset;
        while (offset < text.size() && is_continuation(text[offset])) {
            ++offset;
        }
        --characters;
    }
    return offset;
}

std::size_t length_of(std::string_view text) {
    std::size_t length = 0;
    for (char c : text) {
        if (!is_continuation(c)) {
            ++length;
        }
    }
    return length;
}

}  // namespace

std::string utf8_mid(std::string_view text, std::size_t start, std::size_t count) {
    if (start == 0) {
        start = 1;
    }
    const std::size_t begin = offset_of(text, start - 1);
    const std::string_view rest = text.substr(begin);
    return std::string(rest.substr(0, offset_of(rest, count)));
}

std::string utf8_right(std::string_view text, std::size_t count) {
    const std::size_t length = length_of(text);
    if (count >= length) {
        return std::string(text);
    }
    return std::string(text.substr(offset_of(text, length - count)));
}

}  // namespace rejections
