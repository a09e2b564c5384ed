#include "billing_record.h"

#include <cassert>

#include "hex_digits.h"
#include "runtime/line_reader.h"

namespace billing {

namespace {

constexpr std::size_t laidOutWidth() {
    std::size_t sum = 0;
    for (const FieldLayout& layout : kFieldLayout) {
        sum += layout.width;
    }
    return sum;
}
static_assert(laidOutWidth() == kLaidOutDigits);

// The field's text value, made a text if it held a number.
std::string& textOf(FieldValue& value) {
    if (!std::holds_alternative<std::string>(value)) {
        value.emplace<std::string>();
    }
    return std::get<std::string>(value);
}

// "970315" with '/' gives "97/03/15".
// Replaces out with the Windows-1252 text in UTF-8, keeping out's storage.
void assignUtf8(std::string& out, std::string_view text) {
    out.clear();
    runtime::append_windows1252_as_utf8(out, text);
}

void assignPairs(std::string& out, std::string_view digits, char separator) {
    std::string joined;
    joined.reserve(8);
    joined.append(digits.substr(0, 2));
    joined.push_back(separator);
    joined.append(digits.substr(2, 2));
    joined.push_back(separator);
    joined.append(digits.substr(4, 2));
    assignUtf8(out, joined);
}

}  // namespace

void decodeRecord(std::string_view digits, int lengthBytes, BillingRecord& record) {
    assert(digits.size() >= kLaidOutDigits);
    std::size_t position = 0;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const FieldLayout& layout = kFieldLayout[i];
        const std::string_view field = digits.substr(position, layout.width);
        position += layout.width;
        FieldValue& value = record[i];
        switch (layout.conversion) {
            case Conversion::Text:
                assignUtf8(textOf(value), field);
                break;
            case Conversion::Length:
                value = static_cast<double>(lengthBytes);
                break;
            case Conversion::Hex:
                value = hexValue(field);
                break;
            case Conversion::SignedHex:
                value = signedHexValue(field);
                break;
            case Conversion::Date:
                assignPairs(textOf(value), field, '/');
                break;
            case Conversion::Time:
                assignPairs(textOf(value), field, ':');
                break;
            case Conversion::Characters:
                textOf(value) = hex_a_texto(field);
                break;
        }
    }
}

}  // namespace billing
