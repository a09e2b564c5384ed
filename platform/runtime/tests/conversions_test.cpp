#include "runtime/conversions.h"

#include <gtest/gtest.h>

#include "runtime/runtime_error.h"

using namespace runtime;

TEST(NumberToText, FifteenSignificantDigits) {
    struct Case {
        double number;
        const char* text;
    } cases[] = {
        {0.75, "0.75"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {3, "3"},
        {-2.5, "-2.5"},
        {0, "0"},
        {1e15, "1E+15"},
        {123456789012345, "123456789012345"},
        {0.00001, "1E-05"},
        {0.0001, "0.0001"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(number_to_text(c.number), c.text) << c.number;
}

TEST(Str, LeadingBlankForTheSign) {
    EXPECT_EQ(str(3), " 3");
    EXPECT_EQ(str(-3), "-3");
    EXPECT_EQ(str(100), " 100");
    EXPECT_EQ(str(0.5), " .5");
}

TEST(Val, TheLeadingNumberOrZero) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"12ab", 12},   {" 3 4", 34},  {"-2.5x", -2.5}, {"abc", 0},  {"", 0},
        {"33.5", 33.5}, {"1e3", 1000}, {"&H1F", 31},    {".5", 0.5}, {"7-", 7},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(val(c.text), c.value) << c.text;
}

TEST(Val, HexNumbersUpToSixtyFourBits) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"&HFFFF", -1},
        {"&H10000", 65536},
        {"&H7FFFFFFFFFFFFFFF", 9223372036854775807.0},
        {"&HFFFFFFFFFFFFFFFF", -1},
        {"&H00000000000000000001", 1},  // leading zeros are no digits that count
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(val(c.text), c.value) << c.text;
    for (const char* text : {"&H10000000000000000", "&HFFFFFFFFFFFFFFFFFFFFFFFF"}) {
        try {
            val(text);
            ADD_FAILURE() << text << " gave no error";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), kOverflow) << text;
        }
    }
}

TEST(IsNumeric, WholeTextsOnly) {
    for (const char* yes : {"1", " -3 ", "1,234.5", "1E3", ".5", "+2"})
        EXPECT_TRUE(is_numeric(yes)) << yes;
    for (const char* no : {"", "12a", ".", "-", "75.0%", "__", "1 2"})
        EXPECT_FALSE(is_numeric(no)) << no;
    EXPECT_TRUE(is_numeric(Value(4)));
    EXPECT_FALSE(is_numeric(Value()));
}

TEST(CDate, StrictlyDayFirst) {
    EXPECT_EQ(parse_date("05/03/02"), date_serial(2002, 3, 5));
    EXPECT_EQ(parse_date("5/3/2002"), date_serial(2002, 3, 5));
    EXPECT_EQ(parse_date("13/12/99"), date_serial(1999, 12, 13));
    EXPECT_FALSE(parse_date("12/13/99"));  // no month 13: never read month first
    EXPECT_FALSE(parse_date("31/02/02"));
    EXPECT_FALSE(parse_date("1_/__/__"));
    EXPECT_FALSE(parse_date("__/__/__"));
    EXPECT_FALSE(parse_date(""));
    EXPECT_FALSE(parse_date("1999"));
}

TEST(CDate, CenturyWindowSplitsAtThirty) {
    EXPECT_EQ(year_of(*parse_date("01/01/00")), 2000);
    EXPECT_EQ(year_of(*parse_date("01/01/29")), 2029);
    EXPECT_EQ(year_of(*parse_date("01/01/30")), 1930);
    EXPECT_EQ(year_of(*parse_date("01/01/99")), 1999);
}

TEST(CDate, DateAndTimeOfDay) {
    DateSerial moment = *parse_date("05/03/02 14:07");
    EXPECT_EQ(hour_of(moment), 14);
    EXPECT_EQ(minute_of(moment), 7);
    EXPECT_EQ(day_of(moment), 5);
    EXPECT_NEAR(*parse_date("00:01"), 1.0 / 1440, 1e-12);
    EXPECT_NEAR(*parse_date("23:59:30"), (23 * 3600 + 59 * 60 + 30) / 86400.0, 1e-12);
    EXPECT_FALSE(parse_date("24:00"));
    EXPECT_FALSE(parse_date("12:60"));
    EXPECT_FALSE(parse_date("05/03/02 14"));
}

TEST(CDate, ValuesAndErrors) {
    EXPECT_EQ(cdate(Value("05/03/02")), date_serial(2002, 3, 5));
    EXPECT_EQ(cdate(Value(37320.5)), 37320.5);
    EXPECT_TRUE(is_date(Value::date(1)));
    EXPECT_FALSE(is_date(Value(1)));
    EXPECT_THROW(cdate(Value("no")), Error);
    EXPECT_THROW(cdate(Value()), Error);
    EXPECT_EQ(month(Value("05/03/02 14:07")), 3);
    EXPECT_EQ(year(Value("05/03/02")), 2002);
    EXPECT_EQ(day(Value::date(date_serial(1999, 12, 31))), 31);
}

TEST(Rounding, IntCByteAndHalvesToEven) {
    EXPECT_EQ(integer_part(-1.5), -2);
    EXPECT_EQ(integer_part(2.9), 2);
    EXPECT_EQ(fix(-1.5), -1);
    EXPECT_EQ(cbyte(33.5), 34);
    EXPECT_EQ(cbyte(34.5), 34);
    EXPECT_EQ(cbyte(2.5), 2);
    EXPECT_EQ(cbyte(Value("33.5")), 34);
    EXPECT_EQ(cint(-2.5), -2);
    EXPECT_THROW(cbyte(255.6), Error);
    EXPECT_THROW(cbyte(-0.6), Error);
    EXPECT_EQ(cbyte(-0.5), 0);
    EXPECT_THROW(cbyte(Value("abc")), Error);
    try {
        cbyte(300);
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kOverflow);
    }
}

TEST(ValueText, WhatABoxShows) {
    EXPECT_EQ(Value().to_text(), "");
    EXPECT_EQ(Value(0.75).to_text(), "0.75");
    EXPECT_EQ(Value(12).to_text(), "12");
    EXPECT_EQ(Value::date(date_serial(2002, 3, 5)).to_text(), "05/03/2002");
    EXPECT_EQ(Value::date(date_serial(2002, 3, 5) + time_serial(14, 7, 0)).to_text(),
              "05/03/2002 14:07:00");
    EXPECT_EQ(Value::date(time_serial(9, 5, 0)).to_text(), "09:05:00");
    EXPECT_EQ(Value(true).to_text(), "Verdadero");
    EXPECT_DOUBLE_EQ(Value("1,234.5").to_number(), 1234.5);
    EXPECT_THROW(Value("x").to_number(), Error);
    EXPECT_THROW(Value().to_number(), Error);
}
