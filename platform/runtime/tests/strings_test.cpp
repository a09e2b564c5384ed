#include "runtime/strings.h"

#include <gtest/gtest.h>

#include "runtime/runtime_error.h"

using namespace runtime;

TEST(Strings, CaseChangesEveryLetterAccentedOnesIncluded) {
    EXPECT_EQ(ucase("ñandú árbol Ümlaut çé"), "ÑANDÚ ÁRBOL ÜMLAUT ÇÉ");
    EXPECT_EQ(lcase("ÑANDÚ ÁRBOL ÜMLAUT ÇÉ"), "ñandú árbol ümlaut çé");
    EXPECT_EQ(ucase("a1-b_ß×÷"), "A1-B_ß×÷");  // no capital for ß, signs unchanged
}

TEST(Strings, CaseBlindComparisonKeepsAccents) {
    EXPECT_TRUE(equal_case_blind("CONTRASEÑA", "contraseña"));
    EXPECT_TRUE(equal_case_blind("Álvarez", "ÁLVAREZ"));
    EXPECT_FALSE(equal_case_blind("alvarez", "álvarez"));
    EXPECT_LT(compare_case_blind("abc", "ABD"), 0);
    EXPECT_GT(compare_case_blind("abcd", "ABC"), 0);
}

TEST(Strings, TrimRemovesBlanksOnly) {
    EXPECT_EQ(trim("  a b \t "), "a b \t");
    EXPECT_EQ(ltrim("  x "), "x ");
    EXPECT_EQ(rtrim("  x "), "  x");
    EXPECT_EQ(trim("   "), "");
}

TEST(Strings, PiecesCountCharactersNotBytes) {
    EXPECT_EQ(len("Año"), 3);
    EXPECT_EQ(mid("Técnico", 2, 3), "écn");
    EXPECT_EQ(mid("Técnico", 5), "ico");
    EXPECT_EQ(mid("abc", 9), "");
    EXPECT_EQ(left("Ñandú", 2), "Ña");
    EXPECT_EQ(right("Ñandú", 2), "dú");
    EXPECT_EQ(right("ab", 5), "ab");
    EXPECT_EQ(instr("Señor Señal", "ñal"), 9);
    EXPECT_EQ(instr(3, "abcabc", "a"), 4);
    EXPECT_EQ(instr("abc", "x"), 0);
    EXPECT_THROW(mid("abc", 0), Error);
}

// The views count bytes, for lines still in a single-byte code page.
TEST(Strings, ViewsCutSingleByteTextWithoutCopying) {
    const std::string_view linea = "FECHA: Jun 15|  10:45";
    EXPECT_EQ(mid_view(linea, 8, 3), "Jun");
    EXPECT_EQ(mid_view(linea, 8, 3).data(), linea.data() + 7);  // a view, no copy
    EXPECT_EQ(mid_view(linea, 20), "45");
    EXPECT_EQ(mid_view(linea, 22, 3), "");
    EXPECT_EQ(mid_view(linea, 0, 3), "");
    EXPECT_EQ(mid_view("A\xD1O", 2, 1), "\xD1");  // one byte, one character
    EXPECT_EQ(left_view(linea, 5), "FECHA");
    EXPECT_EQ(left_view("ab", 5), "ab");
    EXPECT_EQ(right_view(linea, 5), "10:45");
    EXPECT_EQ(right_view("ab", 5), "ab");
    EXPECT_EQ(trim_view("  x y  "), "x y");
    EXPECT_EQ(trim_view("   "), "");
}

TEST(Strings, StrayBytesSurviveAsCharacters) {
    std::string stray = "a\xE9z";  // a Latin-1 byte that is no UTF-8
    EXPECT_EQ(len(stray), 3);
    EXPECT_EQ(ucase(stray), "A\xC3\x89Z");
}
