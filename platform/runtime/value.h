#pragma once
// A value as the old runtime's variants held it: Null, a text, a whole
// number, a floating-point number, a date or a truth value. Database fields
// come back as values, and the runtime's conversions take them.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "date_serial.h"

namespace runtime {

class Value {
public:
    enum class Kind { Null, Text, Integer, Double, Date, Boolean };

    // Making values.

    Value() = default;  // Null
    Value(std::string text) : data_(std::move(text)) {}
    Value(std::string_view text) : data_(std::string(text)) {}
    Value(const char* text) : data_(std::string(text)) {}
    Value(int number) : data_(static_cast<std::int64_t>(number)) {}
    Value(long number) : data_(static_cast<std::int64_t>(number)) {}
    Value(long long number) : data_(static_cast<std::int64_t>(number)) {}
    Value(double number) : data_(number) {}
    Value(bool truth) : data_(truth) {}
    // A date serial tagged as a date (a plain double is a number).
    static Value date(DateSerial serial);
    static Value null() { return Value(); }

    // What it holds.

    Kind kind() const;
    bool is_null() const { return kind() == Kind::Null; }
    bool is_number() const { return kind() == Kind::Integer || kind() == Kind::Double; }
    // The text itself; only for a Text value (anything else raises kTypeMismatch).
    const std::string& text() const;

    // Conversions, as the runtime made them.

    // CStr, but Null gives "" (what a box shows for an empty field): numbers by
    // the runtime's number-to-text conversion ("0.75"), dates as "dd/mm/yyyy",
    // with " hh:mm:ss" when they carry a time of day (a time alone "hh:mm:ss"),
    // truth values as "Verdadero" and "Falso".
    std::string to_text() const;
    // CDbl: numbers as they are, dates as their serial, True as -1, texts that
    // are numbers (IsNumeric) by their value; Null or any other text raises
    // kTypeMismatch.
    double to_number() const;
    // CDate: dates and numbers as serials, texts read day first (see cdate()).
    DateSerial to_date() const;
    // CBool: numbers are True when not 0; texts "True"/"False"/"Verdadero"/"Falso" or numbers.
    bool to_bool() const;

    // The held content of one kind; asking a value of another kind raises
    // kTypeMismatch (use the conversions above for that).
    std::int64_t integer() const;
    double real() const;
    DateSerial date_serial() const;
    bool truth() const;

    // Same kind and same content (Null equals Null); no conversion.
    bool operator==(const Value& other) const = default;

private:
    struct DateTag {
        DateSerial serial;
        bool operator==(const DateTag&) const = default;
    };
    std::variant<std::monostate, std::string, std::int64_t, double, DateTag, bool> data_;
};

}  // namespace runtime
