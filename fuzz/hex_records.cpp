// Zovavidevir's import of a billing file (hex dumps of call records) into a
// store that checks every record it is given, and the record stream fed the
// same digits in pieces of any length. Input: the file's bytes.

#include <cmath>

#include "billing_record.h"
#include "fuzz_support.h"
#include "hex_digits.h"
#include "importa_arch.h"
#include "record_stream.h"

namespace {

using namespace billing;

void check_record(const BillingRecord& record) {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const FieldValue& value = record[i];
        switch (kFieldLayout[i].conversion) {
            case Conversion::Length: {
                const double bytes = std::get<double>(value);
                FUZZ_CHECK(bytes == 110 || bytes == 162);
                break;
            }
            case Conversion::Hex:
            case Conversion::SignedHex: {
                const double number = std::get<double>(value);
                FUZZ_CHECK(number == std::trunc(number));
                FUZZ_CHECK(std::fabs(number) < std::pow(16.0, kFieldLayout[i].width));
                break;
            }
            case Conversion::Date:
            case Conversion::Time: {
                const std::string& text = std::get<std::string>(value);
                FUZZ_CHECK(fuzz::is_utf8(text) && text.size() >= 8);
                break;
            }
            case Conversion::Text:
            case Conversion::Characters: {
                const std::string& text = std::get<std::string>(value);
                FUZZ_CHECK(fuzz::is_utf8(text));
                // At most three bytes of UTF-8 for a character of the code page.
                FUZZ_CHECK(text.size() <= 3 * kFieldLayout[i].width);
                break;
            }
        }
    }
}

class CheckingStore : public RecordStore {
public:
    void begin() override {
        FUZZ_CHECK(!open);
        open = true;
    }
    void add(const BillingRecord& record) override {
        FUZZ_CHECK(open);
        check_record(record);
        ++rows;
    }
    void commit() override {
        FUZZ_CHECK(open);
        open = false;
    }
    void rollback() noexcept override {
        open = false;
        rows = 0;
    }
    bool open = false;
    long long rows = 0;
};

class Reporter : public ImportReporter {
public:
    void importStarted() override { ++started; }
    void importEnded() override { ++ended; }
    void message(const std::string& text, const std::string& title) override {
        FUZZ_CHECK(fuzz::is_utf8(text) && fuzz::is_utf8(title));
    }
    int started = 0, ended = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    const auto input = fuzz::bytes(data, size);

    const auto ruta = folder.write("llamadas.txt", input);
    CheckingStore store;
    Reporter reporter;
    FUZZ_CHECK(importa_arch(ruta, store, reporter) == store.rows);
    FUZZ_CHECK(!store.open && reporter.started == 1 && reporter.ended == 1);

    // Cut into pieces of 1..16 bytes (the first byte chooses), each record
    // taken out as soon as a piece completes it, the stream gives the records
    // it gives for the whole in one piece.
    if (!input.empty()) {
        const std::size_t piece = 1 + static_cast<unsigned char>(input[0]) % 16;
        RecordStream whole, pieces;
        std::vector<BillingRecord> from_whole, from_pieces;
        BillingRecord record;
        whole.append(input);
        while (whole.next(record))
            from_whole.push_back(record);
        for (std::size_t at = 0; at < input.size(); at += piece) {
            pieces.append(input.substr(at, piece));
            while (pieces.next(record))
                from_pieces.push_back(record);
        }
        FUZZ_CHECK(from_whole == from_pieces);
        FUZZ_CHECK(whole.recordPending() == pieces.recordPending());
        for (const BillingRecord& r : from_whole)
            check_record(r);
    }

    // Character pairs: one character for each pair, whatever the digits.
    const std::string text = hex_a_texto(input.substr(0, 64));
    FUZZ_CHECK(fuzz::is_utf8(text));
    FUZZ_CHECK(hexValue(input.substr(0, 8)) >= 0);
    const double signed_value = signedHexValue(input.substr(0, 8));
    FUZZ_CHECK(signed_value >= -2147483648.0 && signed_value < 4294967296.0);
    return 0;
}
