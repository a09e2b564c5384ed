// ostrel from the command line, run as a user would: arguments, standard
// input, standard output and error, the exit status, against a SQLite data
// source through the iODBC driver manager.

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "data_source.h"

namespace {

using odbctest::DataSource;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

const char* const kUsage =
    "Korvath Nexor Test Connection\n"
    "Version 1.1 (Release 4.2) as of Mon Apr 22 2002 (cvsid 00060).\n"
    "Compiled for Linux 2.2.19 (i686-pc-linux-glibc21)\n"
    "\n"
    "Usage:\n"
    "  ostrel\n"
    "         dsn=dsn_name[;uid=userid][;pwd=password][;sql=sqlstatement][;prompt=[d][u][p][s]]\n";

const char* const kConnected = "Testing Connection\n\nConnection successful\n";

// The table of "select 1".
const char* const kOneTable = "1          \n-----------\n1          \n 1 row(s) fetched.\n";

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - text.size(), ' ');
}

// What the statement loop wrote after "Connection successful".
std::string session(const DataSource& source, const std::string& input) {
    auto result = source.run({"dsn=demo"}, source.shell_env(), input);
    EXPECT_EQ(result.status, 0);
    EXPECT_THAT(result.out, StartsWith(kConnected));
    return result.out.substr(std::string(kConnected).size());
}

TEST(OstrelCli, RunsAStatementAndPrintsItsTable) {
    DataSource source;
    auto result = source.run({"dsn=demo"}, source.shell_env(), "select 1\nquit\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string(kConnected) + "SQL>" + kOneTable + "SQL>");
    EXPECT_EQ(result.err, "");
}

TEST(OstrelCli, WrongArgumentsEndWithTheUsageText) {
    DataSource source;
    for (std::vector<std::string> args : {std::vector<std::string>{}, {"dsn=demo", "dsn=demo"}}) {
        auto result = source.run(args, source.shell_env());
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "Error: Wrong number of arguments\n");
        EXPECT_EQ(result.err, kUsage);
    }
    // Any option, before anything is written to standard output.
    auto option = source.run({"-v", "dsn=demo"}, source.shell_env());
    EXPECT_EQ(option.status, 1);
    EXPECT_EQ(option.out, "");
    EXPECT_EQ(option.err, kUsage);

    // The "dsn=" test is case-sensitive; the status stays 0.
    auto unknown = source.run({"DSN=demo"}, source.shell_env());
    EXPECT_EQ(unknown.status, 0);
    EXPECT_EQ(unknown.out, "Testing Connection\n\nError: dsn not known.\n");
    EXPECT_EQ(unknown.err, kUsage);
}

TEST(OstrelCli, ResponseFileGivesTheConnectString) {
    DataSource source;
    testsupport::TempDir files;
    auto one = files.write("conn.rsp", "dsn=demo;uid=jones\n");
    auto result = source.run({"@" + one.string()}, source.shell_env(), "select 1\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, std::string(kConnected) + "SQL>" + kOneTable + "SQL>");

    auto two = files.write("two.rsp", "dsn=demo uid=jones");
    auto wrong = source.run({"@" + two.string()}, source.shell_env());
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.out, "Error: Wrong number of arguments\n");

    auto missing = source.run({"@missing.rsp"}, source.shell_env());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "unable to open response file missing.rsp\n");
}

