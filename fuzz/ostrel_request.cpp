// ostrel's request intake in CGI mode: the query string, a posted form body
// and the FORM_ variables, in this order. Input: the query string, byte 1,
// the body, then byte 1 before each of FORM_DSN, FORM_UID, FORM_PWD,
// FORM_SQL (a variable the input does not reach stays unset).

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "fuzz_support.h"
#include "request.h"

namespace {

template <std::size_t N>
void check_field(const char (&field)[N]) {
    FUZZ_CHECK(strnlen(field, N) < N);
}

bool fits_connect_string(const char* value) {
    return !std::strpbrk(value, ";{}");
}

// Sets an environment variable through a buffer of its own: setenv keeps
// every value it was ever given, which millions of runs would pile up.
void put_variable(const char* name, const std::string& value) {
    static std::map<std::string, std::string> buffers;
    std::string& buffer = buffers[name];
    buffer = std::string(name) + "=" + value.c_str();
    putenv(buffer.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::bytes(data, size);
    std::size_t reached =
        1 + static_cast<std::size_t>(std::count(input.begin(), input.end(), '\x01'));
    const auto parts = fuzz::split(input, '\x01', 6);
    const std::string& query = parts[0];
    const std::string& body = parts[1];

    // Decoding never lengthens a text and gives one of its three results.
    std::string decoded = query;
    decoded.push_back('\0');
    const int decoding = url_decode(decoded.data());
    FUZZ_CHECK(decoding == 0 || decoding == -1 || decoding == -2);
    FUZZ_CHECK(std::strlen(decoded.c_str()) <= std::strlen(query.c_str()));

    setenv("REMOTE_ADDR", "127.0.0.1", 1);
    put_variable("QUERY_STRING", query);
    setenv("REQUEST_METHOD", "POST", 1);
    setenv("CONTENT_TYPE", "application/x-www-form-urlencoded", 1);
    // The announced length: the body's own, or one more when the body ends in byte 2.
    std::size_t announced = body.size();
    if (!body.empty() && body.back() == '\x02')
        ++announced;
    put_variable("CONTENT_LENGTH", std::to_string(announced));
    const char* variables[] = {"FORM_DSN", "FORM_UID", "FORM_PWD", "FORM_SQL"};
    for (std::size_t i = 0; i < 4; ++i) {
        if (i + 2 < reached)
            put_variable(variables[i], parts[i + 2]);
        else
            unsetenv(variables[i]);
    }

    request = request_state{};
    std::FILE* in =
        body.empty() ? nullptr : fmemopen(const_cast<char*>(body.data()), body.size(), "r");
    char program[] = "ostrel";
    char* argv[] = {program, nullptr};
    FUZZ_CHECK(read_request(1, argv, in) == 1);
    if (in)
        std::fclose(in);

    // Every field ends within its buffer; a connect string is made only of
    // values that can't add attributes to it.
    FUZZ_CHECK(request.cgi_mode == 1);
    check_field(request.dsn);
    check_field(request.uid);
    check_field(request.pwd);
    check_field(request.sql);
    FUZZ_CHECK(request.sql_cut == 0 || request.sql_cut == 1);
    if (request.connect_string) {
        FUZZ_CHECK(request.connect_string == request.connect_buffer);
        check_field(request.connect_buffer);
        FUZZ_CHECK(fits_connect_string(request.dsn) && fits_connect_string(request.uid) &&
                   fits_connect_string(request.pwd));
        FUZZ_CHECK(std::strncmp(request.connect_buffer, "dsn=", 4) == 0);
    } else {
        FUZZ_CHECK(request.connect_refusal != nullptr);
    }
    for (int flag : request.prompt_flags)
        FUZZ_CHECK(flag == PROMPT_NEVER || flag == PROMPT_WHEN_EMPTY || flag == PROMPT_ALWAYS);
    return 0;
}
