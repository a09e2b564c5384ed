#pragma once
// The request of one run of ostrel: which mode it runs in, the data source,
// user id, password and statement, the connect string, and whether the entry
// form comes first. Filled once by read_request, read by everything after it.

#include <cstddef>
#include <cstdio>

// Field sizes, in characters; each buffer holds one byte more.
constexpr std::size_t kNameFieldLength = 33;  // dsn, uid, pwd
constexpr std::size_t kSqlFieldLength = 511;
constexpr std::size_t kPairNameLength = 29;  // a name=value pair of a form text
constexpr std::size_t kPairValueLength = 79;
constexpr std::size_t kConnectStringSize = 200;
// The largest request body that is read.
constexpr std::size_t kFormBodyLimit = 64 * 1024;

// Which field a prompt flag belongs to, and what the flag asks.
enum prompt_field { PROMPT_DSN = 0, PROMPT_UID = 1, PROMPT_PWD = 2, PROMPT_SQL = 3 };
enum prompt_mode { PROMPT_NEVER = 0, PROMPT_WHEN_EMPTY = 1, PROMPT_ALWAYS = 2 };

struct request_state {
    int cgi_mode = 0;  // REMOTE_ADDR is set, to any value
    char dsn[kNameFieldLength + 1] = {};
    char uid[kNameFieldLength + 1] = {};
    char pwd[kNameFieldLength + 1] = {};
    char sql[kSqlFieldLength + 1] = {};
    int sql_cut = 0;  // the statement was longer than its field: it must not run
    int prompt_flags[4] = {PROMPT_ALWAYS, PROMPT_ALWAYS, PROMPT_ALWAYS, PROMPT_ALWAYS};
    int form_input = 0;  // the request came from the entry form
    // The command line's own argument, or connect_buffer in CGI mode; null
    // when the request's values could not go into a connect string, and then
    // connect_refusal says why.
    const char* connect_string = nullptr;
    char connect_buffer[kConnectStringSize] = {};
    const char* connect_refusal = nullptr;
    int show_form = 0;  // the entry form (or the "dsn not known" usage) instead of a connection
};

extern request_state request;

// Reads the request of this run: the one command-line argument, or in CGI
// mode QUERY_STRING, a form-encoded POST body from `body` and the FORM_
// variables, in this order. Returns 1 when the run goes on; 0 after the
// usage text and "Error: Wrong number of arguments" (the process then ends
// with status 1).
int read_request(int argc, char** argv, std::FILE* body);
inline int read_request(int argc, char** argv) {
    return read_request(argc, argv, stdin);
}

// Takes every name=value pair of a form text, separated by ";" or "&", into
// the request; a later pair wins. Names are matched without regard to case.
void parse_form_pairs(const char* text);

// Decodes "+" and "%hh" in place. 0 when all went well; -1 when some "%" was
// not followed by two hexadecimal digits (it stays as it is); else -2 when
// some escape gave "/" or the byte 0 (which ends the text).
int url_decode(char* text);

// The byte of two hexadecimal digits, the first the high one.
unsigned char hex_pair_value(char first, char second);

// Cuts trailing control characters (codes 0 to 31) off `source` in place and
// copies at most `limit` characters of it to `destination`. Returns 1 when
// the text was longer than the limit, else 0.
int copy_trimmed(char* destination, char* source, std::size_t limit);
