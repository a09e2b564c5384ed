#include "database/recordset.h"

#include <gtest/gtest.h>

#include "test_database.h"

namespace {
const char* kSchema =
    "CREATE TABLE t (nombre TEXT COLLATE CASEBLIND, n INTEGER, dia DATETIME, ok BOOLEAN);"
    "CREATE VIEW v AS SELECT nombre, n FROM t ORDER BY n;"
    "INSERT INTO t VALUES ('ana', 1, 37320.5, 1), ('BETO', 2, NULL, 0), ('carla', 3, NULL, NULL);";
}

TEST(RecordsetMoves, EofBofAndPositions) {
    TestDatabase t(kSchema);
    db::Recordset rs = t.database.open_recordset("SELECT * FROM t ORDER BY n");
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(rs.absolute_position(), 0);
    EXPECT_EQ(rs["NOMBRE"].to_text(), "ana");
    EXPECT_EQ(rs[1].to_number(), 1);
    rs.move_next();
    rs.move_next();
    rs.move_next();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolute_position(), -1);
    EXPECT_THROW(rs.move_next(), db::Error);
    rs.move_previous();
    EXPECT_EQ(rs["nombre"].to_text(), "carla");
    rs.move_first();
    rs.move_previous();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    EXPECT_THROW(rs.move_previous(), db::Error);
    rs.move_next();  // from BOF back onto the first row
    EXPECT_EQ(rs["n"].to_number(), 1);
    rs.move_previous();
    rs.move_last();
    EXPECT_EQ(rs.absolute_position(), 2);
    db::Bookmark mark = rs.bookmark();
    rs.move_to(0);
    rs.move_to_bookmark(mark);
    EXPECT_EQ(rs["n"].to_number(), 3);
    EXPECT_THROW(rs.move_to(3), db::Error);
}

TEST(RecordsetMoves, AnEmptyRecordsetIsAtBofAndEof) {
    TestDatabase t(kSchema);
    db::Recordset rs = t.database.open_recordset("SELECT * FROM t WHERE n > 9");
    EXPECT_TRUE(rs.eof());
    EXPECT_TRUE(rs.bof());
    EXPECT_EQ(rs.record_count(), 0);
    EXPECT_THROW(rs.move_last(), db::Error);
    EXPECT_THROW(rs.move_first(), db::Error);
    EXPECT_THROW(rs["nombre"], db::Error);
}

TEST(RecordsetFields, NullsDatesAndTruthValues) {
    TestDatabase t(kSchema);
    db::Recordset rs = t.database.open_recordset("t");
    EXPECT_EQ(rs["dia"].kind(), runtime::Value::Kind::Date);
    EXPECT_EQ(rs["dia"].date_serial(), 37320.5);
    EXPECT_EQ(rs["ok"], runtime::Value(true));
    rs.move_next();
    EXPECT_TRUE(rs["dia"].is_null());
    EXPECT_EQ(rs.field_count(), 4);
    EXPECT_EQ(rs.field_name(2), "dia");
    EXPECT_EQ(rs.field_position("OK"), 3);
    EXPECT_THROW(rs["nada"], db::Error);
}

TEST(RecordsetCount, LazyCountsTheRowsReadSoFarStaticAllOfThem) {
    TestDatabase t(kSchema);
    db::Recordset lazy = t.database.open_recordset("SELECT * FROM t");
    EXPECT_EQ(lazy.record_count(), 1);
    lazy.move_next();
    EXPECT_EQ(lazy.record_count(), 2);
    lazy.move_last();
    EXPECT_EQ(lazy.record_count(), 3);
    EXPECT_TRUE(lazy.all_rows_read());
    db::Recordset table = t.database.open_recordset("T");  // a table by name, read by pages
    EXPECT_EQ(table.record_count(), 3);
    db::Recordset fixed = t.database.open_recordset("SELECT * FROM t", db::Cursor::Static);
    EXPECT_EQ(fixed.record_count(), 3);
    EXPECT_EQ(fixed.absolute_position(), 0);
}

TEST(RecordsetCount, AMillionRowTableOpensWithoutReadingItAll) {
    TestDatabase t("CREATE TABLE big (x INTEGER);");
    t.database.execute_script(
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 1000000)"
        " INSERT INTO big SELECT i FROM c;");
    db::Recordset table = t.database.open_recordset("big");
    EXPECT_LT(table.record_count(), 1000);
    db::Recordset query = t.database.open_recordset("SELECT * FROM big");
    EXPECT_EQ(query.record_count(), 1);
    EXPECT_EQ(query.read_more(10), 10);
    EXPECT_EQ(query.value_at(10, 0).to_number(), 11);
}

