#include "runtime/format.h"

#include <gtest/gtest.h>

#include "runtime/conversions.h"

using namespace runtime;

TEST(FormatDate, ThePatternsOfThePrograms) {
    DateSerial moment = date_serial(2002, 3, 5) + time_serial(14, 7, 0);
    EXPECT_EQ(format_date(moment, "dd/mm/yy"), "05/03/02");
    EXPECT_EQ(format_date(moment, "dd/mm/yy hh:mm"), "05/03/02 14:07");
    EXPECT_EQ(format_date(moment, "hh:mm"), "14:07");
    EXPECT_EQ(format_date(date_serial(2008, 6, 15), "yyyy.mm.dd"), "2008.06.15");
    EXPECT_EQ(format_date(date_serial(1999, 1, 9), "d/m/yyyy"), "9/1/1999");
}

TEST(FormatNumber, ThePatternsOfThePrograms) {
    struct Case {
        double number;
        const char* pattern;
        const char* text;
    } cases[] = {
        {2.5, "##.00", "2.50"},
        {0.5, "##.00", ".50"},
        {12.0 / 480 * 100, "##.00", "2.50"},
        {1234, "##,##0", "1,234"},
        {0, "##,##0", "0"},
        {15234, "##,##0", "15,234"},
        {1234567, "##,##0", "1,234,567"},
        {0.75, "##.0%", "75.0%"},
        {1, "##.0%", "100.0%"},
        {2.0 / 3, "##.0%", "66.7%"},
        {0, "##.0%", ".0%"},
        {0.125, "0.00", "0.13"},
        {-1.5, "0.0", "-1.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format_number(c.number, c.pattern), c.text) << c.number;
}

TEST(FormatValue, TextsAreReadAsWhatThePatternNeeds) {
    EXPECT_EQ(format(Value("0.75"), "##.0%"), "75.0%");
    EXPECT_EQ(format(Value("75.0%"), "##.0%"), "75.0%");  // no plain number: unchanged
    EXPECT_EQ(format(Value("1234"), "##,##0"), "1,234");
    EXPECT_EQ(format(Value("05/03/02 14:07"), "dd/mm/yy"), "05/03/02");
    EXPECT_EQ(format(Value("5/3/2002 9:05"), "dd/mm/yy hh:mm"), "05/03/02 09:05");
    EXPECT_EQ(format(Value("14:07"), "hh:mm"), "14:07");
    EXPECT_EQ(format(Value("__:__"), "hh:mm"), "__:__");
    EXPECT_EQ(format(Value("__/__/__"), "dd/mm/yy"), "__/__/__");
    EXPECT_EQ(format(Value(), "dd/mm/yy"), "");
    EXPECT_EQ(format(Value(date_serial(2002, 3, 5)), "dd/mm/yy"), "05/03/02");  // a serial
    EXPECT_EQ(format(Value::date(date_serial(2002, 3, 5)), "dd/mm/yy"), "05/03/02");
}
