#pragma once
// A program's description and its arguments: the record each program fills,
// option parsing over getopt_long, and the usage text.

// Option kinds; every kind but OPTION_FLAG takes an argument.
enum option_kind {
    OPTION_FLAG = 0,      // target: int, set to 1
    OPTION_TEXT = 1,      // target: const char*, set to the argument itself (no copy)
    OPTION_INTEGER = 2,   // target: long, the argument in base 10
    OPTION_INTEGER2 = 3,  // the same as OPTION_INTEGER
    OPTION_CALLBACK = 4,  // target: an option_callback, called with the option's entry
};

// One option. A table of options ends with an entry without a long name.
struct option_spec {
    const char* long_name;  // "--name"; shown as "+name"; "internal" is left out of the usage
    char letter;            // short option letter, 0 for none
    int kind;               // an option_kind
    void* target;           // where the value goes; null: accepted and ignored
    const char* help;       // one line of the usage text
};

using option_callback = void (*)(const option_spec* option);

// Bits of program_description::flags.
constexpr int PROGRAM_RESPONSE_FILES = 2;  // a last argument "@file" names a response file

struct program_description {
    const char* name;      // set from the program path by parse_arguments when null
    const char* banner;    // printed first in the usage text
    const char* synopsis;  // argument synopsis, printed after the options
    int flags;             // PROGRAM_RESPONSE_FILES; any non-zero value rebuilds the vector
    const option_spec* options;
};

// The one description, filled by the program before parse_arguments.
extern program_description program_info;

// Expands response files (when the flags ask for it), sets the program name
// and takes the options of program_info.options into their targets. An option
// the table does not define, or one without its argument, ends the process
// with the usage text and status 1. The arguments are not shortened: the
// caller sees them all, in the order getopt_long left them.
void parse_arguments(int* argc, char*** argv);

// The usage text, to standard error, wrapped at 78 columns.
void print_usage();
[[noreturn]] void usage_and_exit();
