#include "importa_arch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "billing_dump.h"
#include "import_doubles.h"
#include "temp_dir.h"

namespace {

using billing::FieldValue;
using billing::importa_arch;
using billing::StoreError;
using billingtest::dumpLines;
using billingtest::MemoryStore;
using billingtest::numberedRecord;
using billingtest::recordDigits;
using billingtest::RecordingReporter;
using billingtest::RecordType;
using testsupport::TempDir;

std::vector<std::string> closing(int count) {
    return {"started", "ended",
            "Fin de importación|Se capturaron  " + std::to_string(count) + " registros "};
}

class ImportaArch : public testing::Test {
protected:
    TempDir dir;
    MemoryStore store;
    RecordingReporter reporter;

    long long import(const std::string& content) {
        return importa_arch(dir.write("factura.txt", content), store, reporter);
    }
    // The sequence numbers (field 6) of the records stored, in order.
    std::vector<int> sequences() const {
        std::vector<int> numbers;
        for (const auto& record : store.records) {
            numbers.push_back(static_cast<int>(std::get<double>(record[5])));
        }
        return numbers;
    }
};

TEST_F(ImportaArch, AFileWithoutDataLinesStoresNothingAndSaysSo) {
    EXPECT_EQ(import("FILE 0001\r\nEND OF FILE\r\n"), 0);
    EXPECT_TRUE(store.records.empty());
    EXPECT_TRUE(store.committed);
    EXPECT_EQ(reporter.events, closing(0));
}

TEST_F(ImportaArch, StoresTwentyRecordsOfMixedTypesFromLinesOf64Digits) {
    std::string stream;
    std::vector<int> expected;
    for (int i = 1; i <= 20; ++i) {
        stream += numberedRecord(i % 2 ? RecordType::Type01 : RecordType::Type02, i);
        expected.push_back(i);
    }
    EXPECT_EQ(import(dumpLines(stream, 64)), 20);
    EXPECT_EQ(sequences(), expected);
    EXPECT_EQ(store.records[0][0], FieldValue("01"));
    EXPECT_EQ(store.records[0][1], FieldValue(110.0));
    EXPECT_EQ(store.records[1][0], FieldValue("02"));
    EXPECT_EQ(store.records[1][1], FieldValue(162.0));
    EXPECT_EQ(reporter.events, closing(20));
}

TEST_F(ImportaArch, StoresTheDecodedFieldsOfARecord) {
    import(dumpLines(recordDigits(RecordType::Type01), 64));
    ASSERT_EQ(store.records.size(), 1u);
    const auto& record = store.records[0];
    EXPECT_EQ(record[4], FieldValue(-1.0));
    EXPECT_EQ(record[5], FieldValue(16.0));
    EXPECT_EQ(record[12], FieldValue("97/03/15"));
    EXPECT_EQ(record[18], FieldValue("ABCDEFG"));
}

// Lines longer than half a record: every record is stored, none is left in
// the buffer at the end.
TEST_F(ImportaArch, KeepsPaceWithLinesOfOneRecordOrMany) {
    std::string lines;
    for (int i = 1; i <= 10; ++i) {
        lines += numberedRecord(RecordType::Type01, i) + "\r\n";
    }
    for (int i = 11; i <= 15; ++i) {
        lines += numberedRecord(RecordType::Type02, i) + "\n";
    }
    lines += numberedRecord(RecordType::Type01, 16) + numberedRecord(RecordType::Type02, 17) +
             numberedRecord(RecordType::Type01, 18) + "\r\n";
    EXPECT_EQ(import(lines), 18);
    EXPECT_EQ(sequences(),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(reporter.events, closing(18));
}

TEST_F(ImportaArch, ReadsTheSameRecordsWithAnyLineEndAndBlanksBetweenDigitGroups) {
    std::string stream;
    for (int i = 1; i <= 4; ++i) {
        stream += numberedRecord(i % 2 ? RecordType::Type02 : RecordType::Type01, i);
    }
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        std::string spaced;
        for (std::size_t at = 0; at < stream.size(); at += 4) {
            spaced += " " + stream.substr(at, 4) + (at % 64 == 60 ? eol : "  ");
        }
        store.records.clear();
        EXPECT_EQ(import(spaced + eol), 4) << "line end " << int(eol[0]);
        EXPECT_EQ(sequences(), (std::vector<int>{1, 2, 3, 4}));
    }
}

TEST_F(ImportaArch, SkipsHeaderTrailerMarkupAndLowerCaseLines) {
    const std::string first = numberedRecord(RecordType::Type01, 1);
    const std::string second = numberedRecord(RecordType::Type02, 2);
    // Every skipped line sits inside a record: taken, it would shift the digits.
    const std::string content = "FILE 17 DUMP\r\nBANK 3\r\n<pre>\r\n" + first.substr(0, 100) +
                                "\r\nEND OF BLOCK\r\nEOT\r\n" + first.substr(100) +
                                "\r\nCONT.\r\nORDER 5\r\n" + second.substr(0, 64) +
                                "\r\nEX-2\r\nab0c0d1e\r\n\r\n   \r\n" + second.substr(64) +
                                "\r\n</pre>\r\n";
    EXPECT_EQ(import(content), 2);
    EXPECT_EQ(sequences(), (std::vector<int>{1, 2}));
    EXPECT_EQ(store.records[1][37], FieldValue("2626262626262626262626262626"));
}

TEST_F(ImportaArch, SkipsGarbageBeforeTheFirstHeadAndFindsAHeadSplitAcrossLines) {
    const std::string first = numberedRecord(RecordType::Type01, 1);
    const std::string content =
        "FF00EE0A01\r\n0B" + first.substr(0, 3) + "\r\n" + first.substr(3) + "\r\n";
    EXPECT_EQ(import(content), 1);
    EXPECT_EQ(sequences(), (std::vector<int>{1}));
}

TEST_F(ImportaArch, NeitherStoresNorCountsARecordCutShortByTheEndOfTheFile) {
    const std::string stream =
        numberedRecord(RecordType::Type01, 1) + numberedRecord(RecordType::Type02, 2);
    // Three digits short: the old end marker "***" would have filled them.
    EXPECT_EQ(import(dumpLines(stream.substr(0, stream.size() - 3), 64)), 1);
    EXPECT_EQ(sequences(), (std::vector<int>{1}));
    EXPECT_EQ(reporter.events, closing(1));
}

TEST_F(ImportaArch, UsesTheLastLineAndReadsOnPastALineOfStars) {
    const std::string content = numberedRecord(RecordType::Type01, 1) + "\r\n***\r\n" +
                                numberedRecord(RecordType::Type01, 2);
    EXPECT_EQ(import(content), 2);
    EXPECT_EQ(sequences(), (std::vector<int>{1, 2}));
}

TEST_F(ImportaArch, NamesAFileThatCannotBeOpened) {
    const auto missing = dir.path() / "no such file.txt";
    EXPECT_EQ(importa_arch(missing, store, reporter), 0);
    EXPECT_FALSE(store.begun);
    EXPECT_EQ(reporter.events, (std::vector<std::string>{"Error en Archivo|No se puede abrir el "
                                                         "archivo " +
                                                         missing.string()}));
}

TEST_F(ImportaArch, AStoreFailureStoresNothingOfTheFileAndSaysWhatFailed) {
    std::string stream;
    for (int i = 1; i <= 5; ++i) {
        stream += numberedRecord(RecordType::Type01, i);
    }
    const std::string content = dumpLines(stream, 64);
    const std::string ruta = (dir.path() / "factura.txt").string();
    const std::string nada = "\nNo se guardó ningún registro del archivo.";
    struct Case {
        const char* name;
        void (*arrange)(billingtest::MemoryStore&);
        std::vector<std::string> events;
    };
    const Case cases[] = {
        {"a refused record",
         [](billingtest::MemoryStore& s) {
             s.refuseRecord = 3;
             s.refusal = StoreError(3000, "database or disk is full");
         },
         {"started", "ended",
          "Error de Importación|No se pudo capturar el registro 3 del archivo " + ruta +
              ".\nLa base de datos respondió: database or disk is full" + nada}},
        {"a store that can't be opened",
         [](billingtest::MemoryStore& s) {
             s.refuseBegin = StoreError(3000, "database is locked");
         },
         {"Error de Importación|No se pudo capturar el archivo " + ruta +
          ".\nLa base de datos respondió: database is locked" + nada}},
        {"rows that can't be kept",
         [](billingtest::MemoryStore& s) { s.refuseCommit = StoreError(3000, "disk I/O error"); },
         {"started", "ended",
          "Error de Importación|No se pudo capturar el archivo " + ruta +
              ".\nLa base de datos respondió: disk I/O error" + nada}},
    };
    for (const Case& c : cases) {
        store = billingtest::MemoryStore();
        reporter.events.clear();
        c.arrange(store);
        EXPECT_EQ(import(content), 0) << c.name;
        EXPECT_TRUE(store.records.empty()) << c.name;
        EXPECT_TRUE(store.rolledBack) << c.name;
        EXPECT_FALSE(store.committed) << c.name;
        EXPECT_EQ(reporter.events, c.events) << c.name;
    }
}

}  // namespace
