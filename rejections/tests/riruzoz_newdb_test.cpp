// riruzoz-newdb run as an administrator would run it.

#include <gtest/gtest.h>

#include "database/database.h"
#include "process.h"
#include "temp_dir.h"

namespace {

using testsupport::run_process;
using testsupport::TempDir;

testsupport::ProcessResult newdb(std::vector<std::string> args) {
    return run_process({testsupport::program_path("riruzoz-newdb"),
                        std::move(args),
                        {{"PATH", "/usr/bin:/bin"}},
                        "",
                        ""});
}

TEST(RiruzozNewdb, CreatesTheDatabaseWithTheCentralsOfTheCsvFile) {
    TempDir dir;
    const auto csv = dir.write("centrales.csv",
                               "codigo_clli,Central,Tipo,División\r\n"
                               "MEXCCO01,Mexico Centro,5ESS,Metro\r\n"
                               "\r\n"
                               "GDLJAL02,\"Guadalajara, Jal.\",,Occidente\r\n");
    const auto result = newdb({(dir.path() / "demo").string(), "--centrales", csv.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("2 centrales"), std::string::npos) << result.out;

    db::Database database(dir.path() / "demo" / "riruzozs.mdb");
    for (const char* name : {"Archivos Alta", "Riruzozs alta", "Centrales"})
        EXPECT_TRUE(database.has_table(name)) << name;
    for (const char* name : {"prueba", "Totales"})
        EXPECT_TRUE(database.has_view(name)) << name;
    EXPECT_EQ(database.scalar("SELECT count(*) FROM Centrales").to_text(), "2");
    EXPECT_EQ(
        database.scalar("SELECT Central FROM Centrales WHERE codigo_clli = 'gdljal02'").to_text(),
        "Guadalajara, Jal.");
    EXPECT_TRUE(
        database.scalar("SELECT Tipo FROM Centrales WHERE codigo_clli = 'GDLJAL02'").is_null());
    EXPECT_EQ(database.execute("Borra Riruzozs"), 0);
}

TEST(RiruzozNewdb, WithoutCentralsTheTableStaysEmpty) {
    TempDir dir;
    ASSERT_EQ(newdb({dir.path().string()}).status, 0);
    db::Database database(dir.path() / "riruzozs.mdb");
    EXPECT_EQ(database.scalar("SELECT count(*) FROM Centrales").to_text(), "0");
}

TEST(RiruzozNewdb, RefusesAnExistingDatabaseABadCentralsFileAndWrongArguments) {
    TempDir dir;
    ASSERT_EQ(newdb({dir.path().string()}).status, 0);
    const auto size = std::filesystem::file_size(dir.path() / "riruzozs.mdb");
    const auto again = newdb({dir.path().string()});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("riruzozs.mdb"), std::string::npos) << again.err;
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "riruzozs.mdb"), size);

    // A central twice, a line of too many fields, a file that is not there:
    // each names its trouble and leaves no database behind.
    struct Case {
        std::string csv;
        std::string named;
    };
    for (const Case& c : {Case{"A1,Uno\nA1,Otra\n", "line 2"}, Case{"A1,Uno,T,D,extra\n", "line 1"},
                          Case{"", "no-such.csv"}}) {
        TempDir other;
        const auto csv = c.csv.empty() ? other.path() / "no-such.csv" : other.write("c.csv", c.csv);
        const auto bad = newdb({other.path().string(), "--centrales", csv.string()});
        EXPECT_EQ(bad.status, 1) << c.named;
        EXPECT_NE(bad.err.find(c.named), std::string::npos) << bad.err;
        EXPECT_FALSE(std::filesystem::exists(other.path() / "riruzozs.mdb")) << c.named;
    }

    EXPECT_EQ(newdb({}).status, 2);
    EXPECT_EQ(newdb({dir.path().string(), "--centrales"}).status, 2);
    EXPECT_EQ(newdb({dir.path().string(), "--other"}).status, 2);
}

}  // namespace
