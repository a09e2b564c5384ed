#include "billing_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

using billing::BillingFile;
using billing::isDataLine;
using billing::quita_esp;
using testsupport::TempDir;

std::vector<std::string> dataLinesOf(const std::string& content) {
    TempDir dir;
    BillingFile file(dir.write("dump.txt", content));
    EXPECT_TRUE(file.isOpen());
    std::vector<std::string> lines;
    while (const auto line = file.lee_lin()) {
        lines.emplace_back(*line);
    }
    EXPECT_FALSE(file.readFailed());
    return lines;
}

TEST(QuitaEsp, RemovesEveryBlankAndNothingElse) {
    EXPECT_EQ(quita_esp(" 01 00 6E  0A\t1 "), "01006E0A\t1");
    EXPECT_EQ(quita_esp("   "), "");
    EXPECT_EQ(quita_esp(""), "");
}

struct LineCase {
    const char* line;
    bool data;
};

void PrintTo(const LineCase& c, std::ostream* out) {
    *out << testing::PrintToString(c.line);
}

class DataLines : public testing::TestWithParam<LineCase> {};

TEST_P(DataLines, AreTheLinesOfTheDigitStream) {
    EXPECT_EQ(isDataLine(GetParam().line), GetParam().data) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Dump, DataLines,
    testing::Values(LineCase{"01006E0A0B", true}, LineCase{"F0", true}, LineCase{"ABCDEF", true},
                    LineCase{"-----", true}, LineCase{"***", true}, LineCase{"\t01", true},
                    LineCase{"EN", true}, LineCase{"EXTRA", true}, LineCase{"", false},
                    LineCase{"G0", false}, LineCase{"01006e", true}, LineCase{"a0b1c2", false},
                    LineCase{"<html>", false}, LineCase{"FILE0001", false},
                    LineCase{"BANDA", false}, LineCase{"END", false}, LineCase{"EOT", false},
                    LineCase{"CONTINUA", false}, LineCase{"ORDEN", false}, LineCase{"EX-01", false},
                    LineCase{"end", false},
                    LineCase{"\xC9"
                             "01",
                             false}));

TEST(BillingFile, EndsLinesAtCrLfLfOrCrAndKeepsALastLineWithoutEnd) {
    // A trailer word right after any line end begins a line of its own.
    EXPECT_EQ(dataLinesOf("01\r\nEND\n02\rEOT\r03\r\n\r\nFIL\n04"),
              (std::vector<std::string>{"01", "02", "03", "04"}));
}

TEST(BillingFile, ReturnsDataLinesWithoutBlanksAndSkipsTheRest) {
    EXPECT_EQ(dataLinesOf("FILE 0001 DUMP\r\n"
                          "  01 00 6E 0A  \r\n"
                          "    \r\n"
                          "<pre>\r\n"
                          "a0b0c0\r\n"
                          "E ND OF BLOCK\r\n"
                          "0B 0C\r\n"),
              (std::vector<std::string>{"01006E0A", "0B0C"}));
}

TEST(BillingFile, KeepsTheBytesOfTheOldCodePage) {
    EXPECT_EQ(dataLinesOf("01\xE9"
                          "02\r\n"),
              (std::vector<std::string>{"01\xE9"
                                        "02"}));
}

TEST(BillingFile, ReadsLinesThatCrossItsReadingChunks) {
    const std::string longLine(200000, 'A');
    EXPECT_EQ(dataLinesOf(longLine + "\r\n0B\r\n"), (std::vector<std::string>{longLine, "0B"}));
}

TEST(BillingFile, CannotOpenAMissingFileOrAFolder) {
    TempDir dir;
    EXPECT_FALSE(BillingFile(dir.path() / "missing.txt").isOpen());
    EXPECT_FALSE(BillingFile(dir.path()).isOpen());
    BillingFile missing(dir.path() / "missing.txt");
    EXPECT_FALSE(missing.lee_lin().has_value());
}

}  // namespace
