#pragma once
// Test doubles of the importer's store and reporter: the store keeps the
// records in memory and refuses what it is told to; the reporter keeps what
// the user would have seen, in order.

#include <optional>
#include <string>
#include <vector>

#include "import_reporter.h"
#include "record_store.h"

namespace billingtest {

class MemoryStore : public billing::RecordStore {
public:
    // Records added, and whether they were kept by commit.
    std::vector<billing::BillingRecord> records;
    bool begun = false;
    bool committed = false;
    bool rolledBack = false;

    // Refusals to give: at begin, at the add of the n-th record (1-based), at commit.
    std::optional<billing::StoreError> refuseBegin;
    int refuseRecord = 0;
    std::optional<billing::StoreError> refusal;
    std::optional<billing::StoreError> refuseCommit;

    void begin() override {
        if (refuseBegin) {
            throw *refuseBegin;
        }
        begun = true;
    }
    void add(const billing::BillingRecord& record) override {
        if (refuseRecord == static_cast<int>(records.size()) + 1) {
            throw *refusal;
        }
        records.push_back(record);
    }
    void commit() override {
        if (refuseCommit) {
            throw *refuseCommit;
        }
        committed = true;
    }
    void rollback() noexcept override {
        records.clear();
        rolledBack = true;
    }
};

class RecordingReporter : public billing::ImportReporter {
public:
    // "started", "ended", or a message as "title|text".
    std::vector<std::string> events;

    void importStarted() override { events.push_back("started"); }
    void importEnded() override { events.push_back("ended"); }
    void message(const std::string& text, const std::string& title) override {
        events.push_back(title + "|" + text);
    }
};

}  // namespace billingtest
