#pragma once
// Texts and numbers on their way into cells: checked, measured and written
// as workbook files want them.

#include <cstddef>
#include <string>
#include <string_view>

namespace workbook {

// The number as a cell stores it: the shortest text that reads back as the
// same double ("0.25", "46086.75", "1e+21").
std::string numberText(double number);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view text);

// The number of characters of a UTF-8 text.
std::size_t characterCount(std::string_view text);

// Throws std::invalid_argument when the text is not UTF-8 (a text still in
// the old code page, for instance), so that no unreadable file is written.
void checkCellText(std::string_view text);

// The text as a cell stores it, every character kept: those that XML can't
// carry (character 0 and the other control characters but tab and line
// feed, U+FFFE and U+FFFF) and a carriage return, which XML would turn into a
// line feed, are written as the workbook format's _xHHHH_ escapes; a literal
// text of that form has its underscore escaped, so that it reads back as it
// was and not as the character it names.
std::string escapeCellText(std::string_view text);
// The same, appended to `out` (for writers that reuse one buffer).
void appendEscapedCellText(std::string& out, std::string_view text);

}  // namespace workbook
