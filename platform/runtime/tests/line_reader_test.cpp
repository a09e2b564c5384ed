#include "runtime/line_reader.h"

#include <gtest/gtest.h>

#include "runtime/runtime_error.h"
#include "temp_dir.h"

using namespace runtime;

namespace {
std::vector<std::string> all_lines(LineReader& reader) {
    std::vector<std::string> lines;
    while (!reader.eof())
        lines.push_back(reader.read_line());
    return lines;
}
}  // namespace

TEST(LineReader, EveryKindOfLineEnd) {
    testsupport::TempDir dir;
    struct Case {
        const char* content;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"", {}},
        {"\r\n", {""}},
    };
    for (const Case& c : cases) {
        LineReader reader(dir.write("report.txt", c.content));
        EXPECT_EQ(all_lines(reader), c.lines) << c.content;
    }
}

TEST(LineReader, CodePageBecomesUtf8) {
    testsupport::TempDir dir;
    LineReader reader(dir.write("t.txt",
                                "T\xE9"
                                "cnico \xD1"
                                "and\xFA \x80\r\n"));
    EXPECT_EQ(reader.read_line(), "Técnico Ñandú €");
    EXPECT_TRUE(reader.eof());
    EXPECT_EQ(reader.length(), 17u);
}

TEST(LineReader, CrLfSplitAcrossTheBufferIsOneLineEnd) {
    testsupport::TempDir dir;
    std::string content(64 * 1024 - 1, 'x');
    content += "\r\nlast";
    LineReader reader(dir.write("big.txt", content));
    EXPECT_EQ(reader.read_line().size(), 64u * 1024 - 1);
    EXPECT_EQ(reader.read_line(), "last");
    EXPECT_TRUE(reader.eof());
}

TEST(LineReader, ErrorsNameTheFile) {
    testsupport::TempDir dir;
    try {
        LineReader reader(dir.path() / "missing.txt");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kFileNotFound);
        EXPECT_NE(std::string(e.what()).find("missing.txt"), std::string::npos);
    }
    LineReader reader(dir.write("one.txt", "x"));
    reader.read_line();
    try {
        reader.read_line();
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kInputPastEndOfFile);
    }
}
