#include "runtime/line_reader.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

TEST(Windows1252, EveryByteBecomesItsCharacterInUtf8) {
    struct Case {
        std::string cp1252;
        std::string utf8;
    };
    const Case cases[] = {
        {"CENTRAL 01|", "CENTRAL 01|"},
        {"\xD1"
         "u\xF1"
         "ez",
         "Ñuñez"},  // Latin-1 letters
        {"Divisi\xF3n", "División"},
        {"\x80 \x85 \x99", "€ … ™"},                                 // the code page's own block
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},  // its undefined bytes
        {"\xFF", "ÿ"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(windows1252_to_utf8(c.cp1252), c.utf8) << c.utf8;
        std::string appended = "x";
        append_windows1252_as_utf8(appended, c.cp1252);
        EXPECT_EQ(appended, "x" + c.utf8);
    }
}

}  // namespace
}  // namespace runtime
