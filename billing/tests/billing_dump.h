#pragma once
// Billing dumps written from the record format, for the tests and the bench:
// the digits of a record field by field, and a stream cut into lines.

#include <map>
#include <string>
#include <string_view>

namespace billingtest {

enum class RecordType { Type01, Type02 };

// Every field's digits when a test gives none: field 5 "FFFFFFFF", field 6
// "000010", field 13 "970315", field 14 "143005", field 15 "000130", field
// 19 "41424344454647" (ABCDEFG), field 20 "48494A4B4C4D4E" (HIJKLMN), the
// other text fields their number's two hex digits repeated ("07" for field
// 7: "0707070707").
std::string defaultFieldDigits(int field);

// The digits of one record: its head, then fields 3 to 38 (the given ones,
// 1-based, must have the field's width; the rest are the defaults), then for
// type 02 the 104 digits of its tail. The default tail holds a type 01 head,
// which must not be taken for one.
std::string recordDigits(RecordType type, const std::map<int, std::string>& fields = {},
                         std::string_view tail = {});

// A record of the given type with the defaults but for its sequence number
// (field 6), which tells it apart.
std::string numberedRecord(RecordType type, int sequence);

// The stream cut into lines of the given width, each ending in eol.
std::string dumpLines(std::string_view stream, std::size_t width, std::string_view eol = "\r\n");

}  // namespace billingtest
