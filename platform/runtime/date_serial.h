#pragma once
// Dates as the old runtime held them: a date serial, a double counting days
// since 30 December 1899, its fraction the time of day (one minute is
// 1/1440). Every date of the programs travels in this form: through values,
// database columns and workbook cells.

namespace runtime {

using DateSerial = double;

// A date serial's calendar parts.
struct CivilDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// Building serials.

// The serial of a calendar day at midnight. A month outside 1..12 or a day
// outside the month rolls over into the neighbouring months and years, as
// DateSerial did (month 13 of 2001 is January 2002; day 0 is the month's
// previous day).
DateSerial date_serial(int year, int month, int day);
// The fraction of a day of a time of day (hours may exceed 23: they roll into days).
DateSerial time_serial(int hour, int minute, int second);
// True when year/month/day names a real calendar day (year 100..9999).
bool is_valid_day(int year, int month, int day);

// Taking serials apart.

// The calendar parts; the time of day is rounded to the nearest second. A
// serial outside the years 100..9999 (or no number) is no date: an overflow
// error (runtime::Error), as the old runtime raised.
CivilDateTime civil(DateSerial serial);
// Year, Month, Day, Hour, Minute, Second of a serial.
int year_of(DateSerial serial);
int month_of(DateSerial serial);
int day_of(DateSerial serial);
int hour_of(DateSerial serial);
int minute_of(DateSerial serial);
int second_of(DateSerial serial);
// The day number alone (midnight of its day) and the time of day alone.
DateSerial date_part(DateSerial serial);
DateSerial time_part(DateSerial serial);

}  // namespace runtime
