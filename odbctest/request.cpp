#include "request.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

#include "page_output.h"
#include "program_args.h"
#include "s_alloc.h"
#include "text_case.h"

request_state request;

namespace {

// Copies at most `limit` of the first `length` characters and terminates.
void copy_cut(char* destination, const char* source, std::size_t length, std::size_t limit) {
    const std::size_t kept = length < limit ? length : limit;
    std::memcpy(destination, source, kept);
    destination[kept] = '\0';
}

void copy_field(char* field, const char* value, std::size_t limit) {
    copy_cut(field, value, std::strlen(value), limit);
}

// One name=value piece of a form text, `length` characters at `piece`.
void take_pair(const char* piece, std::size_t length) {
    char name[kPairNameLength + 1];
    char value[kPairValueLength + 1];
    const auto* equals = static_cast<const char*>(std::memchr(piece, '=', length));
    const std::size_t name_length = equals ? static_cast<std::size_t>(equals - piece) : length;
    copy_cut(name, piece, name_length, kPairNameLength);
    std::size_t value_length = 0;
    if (equals) {
        value_length = length - name_length - 1;
        copy_cut(value, equals + 1, value_length, kPairValueLength);
    } else {
        value[0] = '\0';
    }
    // The cuts come before decoding: an escape cut in two stays as it is.
    url_decode(name);
    url_decode(value);
    upcase_in_place(name);

    if (std::strcmp(name, "FORMINPUT") == 0) {
        request.form_input = 1;
    } else if (std::strcmp(name, "PROMPT") == 0) {
        for (int& flag : request.prompt_flags)
            flag = PROMPT_NEVER;
        // The letters in the order of the fields: small asks while empty,
        // capital always; a later letter for the same field wins.
        static const char kWhenEmpty[] = "dups";
        static const char kAlways[] = "DUPS";
        for (const char* letter = value; *letter; ++letter) {
            if (const char* at = std::strchr(kWhenEmpty, *letter))
                request.prompt_flags[at - kWhenEmpty] = PROMPT_WHEN_EMPTY;
            else if (const char* capital = std::strchr(kAlways, *letter))
                request.prompt_flags[capital - kAlways] = PROMPT_ALWAYS;
        }
    } else if (std::strcmp(name, "DSN") == 0) {
        copy_field(request.dsn, value, kNameFieldLength);
    } else if (std::strcmp(name, "UID") == 0) {
        copy_field(request.uid, value, kNameFieldLength);
    } else if (std::strcmp(name, "PWD") == 0) {
        copy_field(request.pwd, value, kNameFieldLength);
    } else if (std::strcmp(name, "SQL") == 0) {
        copy_field(request.sql, value, kSqlFieldLength);
        request.sql_cut = value_length > kPairValueLength;
    }
}

bool is_form_content_type(const char* type) {
    static const char kFormType[] = "application/x-www-form-urlencoded";
    const std::size_t length = sizeof kFormType - 1;
    if (!type || strncasecmp(type, kFormType, length) != 0)
        return false;
    // Parameters such as "; charset=UTF-8" may follow.
    const char rest = type[length];
    return rest == '\0' || rest == ';' || rest == ' ' || rest == '\t';
}

// The body of a form posted to this program, read like QUERY_STRING. A body
// that is too large, shorter than announced or holds a zero byte is not
// used: a cut text could cut a statement.
void read_form_body(std::FILE* body) {
    const char* method = std::getenv("REQUEST_METHOD");
    const char* length_text = std::getenv("CONTENT_LENGTH");
    if (!body || !method || std::strcmp(method, "POST") != 0 ||
        !is_form_content_type(std::getenv("CONTENT_TYPE")) || !length_text || !*length_text)
        return;
    std::size_t length = 0;
    for (const char* digit = length_text; *digit; ++digit) {
        if (!std::isdigit(static_cast<unsigned char>(*digit)))
            return;
        length = length * 10 + static_cast<std::size_t>(*digit - '0');
        if (length > kFormBodyLimit)
            return;
    }
    auto* text = static_cast<char*>(s_alloc(length + 1, 1));
    const std::size_t received = std::fread(text, 1, length, body);
    if (received == length && !std::memchr(text, '\0', length))
        parse_form_pairs(text);
    std::free(text);
}

void take_form_variable(const char* variable, char* field, std::size_t limit, int* cut) {
    char* value = std::getenv(variable);
    if (!value)
        return;
    const int was_cut = copy_trimmed(field, value, limit);
    if (cut)
        *cut = was_cut;
}

bool fits_connect_string(const char* value) {
    return !std::strpbrk(value, ";{}");
}

// "dsn=...;uid=...;pwd=..." from the request's values. The SQLite ODBC driver
// reads attributes even inside braces, so a value holding ";", "{" or "}"
// could add attributes of its own (a library to load among them): such
// values are refused, not quoted.
void build_connect_string() {
    if (!fits_connect_string(request.dsn) || !fits_connect_string(request.uid) ||
        !fits_connect_string(request.pwd)) {
        request.connect_string = nullptr;
        request.connect_refusal =
            "The data source name, user id and password may not hold \";\", \"{\" or \"}\".";
        return;
    }
    std::snprintf(request.connect_buffer, sizeof request.connect_buffer, "dsn=%s;uid=%s;pwd=%s",
                  request.dsn, request.uid, request.pwd);
    request.connect_string = request.connect_buffer;
    request.connect_refusal = nullptr;
}

}  // namespace

