// The runtime's conversions: Val, IsNumeric, CDate (day-first dates), Format
// of texts, numbers and dates, and the date serials. Input: a text, byte 1,
// a pattern; the first bytes also stand for a number and three integers.

#include <cmath>
#include <cstring>

#include "fuzz_support.h"
#include "runtime/conversions.h"
#include "runtime/date_serial.h"
#include "runtime/format.h"
#include "runtime/runtime_error.h"

using namespace runtime;

namespace {

// A conversion may refuse its input only with a runtime error.
template <typename F>
void refused_only_by_runtime_errors(F&& conversion) {
    try {
        conversion();
    } catch (const Error& error) {
        FUZZ_CHECK(error.number() == kOverflow || error.number() == kTypeMismatch ||
                   error.number() == kInvalidProcedureCall);
    }
}

void check_parts(DateSerial serial) {
    try {
        const CivilDateTime t = civil(serial);
        FUZZ_CHECK(t.year >= 100 && t.year <= 9999);
        FUZZ_CHECK(t.month >= 1 && t.month <= 12);
        FUZZ_CHECK(is_valid_day(t.year, t.month, t.day));
        FUZZ_CHECK(t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60);
        FUZZ_CHECK(t.second >= 0 && t.second < 60);
    } catch (const Error& error) {
        FUZZ_CHECK(error.number() == kOverflow);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parts = fuzz::split(fuzz::bytes(data, size), '\x01', 2);
    const std::string& text = parts[0];
    const std::string& pattern = parts[1];

    // Val: a number, or an overflow for a hex number too long for 64 bits.
    try {
        const double number = val(text);
        FUZZ_CHECK(!std::isnan(number));
    } catch (const Error& error) {
        FUZZ_CHECK(error.number() == kOverflow);
    }
    (void)is_numeric(text);

    // CDate: a day of the years 100..9999 that comes back through Format.
    if (const auto date = parse_date(text)) {
        check_parts(*date);
        const CivilDateTime t = civil(*date);
        if (t.year >= 1000) {
            const auto again = parse_date(format_date(*date, "dd/mm/yyyy hh:nn:ss"));
            FUZZ_CHECK(again && std::fabs(*again - *date) < 0.5 / 86400);
        }
    }
    refused_only_by_runtime_errors([&] { format(Value(text), pattern); });

    if (size >= sizeof(double)) {
        double number;
        std::memcpy(&number, data, sizeof number);
        check_parts(number);
        if (std::fabs(number) < 1e308) {
            // Fifteen significant digits come back as the same number (short
            // of the largest doubles, which they round beyond).
            const double back = val(number_to_text(number));
            FUZZ_CHECK(std::fabs(back - number) <= 1e-14 * std::fabs(number));
        }
        refused_only_by_runtime_errors([&] { format(Value(number), pattern); });
        refused_only_by_runtime_errors([&] { format(Value::date(number), pattern); });
    }
    if (size >= 3 * sizeof(int)) {
        int year, month, day;
        std::memcpy(&year, data, sizeof year);
        std::memcpy(&month, data + sizeof(int), sizeof month);
        std::memcpy(&day, data + 2 * sizeof(int), sizeof day);
        const DateSerial serial = date_serial(year, month, day);
        if (is_valid_day(year, month, day)) {
            const CivilDateTime t = civil(serial);
            FUZZ_CHECK(t.year == year && t.month == month && t.day == day);
        }
        // Small numbers, the kind a program passes, roll over into real days.
        const DateSerial rolled = date_serial(1900 + year % 200, month % 40, day % 100);
        check_parts(rolled);
    }
    return 0;
}
