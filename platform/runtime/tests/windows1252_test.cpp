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

// ASCII is skipped in words of eight bytes: letters of the code page are
// found at every place in a line, next to a word's edge or in its tail.
TEST(Windows1252, LettersAreFoundAtEveryPlaceOfALine) {
    for (std::size_t length = 1; length <= 20; ++length) {
        for (std::size_t first = 0; first < length; ++first) {
            for (std::size_t second = first; second < length; ++second) {
                std::string cp1252(length, 'a');
                cp1252[first] = '\xE9';
                cp1252[second] = second == first ? '\xE9' : '\x80';
                std::string utf8(length - second - 1, 'a');
                if (second != first)
                    utf8 = std::string(second - first - 1, 'a') + "€" + utf8;
                utf8 = std::string(first, 'a') + "é" + utf8;
                EXPECT_EQ(windows1252_to_utf8(cp1252), utf8)
                    << length << " " << first << " " << second;
            }
        }
    }
}

}  // namespace
}  // namespace runtime
