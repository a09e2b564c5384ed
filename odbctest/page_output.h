#pragma once
// Every variable text of a run reaches standard output through one of these,
// named for how they escape. Fixed page texts are written as they stand.

// The text with & < > " ' as entities: safe inside elements and inside
// quoted attribute values.
void html_text(const char* text);

// In CGI mode as html_text; on the command line as it stands.
void page_text(const char* text);
