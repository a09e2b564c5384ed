#include "runtime/date_serial.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/format.h"
#include "runtime/runtime_error.h"

using namespace runtime;

TEST(DateSerial, CountsDaysFromTheEndOf1899) {
    EXPECT_EQ(date_serial(1899, 12, 30), 0);
    EXPECT_EQ(date_serial(1900, 1, 1), 2);
    EXPECT_EQ(date_serial(2002, 3, 5), 37320);
    EXPECT_EQ(date_serial(2001, 13, 1), date_serial(2002, 1, 1));
    EXPECT_EQ(date_serial(2002, 3, 0), date_serial(2002, 2, 28));
}

TEST(DateSerial, PartsComeBack) {
    DateSerial moment = date_serial(2000, 2, 29) + time_serial(23, 59, 0);
    CivilDateTime t = civil(moment);
    EXPECT_EQ(t.year, 2000);
    EXPECT_EQ(t.month, 2);
    EXPECT_EQ(t.day, 29);
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(date_part(moment), date_serial(2000, 2, 29));
    EXPECT_NEAR(time_part(moment) * 1440, 23 * 60 + 59, 1e-6);
}

TEST(DateSerial, ElapsedMinutesAreWhole) {
    // Creation 05/03/02 14:07, acknowledgement 14:22: fifteen minutes.
    DateSerial created = date_serial(2002, 3, 5) + time_serial(14, 7, 0);
    DateSerial acknowledged = date_serial(2002, 3, 5) + time_serial(14, 22, 0);
    EXPECT_EQ(static_cast<long>(std::floor((acknowledged - created) * 1440 + 1e-9)), 15);
    EXPECT_FALSE(is_valid_day(2001, 2, 29));
    EXPECT_TRUE(is_valid_day(2000, 2, 29));
}

TEST(DateSerial, OnlyTheYears100To9999AreDates) {
    EXPECT_EQ(civil(date_serial(100, 1, 1)).year, 100);
    EXPECT_EQ(civil(date_serial(9999, 12, 31) + time_serial(23, 59, 59)).year, 9999);
    const double beyond[] = {
        date_serial(99, 12, 31),
        date_serial(10000, 1, 1),
        date_serial(9999, 12, 31) + 0.9999999,  // rounds into the year 10000
        1e300,
        -1e300,
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
    };
    for (double serial : beyond) {
        try {
            civil(serial);
            ADD_FAILURE() << serial << " gave a date";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), kOverflow) << serial;
        }
    }
    EXPECT_THROW(format(Value(1e300), "dd/mm/yy"), Error);
}
