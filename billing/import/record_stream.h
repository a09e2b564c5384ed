#pragma once
// The digit stream of a billing file: its data lines joined end to end.
// Records begin with the head "01006E" or "0200A2"; characters between
// records that start no head are skipped. Lines go in as they are read and
// every record they complete comes out at once, so lines of any length keep
// pace with the stream.

#include <cstddef>
#include <string>
#include <string_view>

#include "billing_record.h"

namespace billing {

class RecordStream {
public:
    // Adds a data line (blanks removed) to the end of the stream.
    void append(std::string_view line);

    // Cuts the next complete record out of the stream into record and returns
    // true; returns false when no complete record is at hand, keeping what
    // may still become one (a head without all its digits, or up to five
    // characters that a head may begin with).
    bool next(BillingRecord& record);

    // True when a head was found whose record has not all its digits yet.
    bool recordPending() const { return recordDigits_ > 0; }

private:
    bool findHead();
    std::size_t available() const { return buffer_.size() - offset_; }

    // The unconsumed stream is buffer_ from offset_; the consumed front is
    // dropped now and then, never a character at a time.
    std::string buffer_;
    std::size_t offset_ = 0;
    std::size_t recordDigits_ = 0;  // of the record whose head stands at offset_, or 0
};

}  // namespace billing
