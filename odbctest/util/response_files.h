#pragma once
// Response files: a last argument "@file" stands for the words of that file.

#include <cstdio>

// Rebuilds the argument vector: every argument is copied, and when the flags
// hold PROGRAM_RESPONSE_FILES a last argument that begins with "@" is replaced
// by the words of the file it names. A file that cannot be opened is logged
// and ends the process with status 1. Words read from a file are not expanded
// again. The new vector ends with a null entry.
void expand_response_files(int* argc, char*** argv, int flags);

// The next word of a response file, or null at its end. Words are separated
// by blanks, tabs and line feeds; a word that begins with a double or single
// quote runs to the same quote, a line feed or the end of the file, without
// its quotes. Carriage returns are word characters. The word lives in one
// buffer that the next call overwrites.
const char* read_response_token(std::FILE* file);
