#include "cp1252.h"

#include <gtest/gtest.h>

namespace rejections {
namespace {

TEST(Cp1252, EveryByteBecomesItsCharacterInUtf8) {
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
        EXPECT_EQ(utf8_from_cp1252(c.cp1252), c.utf8) << c.utf8;
    }
}

}  // namespace
}  // namespace rejections
