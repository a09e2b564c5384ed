#include "sample_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_dir.h"

namespace rejections {
namespace {

std::vector<std::string> lines_of(const std::filesystem::path& file) {
    SampleFile sample(file);
    std::vector<std::string> lines;
    std::string line;
    while (sample.read_line(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(SampleFile, ReadsLinesEndedByCrLfLfOrCr) {
    using Lines = std::vector<std::string>;
    struct Case {
        const char* name;
        std::string content;
        Lines lines;
    };
    const Case cases[] = {
        {"CR LF", "CI A\r\nFE B\r\n", {"CI A", "FE B"}},
        {"LF", "CI A\nFE B\n", {"CI A", "FE B"}},
        {"CR", "CI A\rFE B\r", {"CI A", "FE B"}},
        {"mixed", "CI A\r\nFE B\nCO\rLA\r\n", {"CI A", "FE B", "CO", "LA"}},
        {"last line without an end", "CI A\r\nFE B", {"CI A", "FE B"}},
        {"empty lines kept", "CI A\r\n\r\n\n\rFE", {"CI A", "", "", "", "FE"}},
        {"empty file", "", {}},
        {"one line end", "\r\n", {""}},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        EXPECT_EQ(lines_of(dir.write("sample.txt", c.content)), c.lines) << c.name;
    }
}

TEST(SampleFile, ReadsLinesLongerThanItsBufferAndLineEndsSplitAcrossIt) {
    testsupport::TempDir dir;
    // A CR LF whose CR ends one piece of the file read and whose LF begins
    // the next is one line end.
    const std::string first(65535, 'a');
    const std::string long_line(200000, 'b');
    const auto file = dir.write("sample.txt", first + "\r\n" + long_line + "\rCI\r\n");
    EXPECT_EQ(lines_of(file), (std::vector<std::string>{first, long_line, "CI"}));
}

TEST(SampleFile, KeepsTheBytesOfTheCodePage) {
    testsupport::TempDir dir;
    EXPECT_EQ(lines_of(dir.write("sample.txt", "CA\xD1|\r\n")),
              std::vector<std::string>{"CA\xD1|"});
}

TEST(SampleFile, MissingFileAndFolderFailWithTheRuntimeNumbers) {
    testsupport::TempDir dir;
    try {
        SampleFile missing(dir.path() / "none.txt");
        FAIL() << "a missing file opened";
    } catch (const SampleFileError& error) {
        EXPECT_EQ(error.number(), 53);
    }
    try {
        SampleFile folder(dir.path());
        FAIL() << "a folder opened";
    } catch (const SampleFileError& error) {
        EXPECT_EQ(error.number(), 75);
    }
}

}  // namespace
}  // namespace rejections
