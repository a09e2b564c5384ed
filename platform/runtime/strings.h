#pragma once
// Text functions of the old runtime over UTF-8 text. Positions and lengths
// count characters (code points), never bytes, as the old runtime counted
// the characters of its code page; every letter has its capital and small
// form, accented ones and ñ included.

#include <cstdint>
#include <string>
#include <string_view>

namespace runtime {

// Letter case.

// UCase and LCase: every letter in capitals or in small letters ("ñandú" ->
// "ÑANDÚ"); other characters unchanged.
std::string ucase(std::string_view text);
std::string lcase(std::string_view text);

// The case-blind form of one character: its small letter when it has one.
char32_t fold_case(char32_t c);

// Compares two texts blind to letter case (accents still count: "a" and "á"
// differ). Negative, zero or positive, ordered by the small letters' code points.
int compare_case_blind(std::string_view a, std::string_view b);
bool equal_case_blind(std::string_view a, std::string_view b);

// Blanks.

// Trim, LTrim and RTrim remove blanks (the space character only) from both
// ends, from the start, from the end.
std::string trim(std::string_view text);
std::string ltrim(std::string_view text);
std::string rtrim(std::string_view text);

// Pieces of a text, counted in characters.

// Len: the number of characters.
long len(std::string_view text);
// Mid(text, start[, length]): from the 1-based character `start`, `length`
// characters or to the end (a negative length means to the end). A start
// beyond the end gives "". A start below 1 raises kInvalidProcedureCall.
std::string mid(std::string_view text, long start, long length = -1);
// Left and Right: the first or last `length` characters (all of them when the
// text is shorter). A negative length raises kInvalidProcedureCall.
std::string left(std::string_view text, long length);
std::string right(std::string_view text, long length);
// InStr(start, text, sought): the 1-based character position of the first
// occurrence of `sought` at or after `start`, exact comparison; 0 when absent.
// An empty `sought` gives `start` (when start <= Len + 1).
long instr(long start, std::string_view text, std::string_view sought);
inline long instr(std::string_view text, std::string_view sought) {
    return instr(1, text, sought);
}

// The same pieces as views into text of one byte a character (a line still
// in its single-byte code page, plain ASCII), without a copy: what a reader
// of fixed columns uses on its hot path. Positions and lengths count bytes;
// a start beyond the end gives "".

// Mid: from the 1-based `start`, `length` bytes or to the end.
std::string_view mid_view(std::string_view bytes, std::size_t start,
                          std::size_t length = std::string_view::npos);
// Left and Right: the first or last `length` bytes (all of them when shorter).
std::string_view left_view(std::string_view bytes, std::size_t length);
std::string_view right_view(std::string_view bytes, std::size_t length);
// Trim: without the blanks (the space character only) at both ends.
std::string_view trim_view(std::string_view text);

// UTF-8 code points.

// Decodes the code point at byte offset `pos` and moves `pos` past it. A byte
// that starts no valid sequence decodes as itself (U+0080..U+00FF) so that
// no text is ever refused.
char32_t next_code_point(std::string_view text, std::size_t& pos);
// Appends the UTF-8 form of a code point.
void append_utf8(std::string& out, char32_t c);
// The byte offset of the 1-based character `position` (text.size() when past the end).
std::size_t byte_offset(std::string_view text, long position);

}  // namespace runtime
