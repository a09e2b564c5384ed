#include "billing_record.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "billing_dump.h"

namespace {

using billing::BillingRecord;
using billing::decodeRecord;
using billing::FieldValue;
using billingtest::recordDigits;
using billingtest::RecordType;

BillingRecord decoded(const std::string& digits, int lengthBytes = 110) {
    BillingRecord record;
    decodeRecord(digits, lengthBytes, record);
    return record;
}

struct FieldCase {
    int field;
    FieldValue value;
};

void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << "field " << c.field;
}

class DecodedField : public testing::TestWithParam<FieldCase> {};

TEST_P(DecodedField, HoldsItsConvertedDigits) {
    const BillingRecord record = decoded(recordDigits(RecordType::Type01));
    EXPECT_EQ(record[GetParam().field - 1], GetParam().value) << "field " << GetParam().field;
}

INSTANTIATE_TEST_SUITE_P(DefaultRecord, DecodedField,
                         testing::Values(FieldCase{1, "01"}, FieldCase{2, 110.0},
                                         FieldCase{3, "03"}, FieldCase{4, "04"}, FieldCase{5, -1.0},
                                         FieldCase{6, 16.0}, FieldCase{7, "0707070707"},
                                         FieldCase{9, "090909090909090909"}, FieldCase{10, "0A"},
                                         FieldCase{13, "97/03/15"}, FieldCase{14, "14:30:05"},
                                         FieldCase{15, "00:01:30"}, FieldCase{19, "ABCDEFG"},
                                         FieldCase{20, "HIJKLMN"},
                                         FieldCase{31, "1F1F1F1F1F1F1F1F1F"},
                                         FieldCase{38, "2626262626262626262626262626"}));

TEST(DecodeRecord, TakesTheLengthOfAType02RecordFromItsHead) {
    const BillingRecord record = decoded(recordDigits(RecordType::Type02), 162);
    EXPECT_EQ(record[0], FieldValue("02"));
    EXPECT_EQ(record[1], FieldValue(162.0));
}

TEST(DecodeRecord, StoresDatesTimesAndTextsUncheckedAndInUtf8) {
    const BillingRecord record = decoded(recordDigits(RecordType::Type01, {{3, "0a"},
                                                                           {6, "00001G"},
                                                                           {13, "9A1399"},
                                                                           {14, "1:3005"},
                                                                           {7,
                                                                            "01\xE9"
                                                                            "3456789"}}));
    EXPECT_EQ(record[2], FieldValue("0a"));
    EXPECT_EQ(record[5], FieldValue(1.0));
    EXPECT_EQ(record[12], FieldValue("9A/13/99"));
    EXPECT_EQ(record[13], FieldValue("1::30:05"));
    EXPECT_EQ(record[6], FieldValue("01é3456789"));
}

TEST(DecodeRecord, ReusesARecordWhoseFieldsHeldOtherKinds) {
    BillingRecord record;
    record.fill(FieldValue(7.0));
    decodeRecord(recordDigits(RecordType::Type01), 110, record);
    EXPECT_EQ(record[0], FieldValue("01"));
    EXPECT_EQ(record[4], FieldValue(-1.0));
}

}  // namespace
