// Texts on their way into cells.

#include <gtest/gtest.h>

#include "cell_text.h"

namespace {

TEST(CellText, OnlyWellFormedUtf8IsTaken) {
    for (const char* good : {"", "Técnico", "Facturación", "€", "\xF0\x9F\x98\x80", "a\tb\nc"})
        EXPECT_TRUE(workbook::isValidUtf8(good)) << good;
    // A Windows-1252 "é", a cut sequence, an overlong slash, a surrogate, past U+10FFFF:
    for (const char* bad : {"T\xE9"
                            "cnico",
                            "\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"})
        EXPECT_FALSE(workbook::isValidUtf8(bad));
    EXPECT_THROW(workbook::checkCellText("Facturaci\xF3n"), std::invalid_argument);
}

TEST(CellText, CharactersAreCountedNotBytes) {
    EXPECT_EQ(workbook::characterCount("Registros Facturación2026.12.09"), 31u);
    EXPECT_EQ(workbook::characterCount("€"), 1u);
}

TEST(CellText, WhatXmlCannotCarryIsEscapedTheWaySpreadsheetsReadIt) {
    using namespace std::string_view_literals;
    struct Case {
        std::string_view text;
        const char* stored;
    } cases[] = {
        {"Lista & <norte>"sv, "Lista & <norte>"},  // XML escaping is the writer's
        {"uno\tdos\ntres"sv, "uno\tdos\ntres"},    // tab and line feed stay
        {"fin\r\n"sv, "fin_x000D_\n"},             // a carriage return would be lost
        {"a\x01"
         "b\x1F"sv,
         "a_x0001_b_x001F_"},                             // control characters
        {"\x04\0\0ABCN"sv, "_x0004__x0000__x0000_ABCN"},  // a stored route, its zeros kept
        {"\0"sv, "_x0000_"},
        {"\xEF\xBF\xBE|\xEF\xBF\xBF|\xEF\xBF\xBD"sv,
         "_xFFFE_|_xFFFF_|\xEF\xBF\xBD"},        // no XML characters
        {"_x0041_"sv, "_x005F_x0041_"},          // reads back as written, not as "A"
        {"_x00G1_ y _x12"sv, "_x00G1_ y _x12"},  // no escape sequence
    };
    for (const Case& c : cases)
        EXPECT_EQ(workbook::escapeCellText(c.text), c.stored) << c.stored;
}

}  // namespace
