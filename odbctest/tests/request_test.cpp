// The request intake: the command-line argument, and in CGI mode the query
// string, a posted form body and the FORM_ variables, in that order.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "capture_output.h"
#include "program_args.h"
#include "request.h"

namespace {

const char* const kRequestVariables[] = {
    "REMOTE_ADDR", "QUERY_STRING", "REQUEST_METHOD", "CONTENT_TYPE", "CONTENT_LENGTH",
    "FORM_DSN",    "FORM_UID",     "FORM_PWD",       "FORM_SQL",
};

const char* const kFormType = "application/x-www-form-urlencoded";

// The prompt flags as one text, "2222" at start.
std::string flags_text() {
    std::string text;
    for (int flag : request.prompt_flags)
        text += char('0' + flag);
    return text;
}

class RequestIntake : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : kRequestVariables)
            unsetenv(name);
        request = request_state{};
    }
    void TearDown() override {
        for (const char* name : kRequestVariables)
            unsetenv(name);
    }
    // One CGI request: its variables, and a body on standard input.
    int read_cgi(const std::map<std::string, std::string>& env, const std::string& body = "") {
        setenv("REMOTE_ADDR", "127.0.0.1", 1);
        for (const auto& [name, value] : env)
            setenv(name.c_str(), value.c_str(), 1);
        std::string input = body;
        std::FILE* in = fmemopen(input.data(), input.size() + 1, "r");
        char program[] = "ostrel";
        char* argv[] = {program, nullptr};
        int result = read_request(1, argv, in);
        std::fclose(in);
        return result;
    }
};

std::map<std::string, std::string> posted(const std::string& body,
                                          const std::string& type = kFormType) {
    return {{"REQUEST_METHOD", "POST"},
            {"CONTENT_TYPE", type},
            {"CONTENT_LENGTH", std::to_string(body.size())}};
}

struct IntakeCase {
    const char* what;
    std::map<std::string, std::string> env;
    std::string body;
    std::string dsn, uid, pwd, sql;
    std::string flags;
    int form_input;
    int show_form;
    int sql_cut;
};

std::map<std::string, std::string> with(std::map<std::string, std::string> env,
                                        const std::map<std::string, std::string>& more) {
    env.insert(more.begin(), more.end());
    return env;
}