int read_request(int argc, char** argv, std::FILE* body) {
    request.sql[0] = request.pwd[0] = request.uid[0] = request.dsn[0] = '\0';
    request.sql_cut = 0;
    request.cgi_mode = std::getenv("REMOTE_ADDR") != nullptr;

    if (!request.cgi_mode) {
        if (argc != 2) {
            print_usage();
            out_text("Error: Wrong number of arguments\n");
            out_flush();  // the run ends here
            return 0;
        }
        // The local user's own connect string, handed to the driver unparsed.
        request.connect_string = argv[1];
        request.show_form = std::strncmp(argv[1], "dsn=", 4) != 0;
        return 1;
    }

    if (const char* query = std::getenv("QUERY_STRING"))
        parse_form_pairs(query);
    read_form_body(body);
    take_form_variable("FORM_DSN", request.dsn, kNameFieldLength, nullptr);
    take_form_variable("FORM_UID", request.uid, kNameFieldLength, nullptr);
    take_form_variable("FORM_PWD", request.pwd, kNameFieldLength, nullptr);
    take_form_variable("FORM_SQL", request.sql, kSqlFieldLength, &request.sql_cut);
    build_connect_string();

    const char* fields[4] = {request.dsn, request.uid, request.pwd, request.sql};
    request.show_form = 0;
    for (int i = 0; i < 4; ++i) {
        if (request.prompt_flags[i] == PROMPT_WHEN_EMPTY && fields[i][0] != '\0')
            request.prompt_flags[i] = PROMPT_NEVER;
        if (request.prompt_flags[i] != PROMPT_NEVER)
            request.show_form = 1;
    }
    return 1;
}

void parse_form_pairs(const char* text) {
    // Separators are found before any decoding: "%3B" does not separate.
    const char* piece = text;
    while (true) {
        const std::size_t length = std::strcspn(piece, ";&");
        take_pair(piece, length);
        if (piece[length] == '\0')
            return;
        piece += length + 1;
    }
}

int url_decode(char* text) {
    bool bad_escape = false;
    bool slash_or_zero = false;
    char* out = text;
    for (const char* in = text; *in; ++in) {
        if (*in == '+') {
            *out++ = ' ';
        } else if (*in == '%' && std::isxdigit(static_cast<unsigned char>(in[1])) &&
                   std::isxdigit(static_cast<unsigned char>(in[2]))) {
            const unsigned char byte = hex_pair_value(in[1], in[2]);
            in += 2;
            if (byte == '/' || byte == 0)
                slash_or_zero = true;
            if (byte == 0)
                break;  // a decoded zero ends the text
            *out++ = static_cast<char>(byte);
        } else {
            if (*in == '%')
                bad_escape = true;
            *out++ = *in;
        }
    }
    *out = '\0';
    if (bad_escape)
        return -1;
    return slash_or_zero ? -2 : 0;
}

unsigned char hex_pair_value(char first, char second) {
    auto digit = [](char c) {
        const int code = static_cast<unsigned char>(c);
        return code > 64 ? (code & ~32) - 55 : code - 48;
    };
    return static_cast<unsigned char>(digit(first) * 16 + digit(second));
}

int copy_trimmed(char* destination, char* source, std::size_t limit) {
    // Only codes 0 to 31 are control characters: bytes 128 to 255 of a UTF-8
    // or Latin-1 value stay.
    std::size_t length = std::strlen(source);
    while (length > 0 && static_cast<unsigned char>(source[length - 1]) <= 31)
        --length;
    source[length] = '\0';
    copy_cut(destination, source, length, limit);
    return length > limit;
}
