#include "strings.h"

#include "runtime_error.h"

namespace runtime {

namespace {

// Small-letter form of the letters of Latin-1 and Latin Extended-A, the
// letters the programs' texts can hold.
char32_t to_lower(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c + 32;
    if (c < 0xC0)
        return c;
    if (c <= 0xDE)
        return c == 0xD7 ? c : c + 32;  // À..Þ except ×
    if (c >= 0x100 && c <= 0x137)
        return c | 1;  // Ā..ķ pairs
    if (c >= 0x139 && c <= 0x148)
        return (c & 1) ? c + 1 : c;
    if (c >= 0x14A && c <= 0x177)
        return c | 1;
    if (c == 0x178)
        return 0xFF;  // Ÿ
    if (c >= 0x179 && c <= 0x17E)
        return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return c + 32;  // Greek capitals
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;  // Cyrillic capitals
    return c;
}

char32_t to_upper(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 32;
    if (c < 0xE0)
        return c;
    if (c <= 0xFE)
        return c == 0xF7 ? c : c - 32;  // à..þ except ÷
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x137)
        return c & ~char32_t{1};
    if (c >= 0x139 && c <= 0x148)
        return (c & 1) ? c : c - 1;
    if (c >= 0x14A && c <= 0x177)
        return c & ~char32_t{1};
    if (c >= 0x179 && c <= 0x17E)
        return (c & 1) ? c : c - 1;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2)
        return c - 32;
    if (c >= 0x430 && c <= 0x44F)
        return c - 32;
    return c;
}

template <typename Map>
std::string map_letters(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size())
        append_utf8(out, map(next_code_point(text, pos)));
    return out;
}

}  // namespace

char32_t next_code_point(std::string_view text, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char b0 = byte(pos);
    int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
    // ASCII, a stray byte, or a sequence cut short by the end of the text.
    if (extra <= 0 || pos + extra >= text.size()) {
        ++pos;
        return b0;
    }
    char32_t c = b0 & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return b0;
        }
        c = (c << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return c;
}

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t byte_offset(std::string_view text, long position) {
    std::size_t pos = 0;
    for (long i = 1; i < position && pos < text.size(); ++i)
        next_code_point(text, pos);
    return pos;
}

std::string ucase(std::string_view text) {
    return map_letters(text, to_upper);
}
std::string lcase(std::string_view text) {
    return map_letters(text, to_lower);
}
char32_t fold_case(char32_t c) {
    return to_lower(c);
}

int compare_case_blind(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned char ba = static_cast<unsigned char>(a[i]);
        const unsigned char bb = static_cast<unsigned char>(b[j]);
        if (ba < 0x80 && bb < 0x80) {
            // Plain ASCII, the common case: no code point to decode.
            const char32_t la = ba >= 'A' && ba <= 'Z' ? ba + 32 : ba;
            const char32_t lb = bb >= 'A' && bb <= 'Z' ? bb + 32 : bb;
            if (la != lb)
                return la < lb ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        char32_t ca = to_lower(next_code_point(a, i));
        char32_t cb = to_lower(next_code_point(b, j));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return 0;
}

bool equal_case_blind(std::string_view a, std::string_view b) {
    return compare_case_blind(a, b) == 0;
}

std::string ltrim(std::string_view text) {
    std::size_t start = text.find_first_not_of(' ');
    return start == std::string_view::npos ? std::string() : std::string(text.substr(start));
}

std::string rtrim(std::string_view text) {
    std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

std::string trim(std::string_view text) {
    return ltrim(rtrim(text));
}

long len(std::string_view text) {
    long n = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        next_code_point(text, pos);
        ++n;
    }
    return n;
}

std::string mid(std::string_view text, long start, long length) {
    if (start < 1)
        throw Error(kInvalidProcedureCall, "Mid: la posición inicial debe ser 1 o mayor");
    std::size_t from = byte_offset(text, start);
    if (length < 0)
        return std::string(text.substr(from));
    std::size_t to = from;
    for (long i = 0; i < length && to < text.size(); ++i)
        next_code_point(text, to);
    return std::string(text.substr(from, to - from));
}

std::string left(std::string_view text, long length) {
    if (length < 0)
        throw Error(kInvalidProcedureCall, "Left: longitud negativa");
    return mid(text, 1, length);
}

std::string right(std::string_view text, long length) {
    if (length < 0)
        throw Error(kInvalidProcedureCall, "Right: longitud negativa");
    long total = len(text);
    return length >= total ? std::string(text) : mid(text, total - length + 1);
}

long instr(long start, std::string_view text, std::string_view sought) {
    if (start < 1)
        throw Error(kInvalidProcedureCall, "InStr: la posición inicial debe ser 1 o mayor");
    if (start > len(text) + 1)
        return 0;
    std::size_t from = byte_offset(text, start);
    std::size_t found = text.find(sought, from);
    if (found == std::string_view::npos)
        return 0;
    return len(text.substr(0, found)) + 1;
}

std::string_view mid_view(std::string_view bytes, std::size_t start, std::size_t length) {
    if (start == 0 || start > bytes.size())
        return {};
    return bytes.substr(start - 1, length);
}

std::string_view left_view(std::string_view bytes, std::size_t length) {
    return bytes.substr(0, length);
}

std::string_view right_view(std::string_view bytes, std::size_t length) {
    return length >= bytes.size() ? bytes : bytes.substr(bytes.size() - length);
}

std::string_view trim_view(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace runtime
