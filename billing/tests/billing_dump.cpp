#include "billing_dump.h"

#include <cstdio>
#include <stdexcept>

#include "billing_record.h"

namespace billingtest {

namespace {

constexpr std::size_t kType02TailDigits = 104;

}  // namespace

std::string defaultFieldDigits(int field) {
    switch (field) {
        case 5:
            return "FFFFFFFF";
        case 6:
            return "000010";
        case 13:
            return "970315";
        case 14:
            return "143005";
        case 15:
            return "000130";
        case 19:
            return "41424344454647";
        case 20:
            return "48494A4B4C4D4E";
        default:
            break;
    }
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", field);
    std::string digits;
    while (digits.size() < billing::kFieldLayout[field - 1].width) {
        digits += pair;
    }
    return digits;
}

std::string recordDigits(RecordType type, const std::map<int, std::string>& fields,
                         std::string_view tail) {
    std::string digits = type == RecordType::Type01 ? "01006E" : "0200A2";
    for (int field = 3; field <= static_cast<int>(billing::kFieldCount); ++field) {
        const auto given = fields.find(field);
        const std::string value = given != fields.end() ? given->second : defaultFieldDigits(field);
        if (value.size() != billing::kFieldLayout[field - 1].width) {
            throw std::invalid_argument("field " + std::to_string(field) + " has a wrong width");
        }
        digits += value;
    }
    if (type == RecordType::Type02) {
        std::string tailDigits(tail.empty() ? "FF01006EFF" : tail);
        tailDigits.resize(kType02TailDigits, 'F');
        digits += tailDigits;
    }
    return digits;
}

std::string numberedRecord(RecordType type, int sequence) {
    char digits[7];
    std::snprintf(digits, sizeof digits, "%06X", sequence);
    return recordDigits(type, {{6, digits}});
}

std::string dumpLines(std::string_view stream, std::size_t width, std::string_view eol) {
    std::string lines;
    lines.reserve(stream.size() + (stream.size() / width + 1) * eol.size());
    for (std::size_t at = 0; at < stream.size(); at += width) {
        lines.append(stream.substr(at, width));
        lines.append(eol);
    }
    return lines;
}

}  // namespace billingtest