TEST(OstrelCli, StatementLoopEndsAtEndWordsEmptyLinesAndEndOfInput) {
    DataSource source;
    const std::string tail_after_511 = "select 1" + std::string(503, ' ');
    const std::string over_long = "select 2 " + std::string(600, '-');
    struct LoopCase {
        std::string input;
        std::string output;
    } cases[] = {
        {"select 1\n  QUIT\nselect 2\n", std::string("SQL>") + kOneTable + "SQL>"},
        {"select 1\nEnd\n", std::string("SQL>") + kOneTable + "SQL>"},
        {"\tExit\nselect 1\n", "SQL>"},
        {"select 1", std::string("SQL>") + kOneTable + "SQL>"},  // no line end
        {"", "SQL>"},
        {"\nselect 1\n", "SQL>"},
        {" \t\r\nselect 1\n", "SQL>"},
        {"quit now\n", "SQL>SQLExec Error\n"},  // only the whole word ends the loop
        {tail_after_511 + "\nquit\n", std::string("SQL>") + kOneTable + "SQL>"},
        // The whole over-long line is read and dropped; the next line runs.
        {over_long + "\nselect 1\n",
         std::string("SQL>SQL statement too long; not executed.\nSQL>") + kOneTable + "SQL>"},
        // A typed NUL counts towards the length too: its tail is not run.
        {std::string("select 2", 9) + std::string(502, ' ') + "select 1\nquit\n",
         "SQL>SQL statement too long; not executed.\nSQL>"},
    };
    for (const auto& c : cases) {
        std::string out = session(source, c.input);
        EXPECT_THAT(out, StartsWith(c.output)) << c.input.substr(0, 30);
        // Diagnostics end in records of the driver's own wording.
        if (c.output.find("Error") == std::string::npos) {
            EXPECT_EQ(out, c.output);
        }
    }
}

TEST(OstrelCli, StatementsWithoutResultsAndTheTablesList) {
    DataSource source;
    EXPECT_EQ(session(source, "create table parts(id integer)\n"), "SQL>Statement executed.\nSQL>");

    source.exec("create table people(NAME varchar(10), ID integer)");
    std::string out = session(source, "tables\n");
    // Every table, not only those of an empty name.
    const std::string stars(50, '*');
    EXPECT_THAT(out, HasSubstr(stars + "|" + stars + "|" + padded("parts", 255) + "|" +
                               padded("TABLE", 50) + "|" + stars + "\n"));
    EXPECT_THAT(out, HasSubstr("|" + padded("people", 255) + "|"));
    EXPECT_THAT(out, HasSubstr(" 2 row(s) fetched.\n"));

    // Only the exact word lists tables; anything else is SQL (whose syntax
    // the SQLite driver checks when the statement runs).
    EXPECT_THAT(session(source, "Tables\n"), StartsWith("SQL>SQLExec Error\n"));
    EXPECT_THAT(session(source, "tables \n"), StartsWith("SQL>SQLExec Error\n"));
}

TEST(OstrelCli, TableWidthsFollowTheSqlTypes) {
    DataSource source;
    source.exec(
        "create table people(NAME varchar(10), ID integer);"
        "insert into people values('Ann', 7);"
        "create table mixed(code varchar(5), born date, note text, LONG_COLUMN_NAME char(2),"
        "  amount numeric(65534,0), counter integer(65535));"
        "insert into mixed values(null, '2024-01-01', 'hidden', 'ab', 1.5, 3);");
    EXPECT_EQ(session(source, "select * from people\n"),
              "SQL>NAME      |ID         \n----------+-----------\nAnn       |7          \n"
              " 1 row(s) fetched.\nSQL>");

    // Dates and long texts are hidden; a null fills its width with stars; a
    // name wider than the type widens it; precisions whose width passes 999
    // (65534 + 2, 65535 + 1) are shown 999 wide.
    const std::string wide(999, '-');
    EXPECT_EQ(session(source, "select * from mixed\n"),
              "SQL>code |LONG_COLUMN_NAME|" + padded("amount", 999) + "|" + padded("counter", 999) +
                  "\n-----+----------------+" + wide + "+" + wide + "\n*****|" + padded("ab", 16) +
                  "|" + padded("1.5", 999) + "|" + padded("3", 999) + "\n 1 row(s) fetched.\nSQL>");

    // Only hidden columns: empty header, rule and rows, and the count.
    EXPECT_EQ(session(source, "select born from mixed\n"), "SQL>\n\n\n 1 row(s) fetched.\nSQL>");
}

