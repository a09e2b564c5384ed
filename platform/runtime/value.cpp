#include "value.h"

#include <cmath>

#include "conversions.h"
#include "runtime_error.h"
#include "strings.h"

namespace runtime {

namespace {

[[noreturn]] void mismatch(const char* what) {
    throw Error(kTypeMismatch, std::string("No coinciden los tipos: ") + what);
}

std::string two_digits(int n) {
    std::string s = std::to_string(n);
    return n < 10 ? "0" + s : s;
}

std::string date_to_text(DateSerial serial) {
    CivilDateTime t = civil(serial);
    std::string day = two_digits(t.day) + "/" + two_digits(t.month) + "/" + std::to_string(t.year);
    std::string time = two_digits(t.hour) + ":" + two_digits(t.minute) + ":" + two_digits(t.second);
    bool has_time = t.hour || t.minute || t.second;
    if (std::trunc(serial) == 0 && has_time)
        return time;
    return has_time ? day + " " + time : day;
}

}  // namespace

Value Value::date(DateSerial serial) {
    Value v;
    v.data_ = DateTag{serial};
    return v;
}

Value::Kind Value::kind() const {
    return static_cast<Kind>(data_.index());
}

const std::string& Value::text() const {
    if (kind() != Kind::Text)
        mismatch("se esperaba un texto");
    return std::get<std::string>(data_);
}

std::int64_t Value::integer() const {
    if (kind() != Kind::Integer)
        mismatch("se esperaba un número entero");
    return std::get<std::int64_t>(data_);
}

double Value::real() const {
    if (kind() != Kind::Double)
        mismatch("se esperaba un número");
    return std::get<double>(data_);
}

DateSerial Value::date_serial() const {
    if (kind() != Kind::Date)
        mismatch("se esperaba una fecha");
    return std::get<DateTag>(data_).serial;
}

bool Value::truth() const {
    if (kind() != Kind::Boolean)
        mismatch("se esperaba un valor lógico");
    return std::get<bool>(data_);
}

std::string Value::to_text() const {
    switch (kind()) {
        case Kind::Null:
            return "";
        case Kind::Text:
            return std::get<std::string>(data_);
        case Kind::Integer:
            return std::to_string(std::get<std::int64_t>(data_));
        case Kind::Double:
            return number_to_text(std::get<double>(data_));
        case Kind::Date:
            return date_to_text(std::get<DateTag>(data_).serial);
        case Kind::Boolean:
            return std::get<bool>(data_) ? "Verdadero" : "Falso";
    }
    return "";
}

double Value::to_number() const {
    switch (kind()) {
        case Kind::Integer:
            return static_cast<double>(std::get<std::int64_t>(data_));
        case Kind::Double:
            return std::get<double>(data_);
        case Kind::Date:
            return std::get<DateTag>(data_).serial;
        case Kind::Boolean:
            return std::get<bool>(data_) ? -1 : 0;
        case Kind::Text: {
            const std::string& t = std::get<std::string>(data_);
            if (!is_numeric(t))
                mismatch(("\"" + t + "\" no es un número").c_str());
            std::string digits;
            for (char c : t)
                if (c != ',')
                    digits += c;
            return val(digits);
        }
        case Kind::Null:
            break;
    }
    mismatch("uso no válido de Null");
}

DateSerial Value::to_date() const {
    return cdate(*this);
}

bool Value::to_bool() const {
    if (kind() == Kind::Boolean)
        return std::get<bool>(data_);
    if (kind() == Kind::Text) {
        const std::string t = trim(std::get<std::string>(data_));
        if (equal_case_blind(t, "true") || equal_case_blind(t, "verdadero"))
            return true;
        if (equal_case_blind(t, "false") || equal_case_blind(t, "falso"))
            return false;
    }
    return to_number() != 0;
}

}  // namespace runtime