// What a report reads once from top to bottom: each row is dropped as the
// cursor leaves it (a table read by pages keeps its current page).
TEST(RecordsetCount, AForwardOnlyRecordsetKeepsOnlyTheCurrentRow) {
    TestDatabase t("CREATE TABLE big (x INTEGER);");
    t.database.execute_script(
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 2000)"
        " INSERT INTO big SELECT i FROM c;");
    db::Recordset rs =
        t.database.open_recordset("SELECT x FROM big ORDER BY x", db::Cursor::ForwardOnly);
    EXPECT_FALSE(rs.bof());
    EXPECT_FALSE(rs.updatable());
    for (long rows = 0; !rs.eof(); rs.move_next(), ++rows) {
        EXPECT_EQ(rs[0].to_number(), rows + 1);
        if (rows == 1000) {
            EXPECT_EQ(rs.record_count(), 1001);
            EXPECT_FALSE(rs.bof());
            EXPECT_THROW(rs.value_at(999, 0), db::Error);  // left behind
            EXPECT_THROW(rs.move_to(999), db::Error);
            EXPECT_THROW(rs.move_previous(), db::Error);
            EXPECT_THROW(rs.move_first(), db::Error);
            EXPECT_THROW(rs.find_first("x = 1"), db::Error);
            EXPECT_EQ(rs[0].to_number(), 1001);  // still where it was
        }
    }
    EXPECT_EQ(rs.record_count(), 2000);

    long sum = 0;
    db::Recordset table = t.database.open_recordset("big", db::Cursor::ForwardOnly);
    for (; !table.eof(); table.move_next())
        sum += static_cast<long>(table[0].to_number());
    EXPECT_EQ(sum, 2000L * 2001 / 2);
    db::Recordset last = t.database.open_recordset("SELECT x FROM big", db::Cursor::ForwardOnly);
    last.move_last();
    EXPECT_EQ(last[0].to_number(), 2000);
    EXPECT_EQ(last.absolute_position(), 1999);
}

TEST(RecordsetFind, FindFirstWithACriteriaText) {
    TestDatabase t(kSchema);
    db::Recordset rs = t.database.open_recordset("SELECT * FROM v");
    EXPECT_TRUE(rs.find_first("[nombre] like 'beto'"));
    EXPECT_EQ(rs["n"].to_number(), 2);
    EXPECT_FALSE(rs.find_first("[nombre] like 'zoe'"));  // no match: the row stays
    EXPECT_EQ(rs["n"].to_number(), 2);
    EXPECT_TRUE(rs.find_first("n > 2 AND nombre = 'CARLA'"));
    EXPECT_EQ(rs.absolute_position(), 2);
    EXPECT_TRUE(rs.find_first("[nombre] like " + db::quote("an*")));
    EXPECT_EQ(rs.absolute_position(), 0);
}

TEST(RecordsetChanges, AddNewEditUpdateAndDeleteOverOneTable) {
    TestDatabase t(kSchema);
    db::Recordset rs = t.database.open_recordset("SELECT * FROM t WHERE n >= 2 ORDER BY n");
    ASSERT_TRUE(rs.updatable());
    rs.set("n", 20);  // without Edit, as ADO allowed
    rs.update();
    EXPECT_EQ(rs["n"].to_number(), 20);
    rs.move_next();
    rs.edit();
    rs.set("nombre", "CARLOS");
    rs.cancel_update();
    EXPECT_EQ(rs["nombre"].to_text(), "carla");
    rs.add_new();
    rs.set("nombre", "dora");
    rs.set("dia", runtime::Value::date(37321));
    rs.update();
    rs.delete_current();
    EXPECT_TRUE(rs.eof());
    db::Recordset check = t.database.open_recordset("SELECT nombre, n, dia FROM t ORDER BY rowid",
                                                    db::Cursor::Static);
    ASSERT_EQ(check.record_count(), 3);
    check.move_to(1);
    EXPECT_EQ(check["n"].to_number(), 20);
    check.move_to(2);
    EXPECT_EQ(check["nombre"].to_text(), "dora");
    EXPECT_TRUE(check["n"].is_null());
    EXPECT_EQ(check["dia"].date_serial(), 37321);
}

TEST(RecordsetChanges, UpdatingEveryRowWhileReading) {
    TestDatabase t(kSchema);
    db::Recordset rs = t.database.open_recordset("SELECT * FROM t");
    while (!rs.eof()) {
        rs.set("n", rs["n"].to_number() * 10);
        rs.update();
        rs.move_next();
    }
    EXPECT_EQ(t.database.scalar("SELECT sum(n) FROM t").to_number(), 60);
}

TEST(RecordsetChanges, ViewsJoinsAndAggregatesAreReadOnly) {
    TestDatabase t(kSchema);
    for (const char* source : {"v", "SELECT a.nombre FROM t a JOIN t b ON a.n = b.n",
                               "SELECT count(*) AS c FROM t", "SELECT DISTINCT nombre FROM t"}) {
        db::Recordset rs = t.database.open_recordset(source);
        EXPECT_FALSE(rs.updatable()) << source;
        EXPECT_THROW(rs.add_new(), db::Error) << source;
    }
    db::Recordset ordered = t.database.open_recordset("SELECT nombre, n FROM t ORDER BY 2 DESC");
    EXPECT_EQ(ordered["n"].to_number(), 3);
}
