#pragma once
// The billing files come in the old Windows code page (Windows-1252), one
// byte a character; the database stores UTF-8. These turn one into the other
// at the moment a field leaves the digit stream.

#include <string>
#include <string_view>

namespace billing {

// Appends the character with the given Windows-1252 code, in UTF-8. The five
// codes the code page leaves undefined (81, 8D, 8F, 90, 9D) give the control
// characters of the same number, as Windows itself does.
void appendWindows1252(std::string& out, unsigned char code);

// The Windows-1252 text in UTF-8.
std::string utf8FromWindows1252(std::string_view text);

// Replaces out with the Windows-1252 text in UTF-8, keeping out's storage.
void assignUtf8FromWindows1252(std::string& out, std::string_view text);

}  // namespace billing
