#pragma once
// One detailed billing record of a call: 38 fixed-width fields over the
// first 220 hex digits of the record, head included. Both record types
// ("01006E", 220 digits, and "0200A2", 324 digits) share the layout; the
// last 104 digits of a type 02 record are not kept.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

namespace billing {

constexpr std::size_t kFieldCount = 38;
constexpr std::size_t kLaidOutDigits = 220;

// How a field's digits become the value stored.
enum class Conversion {
    Text,        // the digits as they stand ("0A" stays "0A")
    Length,      // the record length in bytes from the head: 110 or 162
    Hex,         // the digits as a hex number (hexValue)
    SignedHex,   // the digits as a 32-bit two's-complement number
    Date,        // "970315" gives "97/03/15", digits neither checked nor converted
    Time,        // "143005" gives "14:30:05"
    Characters,  // the digit pairs as character codes (hex_a_texto)
};

struct FieldLayout {
    std::size_t width;  // in digits
    Conversion conversion;
};

// Fields 1 to 38, in stream order; the widths sum to 220.
constexpr std::array<FieldLayout, kFieldCount> kFieldLayout = {{
    {2, Conversion::Text},         // 1 service type
    {4, Conversion::Length},       // 2 record length
    {2, Conversion::Text},         // 3 cause of output
    {2, Conversion::Text},         // 4 record number
    {8, Conversion::SignedHex},    // 5 call identification
    {6, Conversion::Hex},          // 6 record sequence number
    {10, Conversion::Text},        // 7 number of A
    {2, Conversion::Text},         // 8 category of A
    {18, Conversion::Text},        // 9 number of B
    {2, Conversion::Text},         // 10 state of B
    {2, Conversion::Text},         // 11 disconnection reason
    {4, Conversion::Text},         // 12 fault code, incoming side
    {6, Conversion::Date},         // 13 date
    {6, Conversion::Time},         // 14 time
    {6, Conversion::Time},         // 15 duration
    {4, Conversion::Text},         // 16 interruption duration
    {4, Conversion::Text},         // 17 seizure to billing start
    {6, Conversion::Text},         // 18 carrier
    {14, Conversion::Characters},  // 19 outgoing route
    {14, Conversion::Characters},  // 20 incoming route
    {2, Conversion::Text},         // 21 rerouting indicator
    {2, Conversion::Text},         // 22 call state
    {2, Conversion::Text},         // 23 abnormal release indicator
    {4, Conversion::Text},         // 24 outgoing route index
    {4, Conversion::Text},         // 25 incoming route index
    {2, Conversion::Text},         // 26 subscriber facilities index
    {4, Conversion::Text},         // 27 abbreviated number
    {8, Conversion::Text},         // 28 related call number
    {2, Conversion::Text},         // 29 correct dialling procedure indicator
    {2, Conversion::Text},         // 30 procedure title
    {18, Conversion::Text},        // 31 number of customer X
    {2, Conversion::Text},         // 32 billed customer
    {2, Conversion::Text},         // 33 immediate service indicator
    {8, Conversion::Text},         // 34 price
    {4, Conversion::Text},         // 35 charging origin
    {2, Conversion::Text},         // 36 tariff class
    {2, Conversion::Text},         // 37 switched tariff indicator
    {28, Conversion::Text},        // 38 intelligent network service
}};

// A field's value: a text (UTF-8) or a number, as its conversion gives it.
using FieldValue = std::variant<std::string, double>;

// Fields 1 to 38 at indexes 0 to 37.
using BillingRecord = std::array<FieldValue, kFieldCount>;

// Cuts the first 220 digits of a record (head included, in the file's code
// page) into its fields. lengthBytes is the record length its head gives.
// The record's values are overwritten in place, keeping their storage.
void decodeRecord(std::string_view digits, int lengthBytes, BillingRecord& record);

}  // namespace billing
