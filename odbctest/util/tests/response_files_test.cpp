// Response files: the words of a last "@file" argument replace it.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "program_args.h"
#include "response_files.h"
#include "temp_dir.h"

namespace {

using testsupport::TempDir;

std::vector<std::string> expanded(std::vector<std::string> words, int flags) {
    std::vector<char*> pointers;
    for (auto& word : words)
        pointers.push_back(word.data());
    pointers.push_back(nullptr);
    int argc = static_cast<int>(words.size());
    char** argv = pointers.data();
    expand_response_files(&argc, &argv, flags);
    EXPECT_EQ(argv[argc], nullptr);
    return {argv, argv + argc};
}

struct FileCase {
    std::string content;
    std::vector<std::string> words;  // after the program path
};

TEST(ResponseFiles, WordsOfTheFileReplaceTheLastArgument) {
    const std::string long_word(600, 'w');
    const FileCase cases[] = {
        {"dsn=Sales;uid=jones\n", {"dsn=Sales;uid=jones"}},
        {"two words", {"two", "words"}},
        {"  \t\n lead and trail \n\n", {"lead", "and", "trail"}},
        {"\"a b\" 'c d'", {"a b", "c d"}},
        {"'unclosed quote\nnext", {"unclosed quote", "next"}},
        {"\"mixed 'inner' quotes\"", {"mixed 'inner' quotes"}},
        {"\"\" empty", {"", "empty"}},
        {"last without line end", {"last", "without", "line", "end"}},
        {"crlf\r\nlines\r\n", {"crlf\r", "lines\r"}},
        {"@nested.rsp", {"@nested.rsp"}},  // words of a file are not expanded again
        {"", {}},
        {long_word + " after", {long_word, "after"}},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto file = dir.write("conn.rsp", c.content);
        std::vector<std::string> expected = {"ostrel"};
        expected.insert(expected.end(), c.words.begin(), c.words.end());
        EXPECT_EQ(expanded({"ostrel", "@" + file.string()}, PROGRAM_RESPONSE_FILES), expected)
            << c.content.substr(0, 40);
    }
}

TEST(ResponseFiles, OnlyALastAtArgumentUnderTheFlagNamesAFile) {
    TempDir dir;
    auto file = dir.write("conn.rsp", "dsn=x");
    const std::string at_file = "@" + file.string();
    EXPECT_THAT(expanded({"ostrel", at_file, "b"}, PROGRAM_RESPONSE_FILES),
                testing::ElementsAre("ostrel", at_file, "b"));
    EXPECT_THAT(expanded({"ostrel", at_file}, 1), testing::ElementsAre("ostrel", at_file));
}

TEST(ResponseFiles, VectorGrowsPastItsFirstRoom) {
    TempDir dir;
    std::string content;
    for (int i = 0; i < 75; ++i)
        content += "w" + std::to_string(i) + "\n";
    auto file = dir.write("many.rsp", content);
    auto words = expanded({"ostrel", "a", "@" + file.string()}, PROGRAM_RESPONSE_FILES);
    ASSERT_EQ(words.size(), 77u);
    EXPECT_EQ(words[1], "a");
    EXPECT_EQ(words[76], "w74");
}

TEST(ResponseFiles, UnreadableFileIsLoggedAndEndsTheProcess) {
    // A fresh process: the logger must not have been set up by other cases.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(expanded({"ostrel", "@missing.rsp"}, PROGRAM_RESPONSE_FILES),
                testing::ExitedWithCode(1),
                testing::Eq("unable to open response file missing.rsp\n"));
}

}  // namespace
