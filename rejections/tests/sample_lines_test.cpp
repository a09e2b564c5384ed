#include "sample_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "posicion.h"
#include "temp_dir.h"

namespace rejections {
namespace {

TEST(LimpiaLin, DropsLeadingBlanksAndEveryStar) {
    struct Case {
        std::string line;
        std::string cleaned;
    };
    const Case cases[] = {
        {"   CI MEXCCO01", "CI MEXCCO01"},
        {"**** CI ****", "CI "},  // blanks after the stars lead too
        {" * *FE", "FE"},
        {"|09|a*b|  x  |", "|09|ab|  x  |"},  // inner and trailing blanks stay
        {"*****", ""},
        {"    ", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(limpia_lin(c.line), c.cleaned) << '"' << c.line << '"';
    }
}

TEST(Posicion, FindsTheFirstOccurrenceExactly) {
    EXPECT_EQ(posicion("|", "ab|cd|"), 3u);
    EXPECT_EQ(posicion("|", "|"), 1u);
    EXPECT_EQ(posicion("|", "abc"), 0u);
    EXPECT_EQ(posicion("|", ""), 0u);
    EXPECT_EQ(posicion("cd", "abcd"), 3u);
    EXPECT_EQ(posicion("CD", "abcd"), 0u);
}

TEST(SigCampo, TakesFieldsOffTheFrontOfTheLine) {
    struct Case {
        std::string line;
        std::string field;
        std::string rest;
    };
    const Case cases[] = {
        {"09|031|555", "09", "031|555"},
        {"|031|", "", "031|"},  // an empty field
        {"abc", "", "abc"},     // no "|": empty field, line kept
        {"", "", ""},
        {"a|", "a", "a|"},  // shorter than 3: its first character, line kept
        {"|", "|", "|"},
        {"ab|", "ab", ""},
    };
    for (const Case& c : cases) {
        std::string_view lin_original = c.line;
        EXPECT_EQ(sig_campo(lin_original), c.field) << '"' << c.line << '"';
        EXPECT_EQ(lin_original, c.rest) << '"' << c.line << '"';
    }
}

class SampleLines : public ::testing::Test {
protected:
    SampleFile file_with(const std::string& content) {
        return SampleFile(dir.write("sample.txt", content));
    }
    testsupport::TempDir dir;
};

TEST_F(SampleLines, LeeLinPassesOverEmptyLinesAndPageFurniture) {
    SampleFile file = file_with(
        "\r\n   \r\n***\r\n__________\r\nARCHIVO X\r\nTOTAL 3\r\n|TR|RD|\r\nMUESTRAS\r\n"
        "  ** CI MEXCCO01\r\n|T missing the bar\r\nTR ok\r\n");
    EXPECT_EQ(lee_lin(file), "CI MEXCCO01");
    EXPECT_EQ(lee_lin(file), "TR ok");  // only "|T" is furniture, not "TR"
    EXPECT_EQ(lee_lin(file), kFinDeArchivo);
    EXPECT_EQ(lee_lin(file), kFinDeArchivo);
}

TEST_F(SampleLines, LeeLinGivesTheLastLineBeforeTheEnd) {
    SampleFile without_end = file_with("CI A\r\nFE B");
    EXPECT_EQ(lee_lin(without_end), "CI A");
    EXPECT_EQ(lee_lin(without_end), "FE B");
    EXPECT_EQ(lee_lin(without_end), kFinDeArchivo);

    SampleFile with_end = file_with("CI A\r\n");
    EXPECT_EQ(lee_lin(with_end), "CI A");
    EXPECT_EQ(lee_lin(with_end), kFinDeArchivo);
}

TEST_F(SampleLines, SaltaBloqueSkipsTwoLinesThenUpToABlankOne) {
    // The first two lines go whatever they hold, even a blank one.
    SampleFile file = file_with("\r\nx\r\n|09|1|\r\nCI no\r\n   \r\nCI yes\r\n");
    EXPECT_EQ(salta_bloque(file), "   ");
    EXPECT_EQ(lee_lin(file), "CI yes");

    SampleFile unended = file_with("a\r\nb\r\nc\r\n");
    EXPECT_EQ(salta_bloque(unended), kFinDeArchivo);
    SampleFile short_one = file_with("a\r\n");
    EXPECT_EQ(salta_bloque(short_one), kFinDeArchivo);
}

}  // namespace
}  // namespace rejections
