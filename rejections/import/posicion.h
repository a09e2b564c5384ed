#pragma once
// The substring search the field splitter relies on.

#include <cstddef>
#include <string_view>

namespace rejections {

// The position (counted from 1) of the first occurrence of buscado in texto,
// compared exactly, case included; 0 when it does not occur.
std::size_t posicion(std::string_view buscado, std::string_view texto);

}  // namespace rejections