TEST_F(RequestIntake, FieldsFlagsAndTheFormFollowTheRequest) {
    const std::string x100(100, 'x'), x600(600, 'x');
    const std::string posted_body = "dsn=posted&FORMINPUT=1&PROMPT=&SQL=select+1";
    const IntakeCase cases[] = {
        {"no request at all", {}, "", "", "", "", "", "2222", 0, 1, 0},
        {"the password only is asked for",
         {{"QUERY_STRING", "dsn=Sales;uid=jones&PROMPT=p"}},
         "",
         "Sales",
         "jones",
         "",
         "",
         "0010",
         0,
         1,
         0},
        {"names are case-blind, the later pair wins",
         {{"QUERY_STRING", "Dsn=a&dsn=b"}},
         "",
         "b",
         "",
         "",
         "",
         "2222",
         0,
         1,
         0},
        {"an empty PROMPT connects at once",
         {{"QUERY_STRING", "prompt="}},
         "",
         "",
         "",
         "",
         "",
         "0000",
         0,
         0,
         0},
        {"a filled field loses its small letter, not a capital",
         {{"QUERY_STRING", "PROMPT=dP&dsn=x"}},
         "",
         "x",
         "",
         "",
         "",
         "0020",
         0,
         1,
         0},
        {"a later letter for the same field wins",
         {{"QUERY_STRING", "PROMPT=Ddus&dsn=x&sql=y"}},
         "",
         "x",
         "",
         "",
         "y",
         "0100",
         0,
         1,
         0},
        {"other PROMPT letters are ignored",
         {{"QUERY_STRING", "PROMPT=xyz!"}},
         "",
         "",
         "",
         "",
         "",
         "0000",
         0,
         0,
         0},
        {"an encoded separator does not split",
         {{"QUERY_STRING", "sql=a%3Bb&prompt="}},
         "",
         "",
         "",
         "",
         "a;b",
         "0000",
         0,
         0,
         0},
        {"plus is a blank, escapes decode",
         {{"QUERY_STRING", "sql=select+%2A+from+t"}},
         "",
         "",
         "",
         "",
         "select * from t",
         "2222",
         0,
         1,
         0},
        {"a query-string value keeps 79 raw characters and is marked cut",
         {{"QUERY_STRING", "sql=" + x100}},
         "",
         "",
         "",
         "",
         x100.substr(0, 79),
         "2222",
         0,
         1,
         1},
        {"the cut comes before decoding",
         {{"QUERY_STRING", "sql=" + std::string(77, 'a') + "%41"}},
         "",
         "",
         "",
         "",
         std::string(77, 'a') + "%4",
         "2222",
         0,
         1,
         1},
        {"a value of exactly 79 is whole",
         {{"QUERY_STRING", "sql=" + x100.substr(0, 79)}},
         "",
         "",
         "",
         "",
         x100.substr(0, 79),
         "2222",
         0,
         1,
         0},
        {"a later whole statement clears the mark",
         {{"QUERY_STRING", "sql=" + x100 + "&sql=short"}},
         "",
         "",
         "",
         "",
         "short",
         "2222",
         0,
         1,
         0},
        {"fields keep 33 characters",
         {{"QUERY_STRING", "pwd=" + x100}},
         "",
         "",
         "",
         x100.substr(0, 33),
         "",
         "2222",
         0,
         1,
         0},
        {"FORM_SQL keeps up to 511", {{"FORM_SQL", x100}}, "", "", "", "", x100, "2222", 0, 1, 0},
        {"a longer FORM_SQL is cut and marked",
         {{"FORM_SQL", x600}},
         "",
         "",
         "",
         "",
         x600.substr(0, 511),
         "2222",
         0,
         1,
         1},
        {"FORM_ variables win, trailing CR LF goes",
         {{"QUERY_STRING", "dsn=Sales&pwd=q"}, {"FORM_PWD", "secret\r\n"}, {"FORM_DSN", ""}},
         "",
         "",
         "",
         "secret",
         "",
         "2222",
         0,
         1,
         0},
        {"trailing bytes above 127 of a FORM_ value stay",
         {{"FORM_UID", "M\xc3\xbcller\xc3\xbc\x1f"}},
         "",
         "",
         "M\xc3\xbcller\xc3\xbc",
         "",
         "",
         "2222",
         0,
         1,
         0},
        {"separators, empty pairs and bare names",
         {{"QUERY_STRING", "&&dsn=a;;=x&FORMINPUT&nosuch=1&"}},
         "",
         "a",
         "",
         "",
         "",
         "2222",
         1,
         1,
         0},
        {"a name is cut to 29 before it is compared",
         {{"QUERY_STRING", "FORMINPUTFORMINPUTFORMINPUT12FORMINPUT=1&%53ql=x"}},
         "",
         "",
         "",
         "",
         "x",
         "2222",
         0,
         1,
         0},
        {"a decoded zero ends the value",
         {{"QUERY_STRING", "uid=ab%00cd"}},
         "",
         "",
         "ab",
         "",
         "",
         "2222",
         0,
         1,
         0},
        {"a posted form is read", posted(posted_body), posted_body, "posted", "", "", "select 1",
         "0000", 1, 0, 0},
        {"the body comes after the query string and before FORM_",
         with(posted("dsn=body&uid=body"),
              {{"QUERY_STRING", "dsn=query&uid=query&pwd=query"}, {"FORM_UID", "variable"}}),
         "dsn=body&uid=body", "body", "variable", "query", "", "2222", 0, 1, 0},
        {"the content type may carry parameters and any case",
         posted("dsn=a", "Application/X-WWW-Form-Urlencoded; charset=UTF-8"), "dsn=a", "a", "", "",
         "", "2222", 0, 1, 0},
        {"only CONTENT_LENGTH bytes are read", posted("dsn=abc"), "dsn=abcdef", "abc", "", "", "",
         "2222", 0, 1, 0},
        {"another content type is not read", posted("dsn=a", "multipart/form-data"), "dsn=a", "",
         "", "", "", "2222", 0, 1, 0},
        {"a GET body is not read",
         {{"REQUEST_METHOD", "GET"}, {"CONTENT_LENGTH", "5"}, {"CONTENT_TYPE", kFormType}},
         "dsn=a",
         "",
         "",
         "",
         "",
         "2222",
         0,
         1,
         0},
        {"a body shorter than announced is not used",
         {{"REQUEST_METHOD", "POST"}, {"CONTENT_TYPE", kFormType}, {"CONTENT_LENGTH", "40"}},
         "dsn=a&sql=delete+from+t",
         "",
         "",
         "",
         "",
         "2222",
         0,
         1,
         0},
        {"a body over 64 KiB is not read",
         {{"REQUEST_METHOD", "POST"}, {"CONTENT_TYPE", kFormType}, {"CONTENT_LENGTH", "65537"}},
         "dsn=a&" + std::string(65531, 'x'),
         "",
         "",
         "",
         "",
         "2222",
         0,
         1,
         0},
        {"a malformed length is not read",
         {{"REQUEST_METHOD", "POST"}, {"CONTENT_TYPE", kFormType}, {"CONTENT_LENGTH", "5x"}},
         "dsn=a",
         "",
         "",
         "",
         "",
         "2222",
         0,
         1,
         0},
    };
    for (const auto& c : cases) {
        SetUp();
        EXPECT_EQ(read_cgi(c.env, c.body), 1) << c.what;
        EXPECT_EQ(request.cgi_mode, 1);
        EXPECT_EQ(request.dsn, c.dsn) << c.what;
        EXPECT_EQ(request.uid, c.uid) << c.what;
        EXPECT_EQ(request.pwd, c.pwd) << c.what;
        EXPECT_EQ(request.sql, c.sql) << c.what;
        EXPECT_EQ(flags_text(), c.flags) << c.what;
        EXPECT_EQ(request.form_input, c.form_input) << c.what;
        EXPECT_EQ(request.show_form, c.show_form) << c.what;
        EXPECT_EQ(request.sql_cut, c.sql_cut) << c.what;
    }
}

