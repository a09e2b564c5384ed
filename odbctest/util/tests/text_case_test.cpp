// Texts compared and upper-cased without regard to case.

#include <string>

#include <gtest/gtest.h>

#include "text_case.h"

namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(CompareNocase, ComparesTheUpperCaseForms) {
    struct Case {
        const char* first;
        const char* second;
        int sign;
    } cases[] = {
        {"Quit", "QUIT", 0}, {"exit", "EXIT", 0},  {"", "", 0},         {"", "end", -1},
        {"end", "", 1},      {"en", "end", -1},    {"ende", "end", 1},  {"a", "B", -1},
        {"b", "A", 1},       {"quit ", "quit", 1}, {"\xe9", "\xc9", 1},  // only a to z change
    };
    for (const auto& c : cases)
        EXPECT_EQ(sign(compare_nocase(c.first, c.second)), c.sign) << c.first << "|" << c.second;
    EXPECT_EQ(compare_nocase("", "end"), -1);
    EXPECT_EQ(compare_nocase("b", "A"), 'B' - 'A');
}

TEST(UpcaseInPlace, UpperCasesAsciiLettersOnly) {
    std::string text = "formInput-1_\xe9";
    EXPECT_EQ(upcase_in_place(text.data()), text.data());
    EXPECT_EQ(text, "FORMINPUT-1_\xe9");
}

}  // namespace
