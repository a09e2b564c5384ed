#include "hex_digits.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using billing::hex_a_texto;
using billing::hexValue;
using billing::signedHexValue;

struct NumberCase {
    const char* digits;
    double value;
};

void PrintTo(const NumberCase& c, std::ostream* out) {
    *out << c.digits;
}

class HexValue : public testing::TestWithParam<NumberCase> {};

TEST_P(HexValue, ReadsDigitsUpToTheFirstThatIsNone) {
    EXPECT_EQ(hexValue(GetParam().digits), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Fields, HexValue,
                         testing::Values(NumberCase{"000010", 16}, NumberCase{"FFFFFF", 16777215},
                                         NumberCase{"00ffAb", 0xFFAB}, NumberCase{"1G00", 1},
                                         NumberCase{"G100", 0}, NumberCase{"", 0},
                                         NumberCase{"FFFFFFFF", 4294967295.0}));

class SignedHexValue : public testing::TestWithParam<NumberCase> {};

TEST_P(SignedHexValue, ReadsEightDigitsAsTwosComplement) {
    EXPECT_EQ(signedHexValue(GetParam().digits), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Fields, SignedHexValue,
                         testing::Values(NumberCase{"FFFFFFFF", -1},
                                         NumberCase{"80000000", -2147483648.0},
                                         NumberCase{"7FFFFFFF", 2147483647},
                                         NumberCase{"0000002A", 42}, NumberCase{"fffffffe", -2},
                                         NumberCase{"FFFF#FFF", 65535}));

struct TextCase {
    std::string digits;
    std::string text;
};

void PrintTo(const TextCase& c, std::ostream* out) {
    *out << testing::PrintToString(c.digits);
}

class HexATexto : public testing::TestWithParam<TextCase> {};

TEST_P(HexATexto, GivesTheCharactersOfThePairsInUtf8) {
    EXPECT_EQ(hex_a_texto(GetParam().digits), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Routes, HexATexto,
                         testing::Values(TextCase{"41424344454647", "ABCDEFG"},
                                         TextCase{"4142", "AB"}, TextCase{"616263", "abc"},
                                         TextCase{"", ""},
                                         // A pair is read like a number: up to its first non-digit.
                                         TextCase{"4G41", std::string("\x04") + "A"},
                                         TextCase{"G141", std::string(1, '\0') + "A"},
                                         // Codes of the old code page, in UTF-8.
                                         TextCase{"E9D1", "éÑ"}, TextCase{"80", "€"},
                                         TextCase{"9F", "Ÿ"}, TextCase{"81", "\xC2\x81"},
                                         TextCase{"414", "A\x04"}));

}  // namespace
