#include "database/database.h"

#include <gtest/gtest.h>

#include <fstream>

#include "test_database.h"

namespace {
const char* kSchema =
    "CREATE TABLE centrales (codigo_clli TEXT COLLATE CASEBLIND PRIMARY KEY, central TEXT);"
    "CREATE TABLE altas (id INTEGER PRIMARY KEY, clli TEXT REFERENCES centrales(codigo_clli),"
    " archivo TEXT COLLATE CASEBLIND UNIQUE);"
    "CREATE VIEW prueba AS SELECT archivo, clli FROM altas ORDER BY id;"
    "CREATE TABLE saved_actions (name TEXT COLLATE CASEBLIND PRIMARY KEY, sql TEXT);"
    "INSERT INTO saved_actions VALUES ('Borra Altas', 'DELETE * FROM altas');"
    "INSERT INTO centrales VALUES ('MXCLLI01', 'Centro'), ('MXCLLI02', 'Norte');";
}

TEST(DatabaseOpen, AMissingFileIsAnErrorNamingItAndIsNeverCreated) {
    testsupport::TempDir dir;
    std::filesystem::path missing = dir.path() / "Ternova.mdb";
    try {
        db::Database database(missing);
        FAIL();
    } catch (const db::Error& e) {
        EXPECT_EQ(e.number(), db::kGeneralError);
        EXPECT_NE(std::string(e.what()).find(missing.string()), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(DatabaseOpen, AFileThatIsNoDatabaseIsAnErrorNamingIt) {
    testsupport::TempDir dir;
    std::filesystem::path file = dir.write("Ternova.mdb", "Standard Jet DB, not SQLite at all....");
    try {
        db::Database database(file);
        FAIL();
    } catch (const db::Error& e) {
        EXPECT_NE(std::string(e.what()).find("Ternova.mdb"), std::string::npos);
    }
}

TEST(DatabaseOpen, NoSideFilesStayNextToTheDatabase) {
    TestDatabase t(kSchema);
    {
        db::Transaction transaction(t.database);
        t.database.execute("INSERT INTO altas (clli, archivo) VALUES ('MXCLLI01', 'a.txt')");
        transaction.commit();
    }
    t.database.close();
    std::vector<std::string> names;
    for (auto& entry : std::filesystem::directory_iterator(t.dir.path()))
        names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"test.mdb"});
}

TEST(DatabaseCreate, RefusesAnExistingFileAndLeavesNothingOnAFailingScript) {
    testsupport::TempDir dir;
    std::filesystem::path file = dir.path() / "x.mdb";
    EXPECT_THROW(db::Database::create_file(file, "CREATE TABLE a (x); NOT SQL;"), db::Error);
    EXPECT_FALSE(std::filesystem::exists(file));
    db::Database::create_file(file, "CREATE TABLE a (x);");
    EXPECT_THROW(db::Database::create_file(file, "CREATE TABLE b (x);"), db::Error);
}

TEST(DatabaseExecute, ReturnsRecordsAffectedAndRunsSavedActions) {
    TestDatabase t(kSchema);
    EXPECT_EQ(t.database.execute("INSERT INTO altas (clli, archivo) VALUES (?, ?)",
                                 {"MXCLLI01", "a.txt"}),
              1);
    t.database.execute("INSERT INTO altas (clli, archivo) VALUES (?, ?)", {"MXCLLI02", "b.txt"});
    EXPECT_EQ(t.database.execute("UPDATE altas SET clli = 'MXCLLI02'"), 2);
    EXPECT_EQ(t.database.execute("Borra Altas"), 2);
    EXPECT_EQ(t.database.scalar("SELECT count(*) FROM altas").to_number(), 0);
    EXPECT_TRUE(t.database.scalar("SELECT archivo FROM altas").is_null());
}

TEST(DatabaseErrors, DuplicateKeyAndRelatedRecordCarryTheOldNumbers) {
    TestDatabase t(kSchema);
    t.database.execute("INSERT INTO altas (clli, archivo) VALUES ('MXCLLI01', 'a.txt')");
    EXPECT_EQ(
        error_number([&] {
            t.database.execute("INSERT INTO altas (clli, archivo) VALUES ('MXCLLI01', 'A.TXT')");
        }),
        db::kDuplicateKey);
    EXPECT_EQ(
        error_number([&] {
            t.database.execute("INSERT INTO altas (clli, archivo) VALUES ('NOEXISTE', 'b.txt')");
        }),
        db::kRelatedRecordRequired);
    EXPECT_EQ(error_number([&] { t.database.execute("SELECT * FROM no_such_table"); }),
              db::kGeneralError);
    // Through a recordset as well.
    db::Recordset rs = t.database.open_recordset("altas");
    rs.add_new();
    rs.set("clli", "NOEXISTE");
    rs.set("archivo", "c.txt");
    EXPECT_EQ(error_number([&] { rs.update(); }), db::kRelatedRecordRequired);
    rs.add_new();
    rs.set("clli", "mxclli02");  // the key compares blind to case
    rs.set("archivo", "c.txt");
    EXPECT_EQ(error_number([&] { rs.update(); }), 0);
}

TEST(DatabaseTransactions, AnUncommittedTransactionRollsBackWholly) {
    TestDatabase t(kSchema);
    try {
        db::Transaction transaction(t.database);
        t.database.execute("INSERT INTO altas (clli, archivo) VALUES ('MXCLLI01', 'a.txt')");
        t.database.execute("INSERT INTO altas (clli, archivo) VALUES ('NOEXISTE', 'b.txt')");
        transaction.commit();
    } catch (const db::Error&) {
    }
    EXPECT_FALSE(t.database.in_transaction());
    EXPECT_EQ(t.database.scalar("SELECT count(*) FROM altas").to_number(), 0);

    db::Transaction outer(t.database);
    t.database.execute("INSERT INTO altas (clli, archivo) VALUES ('MXCLLI01', 'a.txt')");
    {
        db::Transaction inner(t.database);
        t.database.execute("INSERT INTO altas (clli, archivo) VALUES ('MXCLLI01', 'b.txt')");
    }  // the inner one rolls back alone
    outer.commit();
    EXPECT_EQ(t.database.scalar("SELECT count(*) FROM altas").to_number(), 1);
}

TEST(DatabaseClose, ClosesTheRecordsetsOpenOnIt) {
    TestDatabase t(kSchema);
    db::Recordset rs = t.database.open_recordset("SELECT * FROM centrales");
    t.database.close();
    EXPECT_FALSE(rs.is_open());
    EXPECT_THROW(rs.move_next(), db::Error);
    EXPECT_THROW(t.database.execute("SELECT 1"), db::Error);
}

TEST(DatabaseSchema, NamesCompareBlindToCase) {
    TestDatabase t(kSchema);
    EXPECT_TRUE(t.database.has_table("CENTRALES"));
    EXPECT_TRUE(t.database.has_view("Prueba"));
    EXPECT_FALSE(t.database.has_view("centrales"));
}
