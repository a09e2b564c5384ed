#include "date_serial.h"

#include <cmath>

#include "conversions.h"
#include "runtime_error.h"

namespace runtime {

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date, and back.
long days_from_civil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void civil_from_days(long z, int& year, int& month, int& day) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

// 30 December 1899 counted from 1 January 1970.
constexpr long kEpochOffset = -25569;

// 1 January 100 and 31 December 9999, the old runtime's first and last days.
constexpr double kFirstSerial = -657434;
constexpr double kLastSerial = 2958465;

}  // namespace

DateSerial date_serial(int year, int month, int day) {
    long months = static_cast<long>(year) * 12 + (static_cast<long>(month) - 1);
    long y = months >= 0 ? months / 12 : (months - 11) / 12;
    long m = months - y * 12 + 1;
    return static_cast<double>(days_from_civil(y, static_cast<unsigned>(m), 1) - kEpochOffset +
                               (static_cast<long>(day) - 1));
}

DateSerial time_serial(int hour, int minute, int second) {
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

bool is_valid_day(int year, int month, int day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int length = lengths[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= length;
}

CivilDateTime civil(DateSerial serial) {
    // Only days of the years 100..9999 are dates (and only they fit the
    // calendar arithmetic below).
    const auto out_of_range = [serial] {
        throw Error(kOverflow, "Desbordamiento: " + number_to_text(serial));
    };
    if (!(serial > kFirstSerial - 1 && serial < kLastSerial + 1))
        out_of_range();
    // The day is the whole part towards zero; the time of day is the
    // fraction's size, as the old runtime read serials before 1899 too.
    double whole = std::trunc(serial);
    long seconds = std::lround(std::fabs(serial - whole) * 86400.0);
    long days = static_cast<long>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += serial < 0 ? -1 : 1;
        if (days < kFirstSerial || days > kLastSerial)
            out_of_range();
    }
    CivilDateTime t;
    civil_from_days(days + kEpochOffset, t.year, t.month, t.day);
    t.hour = static_cast<int>(seconds / 3600);
    t.minute = static_cast<int>(seconds / 60 % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

int year_of(DateSerial serial) {
    return civil(serial).year;
}
int month_of(DateSerial serial) {
    return civil(serial).month;
}
int day_of(DateSerial serial) {
    return civil(serial).day;
}
int hour_of(DateSerial serial) {
    return civil(serial).hour;
}
int minute_of(DateSerial serial) {
    return civil(serial).minute;
}
int second_of(DateSerial serial) {
    return civil(serial).second;
}

DateSerial date_part(DateSerial serial) {
    return std::trunc(serial);
}
DateSerial time_part(DateSerial serial) {
    return std::fabs(serial - std::trunc(serial));
}

}  // namespace runtime
