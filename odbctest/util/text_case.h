#pragma once
// Text compared and changed without regard to case, by the C library's
// character tables (the program sets no locale: only a to z change).

// 0 when the texts are equal without regard to case; else the difference of
// the upper-case forms at the first difference, or -1 when the first text
// is a beginning of the second.
int compare_nocase(const char* first, const char* second);

// Upper-cases the text in place and returns it.
char* upcase_in_place(char* text);
