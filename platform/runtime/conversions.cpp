#include "conversions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "runtime_error.h"

namespace runtime {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void type_mismatch(const std::string& what) {
    throw Error(kTypeMismatch, "No coinciden los tipos: " + what);
}

[[noreturn]] void overflow(double number) {
    throw Error(kOverflow, "Desbordamiento: " + number_to_text(number));
}

[[noreturn]] void overflow_text(const std::string& text) {
    throw Error(kOverflow, "Desbordamiento: " + text);
}

// Reads 1..max_digits digits at `pos`.
std::optional<int> read_number(std::string_view text, std::size_t& pos, int max_digits,
                               int& digits) {
    int value = 0;
    digits = 0;
    while (pos < text.size() && is_digit(text[pos]) && digits < max_digits) {
        value = value * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return value;
}

// "h:mm" or "h:mm:ss" at `pos`, to the end of the text.
std::optional<DateSerial> parse_time(std::string_view text, std::size_t pos) {
    int digits = 0;
    auto h = read_number(text, pos, 2, digits);
    if (!h || pos >= text.size() || text[pos] != ':')
        return std::nullopt;
    ++pos;
    auto m = read_number(text, pos, 2, digits);
    if (!m || digits != 2)
        return std::nullopt;
    int s = 0;
    if (pos < text.size() && text[pos] == ':') {
        ++pos;
        auto sec = read_number(text, pos, 2, digits);
        if (!sec || digits != 2)
            return std::nullopt;
        s = *sec;
    }
    if (pos != text.size() || *h > 23 || *m > 59 || s > 59)
        return std::nullopt;
    return time_serial(*h, *m, s);
}

}  // namespace

std::string number_to_text(double number) {
    if (number == 0)
        return "0";
    if (std::isnan(number))
        return "NaN";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", number);
    std::string text = buffer;
    // %G keeps a zero before the exponent's sign only as C does ("1E+15",
    // "1E-05"), which is also the runtime's form.
    return text;
}

std::string str(double number) {
    std::string text = number_to_text(std::fabs(number));
    if (text.size() > 1 && text[0] == '0' && text[1] == '.')
        text.erase(0, 1);
    return (number < 0 ? "-" : " ") + text;
}

double val(std::string_view text) {
    // The digits that count, with the blanks inside them dropped.
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            compact += c;
    if (compact.size() > 2 && compact[0] == '&' && (compact[1] == 'H' || compact[1] == 'h')) {
        std::uint64_t bits = 0;
        std::size_t i = 2;
        for (; i < compact.size() && std::isxdigit(static_cast<unsigned char>(compact[i])); ++i) {
            if (bits >> 60)  // a 17th significant digit: the literal does not fit
                overflow_text(compact.substr(0, i + 1));
            char c = compact[i];
            bits = bits * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
        }
        // Four hex digits or fewer are a 16-bit number, as the runtime read
        // them; sixteen digits are a 64-bit number in two's complement.
        if (i - 2 <= 4 && bits > 0x7FFF)
            return static_cast<double>(static_cast<long long>(bits) - 0x10000);
        return static_cast<double>(static_cast<std::int64_t>(bits));
    }
    std::size_t i = 0;
    std::string number;
    if (i < compact.size() && (compact[i] == '-' || compact[i] == '+'))
        number += compact[i++];
    bool any_digit = false;
    while (i < compact.size() && is_digit(compact[i])) {
        number += compact[i++];
        any_digit = true;
    }
    if (i < compact.size() && compact[i] == '.') {
        number += compact[i++];
        while (i < compact.size() && is_digit(compact[i])) {
            number += compact[i++];
            any_digit = true;
        }
    }
    if (!any_digit)
        return 0;
    if (i + 1 < compact.size() &&
        (compact[i] == 'E' || compact[i] == 'e' || compact[i] == 'D' || compact[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (compact[j] == '-' || compact[j] == '+')
            exponent += compact[j++];
        if (j < compact.size() && is_digit(compact[j])) {
            while (j < compact.size() && is_digit(compact[j]))
                exponent += compact[j++];
            number += exponent;
        }
    }
    return std::strtod(number.c_str(), nullptr);
}

bool is_numeric(std::string_view text) {
    std::size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    while (n > i && text[n - 1] == ' ')
        --n;
    if (i < n && (text[i] == '-' || text[i] == '+'))
        ++i;
    bool digits = false;
    while (i < n && (is_digit(text[i]) || (text[i] == ',' && digits))) {
        digits = digits || is_digit(text[i]);
        ++i;
    }
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && is_digit(text[i])) {
            digits = true;
            ++i;
        }
    }
    if (!digits)
        return false;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < n && (text[i] == '-' || text[i] == '+'))
            ++i;
        bool exponent_digits = false;
        while (i < n && is_digit(text[i])) {
            exponent_digits = true;
            ++i;
        }
        if (!exponent_digits)
            return false;
    }
    return i == n;
}

