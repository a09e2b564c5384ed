#include "database/sql_dialect.h"

#include <gtest/gtest.h>

#include "database/sql_text.h"
#include "test_database.h"

using db::like_matches;
using db::translate;

TEST(Translate, OldDialectBecomesSqlite) {
    struct Case {
        const char* old_sql;
        const char* sqlite_sql;
    } cases[] = {
        {"DELETE * FROM Boletas_Resueltas;", "DELETE FROM Boletas_Resueltas;"},
        {"delete  *  from PRUEBA", "delete from PRUEBA"},
        {"DELETE FROM t", "DELETE FROM t"},
        {"SELECT * FROM t WHERE x = \"dd/mm/yy\"", "SELECT * FROM t WHERE x = 'dd/mm/yy'"},
        {"SELECT \"it's\" , \"say \"\"hi\"\"\"", "SELECT 'it''s' , 'say \"hi\"'"},
        {"WHERE año = 1999AND ubicacion = 'CAR';", "WHERE año = 1999 AND ubicacion = 'CAR';"},
        {"WHERE a = 1.5or b", "WHERE a = 1.5 or b"},
        {"WHERE a = 1e3 AND b", "WHERE a = 1e3 AND b"},
        {"SELECT * FROM satisfactorios1 WHERE mes = 3",
         "SELECT * FROM satisfactorios1 WHERE mes = 3"},
        {"[# de A] like 'a\"b*' and [RD] like ''", "[# de A] like 'a\"b*' and [RD] like ''"},
        {"SELECT 'DELETE * FROM x'", "SELECT 'DELETE * FROM x'"},
        // A like that lets every value through is a test for Null.
        {"select * from p where [RD] like '*' and [# de A] not like '*'",
         "select * from p where ([RD] IS NOT NULL OR NULL) and NOT ([# de A] IS NOT NULL OR NULL)"},
        {"WHERE t.a like \"*\" OR (b LIKE '*')",
         "WHERE (t.a IS NOT NULL OR NULL) OR ((b IS NOT NULL OR NULL))"},
        {"WHERE a || b like '*' AND c like '*' || 'x' AND d like '*' ESCAPE '!'",
         "WHERE a || b like '*' AND c like '*' || 'x' AND d like '*' ESCAPE '!'"},
        {"WHERE a like 'x*' AND s = 'a like ''*'''", "WHERE a like 'x*' AND s = 'a like ''*'''"},
        {"WHERE n like '*", "WHERE n like '*"},  // a text left open stays as it is
    };
    for (const Case& c : cases)
        EXPECT_EQ(translate(c.old_sql), c.sqlite_sql) << c.old_sql;
}

// The test for Null gives what the like function gives, Null included.
TEST(Translate, LikeEverythingKeepsItsValue) {
    TestDatabase t(
        "CREATE TABLE v (x);"
        "INSERT INTO v VALUES ('abc'), (''), (NULL), (12), (1.5);");
    for (const std::string sql :
         {"SELECT count(*) FROM v WHERE x like '*'", "SELECT count(*) FROM v WHERE x not like '*'",
          "SELECT group_concat(coalesce(x like '*', 'n') || coalesce(x not like '*', 'n')) FROM "
          "v"}) {
        SCOPED_TRACE(sql);
        std::string called = sql;
        for (std::size_t at; (at = called.find("like '*'")) != std::string::npos;)
            called.replace(at, 8, "like ('*')");
        EXPECT_NE(translate(sql), sql);
        EXPECT_EQ(translate(called), called);
        EXPECT_EQ(t.database.scalar(sql).to_text(), t.database.scalar(called).to_text());
    }
}