TEST_F(RequestIntake, ConnectStringHoldsTheValuesOrIsRefused) {
    read_cgi({{"QUERY_STRING", "dsn=Sales&uid=jones&pwd=s%3Dcret&sql=select+1"}});
    EXPECT_STREQ(request.connect_string, "dsn=Sales;uid=jones;pwd=s=cret");
    EXPECT_EQ(request.connect_refusal, nullptr);

    SetUp();
    read_cgi({});
    EXPECT_STREQ(request.connect_string, "dsn=;uid=;pwd=");

    // A value that could add attributes of its own never reaches the driver.
    for (const char* query : {"dsn=a%3Bdriver%3D%2Ftmp%2Fx.so", "pwd=%7Ba%3Bb%7D", "uid=a%7Db"}) {
        SetUp();
        read_cgi({{"QUERY_STRING", query}});
        EXPECT_EQ(request.connect_string, nullptr) << query;
        EXPECT_THAT(request.connect_refusal, testing::HasSubstr("may not hold")) << query;
    }
    SetUp();
    read_cgi({{"FORM_PWD", "x;LoadExt=/tmp/evil"}});
    EXPECT_EQ(request.connect_string, nullptr);
}

TEST_F(RequestIntake, AnEmptyRemoteAddrStillMeansCgi) {
    setenv("REMOTE_ADDR", "", 1);
    char program[] = "ostrel";
    char* argv[] = {program, nullptr};
    EXPECT_EQ(read_request(1, argv, nullptr), 1);
    EXPECT_EQ(request.cgi_mode, 1);
    EXPECT_EQ(request.show_form, 1);
}

