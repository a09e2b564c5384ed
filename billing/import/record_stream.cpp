#include "record_stream.h"

#include <cstring>

#include "hex_digits.h"

namespace billing {

namespace {

constexpr std::size_t kHeadSize = 6;
constexpr std::string_view kHeadType01 = "01006E";
constexpr std::string_view kHeadType02 = "0200A2";

// The consumed front is dropped once it is this long and half the buffer, so
// each character is moved a bounded number of times.
constexpr std::size_t kCompactAfter = 1 << 14;

}  // namespace

void RecordStream::append(std::string_view line) {
    if (offset_ >= kCompactAfter && offset_ * 2 >= buffer_.size()) {
        buffer_.erase(0, offset_);
        offset_ = 0;
    }
    buffer_.append(line);
}

bool RecordStream::next(BillingRecord& record) {
    if (recordDigits_ == 0 && !findHead()) {
        return false;
    }
    if (available() < recordDigits_) {
        return false;
    }
    const std::string_view digits(buffer_.data() + offset_, recordDigits_);
    const auto lengthBytes = static_cast<int>(recordDigits_ / 2);
    decodeRecord(digits, lengthBytes, record);
    offset_ += recordDigits_;
    recordDigits_ = 0;
    return true;
}

// Skips to the next head; false when none stands in the stream yet, leaving
// the last five characters, which the next line may complete into one.
bool RecordStream::findHead() {
    while (available() >= kHeadSize) {
        const char* from = buffer_.data() + offset_;
        const std::size_t candidates = available() - kHeadSize + 1;
        const void* zero = std::memchr(from, '0', candidates);
        if (zero == nullptr) {
            offset_ += candidates;
            return false;
        }
        offset_ += static_cast<const char*>(zero) - from;
        const std::string_view head(buffer_.data() + offset_, kHeadSize);
        if (head == kHeadType01 || head == kHeadType02) {
            // The record length in bytes, as characters 3 to 6 give it.
            recordDigits_ = 2 * static_cast<std::size_t>(hexValue(head.substr(2, 4)));
            return true;
        }
        ++offset_;
    }
    return false;
}

}  // namespace billing
