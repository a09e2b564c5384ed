#include "format.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "conversions.h"

namespace runtime {

namespace {

bool is_date_letter(char c) {
    switch (c | 0x20) {
        case 'd':
        case 'm':
        case 'y':
        case 'h':
        case 'n':
        case 's':
            return true;
        default:
            return false;
    }
}

std::string padded(int n, std::size_t width) {
    std::string s = std::to_string(n);
    while (s.size() < width)
        s = "0" + s;
    return s;
}

}  // namespace

bool is_date_pattern(std::string_view pattern) {
    bool letters = false;
    for (char c : pattern) {
        if (c == '#' || c == '0')
            return false;
        letters = letters || is_date_letter(c);
    }
    return letters;
}

std::string format_date(DateSerial serial, std::string_view pattern) {
    CivilDateTime t = civil(serial);
    std::string out;
    bool after_hour = false;  // an "m" right after an hour is minutes
    for (std::size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        char lower = static_cast<char>(c | 0x20);
        if (!is_date_letter(c)) {
            out += c;
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && (pattern[i + run] | 0x20) == lower)
            ++run;
        switch (lower) {
            case 'd':
                out += run >= 2 ? padded(t.day, 2) : std::to_string(t.day);
                break;
            case 'm':
                if (after_hour)
                    out += run >= 2 ? padded(t.minute, 2) : std::to_string(t.minute);
                else
                    out += run >= 2 ? padded(t.month, 2) : std::to_string(t.month);
                break;
            case 'y':
                out += run >= 3 ? std::to_string(t.year) : padded(t.year % 100, 2);
                break;
            case 'h':
                out += run >= 2 ? padded(t.hour, 2) : std::to_string(t.hour);
                break;
            case 'n':
                out += run >= 2 ? padded(t.minute, 2) : std::to_string(t.minute);
                break;
            case 's':
                out += run >= 2 ? padded(t.second, 2) : std::to_string(t.second);
                break;
        }
        after_hour = lower == 'h';
        i += run;
    }
    return out;
}

std::string format_number(double number, std::string_view pattern) {
    std::size_t first = pattern.find_first_of("#0");
    if (first == std::string_view::npos)
        return number_to_text(number);
    std::size_t last = pattern.find_last_of("#0.,");
    std::string_view prefix = pattern.substr(0, first);
    std::string_view body = pattern.substr(first, last - first + 1);
    std::string_view suffix = pattern.substr(last + 1);

    bool percent = pattern.find('%') != std::string_view::npos;
    bool grouped = false;
    int min_integer = 0, min_decimals = 0, max_decimals = 0;
    std::size_t point = body.find('.');
    for (std::size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        bool decimal = point != std::string_view::npos && i > point;
        if (c == ',' && !decimal)
            grouped = true;
        if (c == '0')
            decimal ? (++min_decimals, ++max_decimals) : ++min_integer;
        if (c == '#' && decimal)
            ++max_decimals;
    }
    if (percent)
        number *= 100;

    // Round to the decimals shown, halves away from zero.
    double scale = std::pow(10.0, max_decimals);
    double scaled = std::fabs(number) * scale;
    double rounded = std::floor(scaled * (1 + 4 * DBL_EPSILON) + 0.5);
    bool negative = number < 0 && rounded != 0;

    char digits[400];
    std::snprintf(digits, sizeof digits, "%.0f", rounded);
    std::string all = digits;
    while (static_cast<int>(all.size()) <= max_decimals)
        all = "0" + all;
    std::string integer = all.substr(0, all.size() - max_decimals);
    std::string decimals = all.substr(all.size() - max_decimals);
    while (static_cast<int>(decimals.size()) > min_decimals && decimals.back() == '0')
        decimals.pop_back();

    std::size_t lead = integer.find_first_not_of('0');
    integer = lead == std::string::npos ? "" : integer.substr(lead);
    while (static_cast<int>(integer.size()) < min_integer)
        integer = "0" + integer;
    if (grouped) {
        std::string with_groups;
        for (std::size_t i = 0; i < integer.size(); ++i) {
            if (i > 0 && (integer.size() - i) % 3 == 0)
                with_groups += ',';
            with_groups += integer[i];
        }
        integer = with_groups;
    }

    std::string out(prefix);
    if (negative)
        out = "-" + out;
    out += integer;
    if (point != std::string_view::npos && (!decimals.empty() || min_decimals > 0))
        out += "." + decimals;
    else if (point != std::string_view::npos && max_decimals > 0 && decimals.empty())
        out += ".";
    out += suffix;
    return out;
}

std::string format(const Value& value, std::string_view pattern) {
    if (value.is_null())
        return "";
    if (pattern.empty())
        return value.to_text();
    bool date_pattern = is_date_pattern(pattern);
    switch (value.kind()) {
        case Value::Kind::Text: {
            const std::string& text = value.text();
            if (date_pattern) {
                auto date = parse_date(text);
                return date ? format_date(*date, pattern) : text;
            }
            return is_numeric(text) ? format_number(value.to_number(), pattern) : text;
        }
        case Value::Kind::Boolean:
            return value.to_text();
        default:
            return date_pattern ? format_date(value.to_number(), pattern)
                                : format_number(value.to_number(), pattern);
    }
}

}  // namespace runtime
