#include "record_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "billing_dump.h"

namespace {

using billing::BillingRecord;
using billing::RecordStream;
using billingtest::numberedRecord;
using billingtest::recordDigits;
using billingtest::RecordType;

// "type/sequence" of every record that comes out, with the lines given in
// pieces of the given size (0: all at once).
std::vector<std::string> recordsOf(const std::string& stream, std::size_t piece = 0,
                                   bool* pendingAtEnd = nullptr) {
    RecordStream records;
    BillingRecord record;
    std::vector<std::string> seen;
    const std::size_t step = piece == 0 ? stream.size() : piece;
    for (std::size_t at = 0; at < stream.size(); at += step) {
        records.append(std::string_view(stream).substr(at, step));
        while (records.next(record)) {
            seen.push_back(std::get<std::string>(record[0]) + "/" +
                           std::to_string(static_cast<int>(std::get<double>(record[5]))));
        }
    }
    if (pendingAtEnd) {
        *pendingAtEnd = records.recordPending();
    }
    return seen;
}

TEST(RecordStream, CutsRecordsOfBothTypesWhateverTheLineLength) {
    const std::string stream =
        numberedRecord(RecordType::Type01, 1) + numberedRecord(RecordType::Type02, 2) +
        numberedRecord(RecordType::Type01, 3) + numberedRecord(RecordType::Type02, 4);
    const std::vector<std::string> expected = {"01/1", "02/2", "01/3", "02/4"};
    for (std::size_t piece : {0, 1, 5, 6, 64, 110, 220, 324, 500}) {
        EXPECT_EQ(recordsOf(stream, piece), expected) << "pieces of " << piece;
    }
}

TEST(RecordStream, DropsTheTailOfAType02RecordAndLooksForTheNextHeadAfterIt) {
    // The tail holds a type 01 head: it is dropped with the tail.
    const std::string stream =
        recordDigits(RecordType::Type02, {}, "01006E") + numberedRecord(RecordType::Type01, 7);
    EXPECT_EQ(recordsOf(stream, 64), (std::vector<std::string>{"02/16", "01/7"}));
}

TEST(RecordStream, SkipsWhatStartsNoHeadAndFindsAHeadSplitAcrossLines) {
    const std::string stream = "FF0100 6E01006F0200A3*" + numberedRecord(RecordType::Type01, 1) +
                               "0A0B" + numberedRecord(RecordType::Type02, 2);
    EXPECT_EQ(recordsOf(stream), (std::vector<std::string>{"01/1", "02/2"}));
    EXPECT_EQ(recordsOf(stream, 3), (std::vector<std::string>{"01/1", "02/2"}));
    // Lower-case and partial heads are no heads.
    EXPECT_TRUE(recordsOf("01006e" + std::string(214, '0') + "0100" + "6").empty());
}

TEST(RecordStream, KeepsARecordShortOfDigitsPending) {
    bool pending = false;
    const std::string stream =
        numberedRecord(RecordType::Type01, 1) + numberedRecord(RecordType::Type02, 2);
    EXPECT_EQ(recordsOf(stream.substr(0, stream.size() - 3), 64, &pending),
              (std::vector<std::string>{"01/1"}));
    EXPECT_TRUE(pending);
    EXPECT_EQ(recordsOf(stream, 64, &pending), (std::vector<std::string>{"01/1", "02/2"}));
    EXPECT_FALSE(pending);
}

TEST(RecordStream, KeepsPaceWithManyRecordsInOneLine) {
    std::string stream;
    std::vector<std::string> expected;
    for (int i = 1; i <= 500; ++i) {
        const RecordType type = i % 3 == 0 ? RecordType::Type02 : RecordType::Type01;
        stream += "FF" + numberedRecord(type, i);
        expected.push_back((type == RecordType::Type01 ? "01/" : "02/") + std::to_string(i));
    }
    EXPECT_EQ(recordsOf(stream), expected);
    EXPECT_EQ(recordsOf(stream, 20000), expected);
}

}  // namespace