// A table many times the output buffer's size comes out whole and in
// order: every row, none cut at a block's end, and the count after them.
TEST(OstrelCli, ALargeTableComesOutWholeAndInOrder) {
    DataSource source;
    source.exec(
        "create table big(n integer, label varchar(30));"
        "with recursive k(n) as (select 1 union all select n + 1 from k where n < 20000)"
        "  insert into big select n, 'row ' || n || ' <&>' from k;");
    std::string expected = "SQL>n          |label                         \n" +
                           std::string(11, '-') + "+" + std::string(30, '-') + "\n";
    for (int n = 1; n <= 20000; ++n)
        expected += padded(std::to_string(n), 11) + "|" +
                    padded("row " + std::to_string(n) + " <&>", 30) + "\n";
    expected += " 20000 row(s) fetched.\nSQL>";
    EXPECT_EQ(session(source, "select * from big\n"), expected);
}

TEST(OstrelCli, AtMost32ColumnsAreShown) {
    DataSource source;
    std::string columns, values, header, rule, row;
    for (int i = 1; i <= 40; ++i) {
        columns += (i > 1 ? ", c" : "c") + std::to_string(i) + " integer";
        values += (i > 1 ? ", " : "") + std::to_string(i);
        if (i > 32)
            continue;
        const char* separator = i < 32 ? "|" : "";
        header += padded("c" + std::to_string(i), 11) + separator;
        rule += std::string(11, '-') + (i < 32 ? "+" : "");
        row += padded(std::to_string(i), 11) + separator;
    }
    source.exec("create table wide(" + columns + "); insert into wide values(" + values + ");");
    EXPECT_EQ(session(source, "select * from wide\n"),
              "SQL>" + header + "\n" + rule + "\n" + row + "\n 1 row(s) fetched.\nSQL>");
}

TEST(OstrelCli, FailuresAreReportedAndTheStatusStaysZero) {
    DataSource source;
    auto bad_dsn = source.run({"dsn=nosuch"}, source.shell_env(), "select 1\n");
    EXPECT_EQ(bad_dsn.status, 0);
    EXPECT_EQ(bad_dsn.out,
              "Testing Connection\n\nFailed\nSQLDriverConnect on Client failed.\n"
              "DB_Connect Error\n[iODBC][Driver Manager]Data source name not found and no default "
              "driver specified. Driver could not be loaded, SQLSTATE=IM002\n");

    // A bad statement reports its records and the loop goes on.
    std::string out = session(source, "select * from nosuch\nselect 1\n");
    EXPECT_THAT(out, StartsWith("SQL>SQLPrepare Error\n"
                                "[SQLite]no such table: nosuch (1), SQLSTATE=S1000\n"));
    EXPECT_THAT(out, HasSubstr(std::string("SQL>") + kOneTable + "SQL>"));

    // A message longer than its buffer is written cut, and ends cleanly.
    out = session(source, "select * from " + std::string(300, 'x') + "\n");
    EXPECT_THAT(out, HasSubstr("\n[SQLite]no such table: " + std::string(249 - 23, 'x') +
                               ", SQLSTATE=S1000\n"));

    // A value longer than 999 characters ends its statement.
    out = session(source, "select printf('%1500s', 'a') as v\n");
    EXPECT_THAT(out, HasSubstr("SQLGetData Error\n"));
    EXPECT_THAT(out, HasSubstr("SQLSTATE=01004"));
    EXPECT_THAT(out, Not(HasSubstr("row(s) fetched")));
}

TEST(OstrelCli, TheCommandLineConnectStringIsHandedOverUnparsed) {
    DataSource source;
    auto result =
        source.run({"dsn=demo;Database=other.db"}, source.shell_env(), "create table t(a)\n");
    EXPECT_EQ(result.out, std::string(kConnected) + "SQL>Statement executed.\nSQL>");
    EXPECT_TRUE(std::filesystem::exists(source.dir() / "other.db"));
}

}  // namespace
