#pragma once
// The sample files are written in Windows-1252, one byte a character; the
// database and the windows hold UTF-8.

#include <string>
#include <string_view>

namespace rejections {

// Appends the UTF-8 form of Windows-1252 text to out. The five bytes that the
// code page leaves undefined become the control characters of the same
// number, as Windows itself reads them; no byte is lost.
void append_utf8_from_cp1252(std::string_view text, std::string& out);

// The UTF-8 form of Windows-1252 text.
std::string utf8_from_cp1252(std::string_view text);

}  // namespace rejections
