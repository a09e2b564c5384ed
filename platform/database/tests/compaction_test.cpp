#include "database/compaction.h"

#include <gtest/gtest.h>

#include "database/file_lock.h"
#include "test_database.h"

namespace {
const char* kSchema =
    "CREATE TABLE t (nombre TEXT COLLATE CASEBLIND UNIQUE, n INTEGER);"
    "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 2000)"
    " INSERT INTO t SELECT 'técnico ' || i, i FROM c;";
}

TEST(Compaction, KeepsEveryRowAndShrinksTheFile) {
    TestDatabase t(kSchema);
    t.database.execute("DELETE FROM t WHERE n > 1000");
    t.database.close();
    auto before = std::filesystem::file_size(t.file);
    std::filesystem::path copy = t.dir.path() / "test1.mdb";
    db::compact_database(t.file, copy);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_LT(std::filesystem::file_size(t.file), before);
    db::Database reopened(t.file);
    EXPECT_EQ(reopened.scalar("SELECT count(*) FROM t").to_number(), 1000);
    EXPECT_EQ(reopened.scalar("SELECT n FROM t WHERE nombre = 'TÉCNICO 7'").to_number(), 7);
}

TEST(Compaction, AnOpenDatabaseIsRefusedAndLeftUnchanged) {
    TestDatabase t(kSchema);
    std::filesystem::path copy = t.dir.path() / "test1.mdb";
    EXPECT_THROW(db::compact_database(t.file, copy), db::Error);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(t.database.scalar("SELECT count(*) FROM t").to_number(), 2000);
}

TEST(Compaction, WhileCompactingTheDatabaseCannotBeOpened) {
    TestDatabase t(kSchema);
    t.database.close();
    {
        db::ExclusiveFileLock compacting(t.file);  // what compaction holds
        try {
            db::Database other(t.file);
            FAIL();
        } catch (const db::Error& e) {
            EXPECT_NE(std::string(e.what()).find("bloqueada"), std::string::npos);
        }
    }
    db::Database a(t.file);
    db::Database b(t.file);  // two connections of one program share the file
    EXPECT_TRUE(b.is_open());
}

TEST(Compaction, AFailingCopyLeavesNothingBehind) {
    TestDatabase t(kSchema);
    t.database.close();
    auto before = std::filesystem::file_size(t.file);
    std::filesystem::path copy = t.dir.path() / "no-such-folder" / "test1.mdb";
    EXPECT_THROW(db::compact_database(t.file, copy), db::Error);
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(std::filesystem::file_size(t.file), before);
    EXPECT_THROW(db::compact_database(t.dir.path() / "missing.mdb", copy), db::Error);
    std::vector<std::string> names;
    for (auto& entry : std::filesystem::directory_iterator(t.dir.path()))
        names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"test.mdb"});
}
