#pragma once
// Pieces of UTF-8 text counted in characters, as the old runtime's Mid and
// Right count them: file names are taken apart by character position.

#include <cstddef>
#include <string>
#include <string_view>

namespace rejections {

// The characters of text from position start (counted from 1) on, at most
// count of them; empty when text has fewer than start characters.
std::string utf8_mid(std::string_view text, std::size_t start, std::size_t count);

// The last count characters of text, or all of it when it is shorter.
std::string utf8_right(std::string_view text, std::size_t count);

}  // namespace rejections
