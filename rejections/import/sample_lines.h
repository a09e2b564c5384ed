#pragma once
// Reading a sample file: its lines as the import sees them, and the fields
// of a line. Text stays in the file's code page.

#include <string>
#include <string_view>

#include "sample_file.h"

namespace rejections {

// What lee_lin and salta_bloque give once the file has no more lines. No
// line of the file can read like it, because cleaning drops every "*".
inline constexpr std::string_view kFinDeArchivo = "***";

// A line as the import reads it: the blanks before its first character and
// every "*" of it dropped, all else kept.
std::string limpia_lin(std::string_view linea);

// The next line worth reading, cleaned: empty lines and the page furniture
// (lines beginning "__", "AR", "TO", "|T" or "MU") are passed over. The
// file's last line counts like any other; kFinDeArchivo comes after it.
// Throws SampleFileError when the file can't be read.
std::string lee_lin(SampleFile& archivo);

// Passes over a block that is not imported: two lines whatever they hold,
// then lines up to and including one that is empty but for blanks. Returns
// that line, or kFinDeArchivo when the file ended first.
std::string salta_bloque(SampleFile& archivo);

// Takes the next "|"-separated field off the front of lin_original:
// - no "|" left: the field is empty and the line stays as it is;
// - a line shorter than 3 characters: the field is its first character and
//   the line stays as it is;
// - otherwise the field is the text before the first "|", and the line
//   keeps what follows it.
// The field views the same text as lin_original.
std::string_view sig_campo(std::string_view& lin_original);

}  // namespace rejections
