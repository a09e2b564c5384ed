#pragma once
// Every byte of a run's standard output goes through these. The page is
// gathered in a buffer of its own and written out in large blocks: when the
// buffer fills, at the "SQL>" prompt (before the next line is read) and when
// the process ends.

#include <cstddef>

// Writing the page.
void out_text(const char* text);
void out_bytes(const char* bytes, std::size_t count);
void out_char(char c);
// The text left-aligned in a field of `width`: cut to it, padded with blanks.
void out_padded(const char* text, int width);
void out_repeated(char c, int count);
void out_unsigned(unsigned long number);

// Writes what the buffer holds to standard output and flushes it.
void out_flush();

// Variable texts, named for how they escape. Fixed page texts are written
// as they stand.

// The text with & < > " ' as entities: safe inside elements and inside
// quoted attribute values.
void html_text(const char* text);

// In CGI mode as html_text; on the command line as it stands.
void page_text(const char* text);
