// Cell addresses in the A1 form.

#include <gtest/gtest.h>

#include "cell_reference.h"

namespace {

using workbook::parseCellReference;

TEST(CellReference, ColumnsAndRowsMakeAddressesBothWays) {
    struct Case {
        int row, column;
        const char* reference;
    } cases[] = {{1, 1, "A1"},    {2, 4, "D2"},     {5, 26, "Z5"},
                 {7, 27, "AA7"},  {9, 52, "AZ9"},   {10, 53, "BA10"},
                 {3, 702, "ZZ3"}, {4, 703, "AAA4"}, {1048576, 16384, "XFD1048576"}};
    for (const Case& c : cases) {
        EXPECT_EQ(workbook::cellReference(c.row, c.column), c.reference);
        auto parsed = parseCellReference(c.reference);
        ASSERT_TRUE(parsed) << c.reference;
        EXPECT_EQ(parsed->row, c.row) << c.reference;
        EXPECT_EQ(parsed->column, c.column) << c.reference;
    }
}

TEST(CellReference, WhatIsNoAddressInsideTheSheetGivesNothing) {
    for (const char* text : {"", "A", "12", "A0", "A01", "a1", "A1B", "XFE1", "A1048577", "$A$1"})
        EXPECT_FALSE(parseCellReference(text)) << text;
}

TEST(CellReference, CellsOutsideTheSheetAreRefusedByName) {
    EXPECT_NO_THROW(workbook::checkCellPosition(1048576, 16384));
    for (auto [row, column] : {std::pair{0, 1}, {1, 0}, {1048577, 1}, {1, 16385}, {-3, 2}})
        EXPECT_THROW(workbook::checkCellPosition(row, column), std::out_of_range);
    try {
        workbook::checkCellPosition(0, 3);
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(),
                     "cell (0, 3) lies outside the sheet: rows go from 1 to 1048576, columns "
                     "from 1 to 16384");
    }
}

}  // namespace
