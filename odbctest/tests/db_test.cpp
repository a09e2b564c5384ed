// Column widths of the text table, by SQL type and precision.

#include <limits>

#include <gtest/gtest.h>

#include "db.h"

namespace {

TEST(ColumnDisplayWidth, FollowsTheTypeAndStaysWithin999) {
    const SQLULEN huge = std::numeric_limits<SQLULEN>::max();
    struct Case {
        SQLSMALLINT type;
        SQLULEN precision;
        std::size_t name_length;
        int width;
    } cases[] = {
        {SQL_VARCHAR, 10, 4, 10},
        {SQL_CHAR, 2, 16, 16},
        {SQL_VARCHAR, 4000, 4, 999},
        {SQL_INTEGER, 10, 2, 11},
        {SQL_SMALLINT, 5, 1, 6},
        {SQL_TINYINT, 3, 1, 4},
        {SQL_NUMERIC, 8, 1, 10},
        {SQL_DECIMAL, 8, 1, 10},
        {SQL_FLOAT, 15, 1, 17},
        {SQL_DOUBLE, 15, 1, 17},
        {SQL_BIT, 1, 1, 1},
        {SQL_BIT, 1, 6, 6},
        {SQL_REAL, 7, 1, 0},
        {SQL_BIGINT, 20, 1, 0},
        {SQL_LONGVARCHAR, 10, 1, 0},
        {SQL_BINARY, 10, 1, 0},
        {SQL_DATE, 10, 1, 0},
        {SQL_TIMESTAMP, 19, 1, 0},
        {SQL_WVARCHAR, 10, 1, 0},
        {0, 10, 1, 0},
        {SQL_VARCHAR, 0, 8, 0},
        // Widths that a 16-bit sum would wrap to 0 or to a few columns.
        {SQL_VARCHAR, 65536, 1, 999},
        {SQL_DOUBLE, 65534, 1, 999},
        {SQL_INTEGER, 65535, 1, 999},
        {SQL_DOUBLE, huge, 1, 999},
        {SQL_VARCHAR, 12, 5000, 999},
    };
    for (const auto& c : cases)
        EXPECT_EQ(column_display_width(c.type, c.precision, c.name_length), c.width)
            << c.type << " " << c.precision << " " << c.name_length;
}

}  // namespace