bool is_numeric(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Integer:
        case Value::Kind::Double:
        case Value::Kind::Boolean:
            return true;
        case Value::Kind::Text:
            return is_numeric(value.text());
        default:
            return false;
    }
}

int expand_two_digit_year(int year) {
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<DateSerial> parse_date(std::string_view text) {
    std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return std::nullopt;
    std::size_t end = text.find_last_not_of(' ');
    text = text.substr(start, end - start + 1);

    std::size_t pos = 0;
    int digits = 0;
    auto first = read_number(text, pos, 2, digits);
    if (!first)
        return std::nullopt;
    if (pos < text.size() && text[pos] == ':')
        return parse_time(text, 0);

    char separator = pos < text.size() ? text[pos] : '\0';
    if (separator != '/' && separator != '-' && separator != '.')
        return std::nullopt;
    ++pos;
    auto month = read_number(text, pos, 2, digits);
    if (!month || pos >= text.size() || text[pos] != separator)
        return std::nullopt;
    ++pos;
    auto year = read_number(text, pos, 4, digits);
    if (!year || (digits != 2 && digits != 4))
        return std::nullopt;
    int full_year = digits == 2 ? expand_two_digit_year(*year) : *year;
    if (!is_valid_day(full_year, *month, *first))
        return std::nullopt;
    DateSerial day = date_serial(full_year, *month, *first);
    if (pos == text.size())
        return day;

    if (text[pos] != ' ')
        return std::nullopt;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    auto time = parse_time(text, pos);
    if (!time)
        return std::nullopt;
    // Before 1899 the time of day is added to the day's size, as the runtime held it.
    return day < 0 ? day - *time : day + *time;
}

bool is_date(std::string_view text) {
    return parse_date(text).has_value();
}

bool is_date(const Value& value) {
    if (value.kind() == Value::Kind::Date)
        return true;
    return value.kind() == Value::Kind::Text && is_date(value.text());
}

DateSerial cdate(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Date:
            return value.date_serial();
        case Value::Kind::Integer:
        case Value::Kind::Double:
            return value.to_number();
        case Value::Kind::Text: {
            auto date = parse_date(value.text());
            if (!date)
                type_mismatch("\"" + value.text() + "\" no es una fecha");
            return *date;
        }
        default:
            type_mismatch("el valor no es una fecha");
    }
}

int year(const Value& value) {
    return year_of(cdate(value));
}
int month(const Value& value) {
    return month_of(cdate(value));
}
int day(const Value& value) {
    return day_of(cdate(value));
}
int hour(const Value& value) {
    return hour_of(cdate(value));
}
int minute(const Value& value) {
    return minute_of(cdate(value));
}

double integer_part(double number) {
    return std::floor(number);
}
double fix(double number) {
    return std::trunc(number);
}

double round_half_even(double number) {
    double whole = std::floor(number);
    double fraction = number - whole;
    if (fraction > 0.5)
        return whole + 1;
    if (fraction < 0.5)
        return whole;
    return std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
}

std::uint8_t cbyte(double number) {
    double r = round_half_even(number);
    if (!(r >= 0 && r <= 255))
        overflow(number);
    return static_cast<std::uint8_t>(r);
}

std::int16_t cint(double number) {
    double r = round_half_even(number);
    if (!(r >= -32768 && r <= 32767))
        overflow(number);
    return static_cast<std::int16_t>(r);
}

std::int32_t clng(double number) {
    double r = round_half_even(number);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        overflow(number);
    return static_cast<std::int32_t>(r);
}

std::uint8_t cbyte(const Value& value) {
    return cbyte(value.to_number());
}
std::int16_t cint(const Value& value) {
    return cint(value.to_number());
}
std::int32_t clng(const Value& value) {
    return clng(value.to_number());
}

}  // namespace runtime