TEST(LikeMatches, OldWildcardsBlindToCase) {
    struct Case {
        const char* pattern;
        const char* text;
        bool matches;
    } cases[] = {
        {"ANA*", "ana maría", true},
        {"*", "", true},
        {"*", "x", true},
        {"?", "ñ", true},
        {"?", "", false},
        {"a?c", "abc", true},
        {"#*", "7ab", true},
        {"#", "a", false},
        {"[abc]x", "Bx", true},
        {"[a-c]", "d", false},
        {"[!a-c]", "d", true},
        {"[!a-c]", "b", false},
        {"[*]", "*", true},
        {"[*]", "a", false},
        {"50%", "50%", true},
        {"50%", "500", false},
        {"a_b", "a_b", true},
        {"a_b", "axb", false},
        {"ÁRBOL", "árbol", true},
        {"ÁRBOL", "arbol", false},
        {"ÑU*", "ñuño", true},
        {"*b*c", "abxbxc", true},
        {"a*b", "aab c", false},
        {"", "", true},
        {"", "a", false},
        {"0#:##:##*", "00:12:34", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(like_matches(c.pattern, c.text), c.matches) << c.pattern << " / " << c.text;
}

TEST(Quote, DoublesEveryQuote) {
    EXPECT_EQ(db::quote("O'Brien"), "'O''Brien'");
    EXPECT_EQ(db::quote(""), "''");
    EXPECT_EQ(db::quote("''"), "''''''");
}

class Dialect : public ::testing::Test {
protected:
    TestDatabase t{
        "CREATE TABLE p (nombre TEXT COLLATE CASEBLIND, momento TEXT, n INTEGER);"
        "INSERT INTO p VALUES ('ÁLVAREZ', '05/03/02 14:07', 1), ('núñez', '31/12/99 23:59', 2),"
        " ('50% off', 'no date', 3), (NULL, NULL, 4);"};

    long count(const std::string& where) {
        return static_cast<long>(
            t.database.scalar("SELECT count(*) FROM p WHERE " + where).to_number());
    }
};

TEST_F(Dialect, CollationComparesAccentedCapitalsBlindToCase) {
    EXPECT_EQ(count("nombre = 'álvarez'"), 1);
    EXPECT_EQ(count("nombre = 'NÚÑEZ'"), 1);
    EXPECT_EQ(count("nombre = 'alvarez'"), 0);  // an accent still counts
    EXPECT_EQ(count("nombre > 'M'"), 2);
}

TEST_F(Dialect, LikeInStatementsWithOldWildcards) {
    EXPECT_EQ(count("nombre like 'álv*'"), 1);
    EXPECT_EQ(count("nombre like '*'"), 3);  // every value but Null
    EXPECT_EQ(count("nombre not like '*'"), 0);
    EXPECT_EQ(count("nombre like '50%*'"), 1);
    EXPECT_EQ(count("nombre like '5_%*'"), 0);  // "_" is a plain character
    EXPECT_EQ(count("nombre like '%'"), 0);
    EXPECT_EQ(count("[nombre] like \"N?ÑEZ\""), 1);
    // Two patterns in one statement, a bound one, and one that changes from row to row:
    EXPECT_EQ(count("nombre like '*z' and nombre like 'n*'"), 1);
    EXPECT_EQ(t.database.scalar("SELECT count(*) FROM p WHERE nombre like ?", {"*E*"}).to_number(),
              2);
    EXPECT_EQ(count("nombre like substr('ÁLV*NÚ**50**', n * 4 - 3, 4)"), 3);
}

TEST_F(Dialect, DateFunctionsReadDayFirstTexts) {
    EXPECT_EQ(count("month(format(momento,\"dd/mm/yy\")) = 3"), 1);
    EXPECT_EQ(count("month(momento) = 12 AND year(momento) = 1999"), 1);
    EXPECT_EQ(count("year(momento) = 2002AND day(momento) = 5"), 1);
    EXPECT_EQ(count("month(momento) IS NULL"), 2);  // no date, and Null
    EXPECT_EQ(t.database.scalar("SELECT format(momento, 'hh:mm') FROM p WHERE n = 1").to_text(),
              "14:07");
    EXPECT_EQ(t.database.scalar("SELECT format(0.5, '##.00')").to_text(), ".50");
    EXPECT_EQ(t.database.scalar("SELECT cdate('05/03/02')").to_number(), 37320);
}