TEST_F(RequestIntake, CommandLineTakesItsOneArgumentUnparsed) {
    setenv("QUERY_STRING", "dsn=ignored", 1);
    char program[] = "ostrel";
    char argument[] = "dsn=Sales;uid=jones;pwd={a;b}";
    char* argv[] = {program, argument, nullptr};
    EXPECT_EQ(read_request(2, argv, nullptr), 1);
    EXPECT_EQ(request.cgi_mode, 0);
    EXPECT_EQ(request.connect_string, argument);
    EXPECT_EQ(request.show_form, 0);
    EXPECT_STREQ(request.dsn, "");

    char upper[] = "DSN=Sales";  // the test for "dsn=" is case-sensitive
    argv[1] = upper;
    read_request(2, argv, nullptr);
    EXPECT_EQ(request.show_form, 1);
}

TEST_F(RequestIntake, CommandLineWithAnotherCountGivesUsageAndStops) {
    program_info = {"ostrel", "Banner\n", "dsn=dsn_name", PROGRAM_RESPONSE_FILES, nullptr};
    char program[] = "ostrel";
    char one[] = "dsn=a";
    char two[] = "dsn=b";
    char* argv[] = {program, one, two, nullptr};
    for (int argc : {1, 3}) {
        int result = -1;
        std::string out;
        std::string err = testsupport::capture_stderr([&] {
            out = testsupport::capture_stdout([&] { result = read_request(argc, argv, nullptr); });
        });
        EXPECT_EQ(result, 0);
        EXPECT_EQ(out, "Error: Wrong number of arguments\n");
        EXPECT_EQ(err, "Banner\n\nUsage:\n  ostrel dsn=dsn_name\n");
    }
}

TEST(UrlDecode, DecodesInPlaceAndReportsOddEscapes) {
    struct Case {
        const char* text;
        const char* decoded;
        int result;
    } cases[] = {
        {"", "", 0},
        {"a+b%20c", "a b c", 0},
        {"%e9%C9", "\xe9\xc9", 0},
        {"%41%2f", "A/", -2},
        {"%00abc", "", -2},
        {"%4", "%4", -1},
        {"%zz", "%zz", -1},
        {"100%", "100%", -1},
        {"%%41", "%A", -1},
        {"%2F%zz", "/%zz", -1},  // a bad escape outweighs a slash
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(url_decode(text.data()), c.result) << c.text;
        EXPECT_STREQ(text.c_str(), c.decoded) << c.text;
    }
}

TEST(HexPairValue, ReadsDigitsOfEitherCase) {
    EXPECT_EQ(hex_pair_value('4', '1'), 0x41);
    EXPECT_EQ(hex_pair_value('f', 'F'), 0xff);
    EXPECT_EQ(hex_pair_value('A', '0'), 0xa0);
    EXPECT_EQ(hex_pair_value('0', '0'), 0);
}

TEST(CopyTrimmed, CutsTrailingControlCharactersAndBoundsTheCopy) {
    struct Case {
        const char* source;
        std::size_t limit;
        const char* copied;
        int cut;
    } cases[] = {
        {"Sales", 33, "Sales", 0},
        {"Sales\r\n", 33, "Sales", 0},
        {"\t\x01\x1f", 33, "", 0},
        {"in\tside ", 33, "in\tside ", 0},  // a blank is no control character
        {"caf\xc3\xa9", 33, "caf\xc3\xa9", 0},
        {"abcdef", 4, "abcd", 1},
        {"abcd\n", 4, "abcd", 0},
    };
    for (const auto& c : cases) {
        std::string source = c.source;
        char destination[40];
        EXPECT_EQ(copy_trimmed(destination, source.data(), c.limit), c.cut) << c.source;
        EXPECT_STREQ(destination, c.copied) << c.source;
    }
}

}  // namespace
