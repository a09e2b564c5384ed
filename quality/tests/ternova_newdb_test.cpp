// ternova-newdb run as an administrator would run it.

#include <gtest/gtest.h>

#include <fstream>

#include "database/database.h"

#include "process.h"
#include "temp_dir.h"

using testsupport::run_process;

namespace {
testsupport::ProcessResult newdb(std::vector<std::string> args) {
    return run_process({testsupport::program_path("ternova-newdb"),
                        std::move(args),
                        {{"PATH", "/usr/bin:/bin"}},
                        "",
                        ""});
}
}  // namespace

TEST(TernovaNewdb, CreatesTheDatabaseWhoseObjectsTheShellLists) {
    testsupport::TempDir dir;
    auto result = newdb({dir.path().string(), "--supervisor-password", "x"});
    EXPECT_EQ(result.status, 0) << result.err;
    auto file = dir.path() / "Ternova.mdb";
    ASSERT_TRUE(std::filesystem::exists(file));
    auto listed =
        run_process({"sqlite3", {file.string(), ".tables"}, {{"PATH", "/usr/bin:/bin"}}, "", ""});
    for (const char* name :
         {"Boletas_Resueltas", "Historico_Boletas_Calidad", "Tecnico_All_Information",
          "Ultimafecha", "satisfactorios1", "nosatisfactorios5", "CAR"})
        EXPECT_NE(listed.out.find(name), std::string::npos) << name;
    auto supervisor =
        run_process({"sqlite3",
                     {file.string(), "SELECT nombre || '|' || \"contraseña\" FROM SUPERVISORES"},
                     {{"PATH", "/usr/bin:/bin"}},
                     "",
                     ""});
    EXPECT_EQ(supervisor.out, "SUPERVISOR|x\n");
}

TEST(TernovaNewdb, RefusesAnExistingDatabaseAndWrongArguments) {
    testsupport::TempDir dir;
    ASSERT_EQ(newdb({dir.path().string(), "--supervisor-password", "x"}).status, 0);
    auto size = std::filesystem::file_size(dir.path() / "Ternova.mdb");
    auto again = newdb({dir.path().string(), "--supervisor-password", "y"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("Ternova.mdb"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "Ternova.mdb"), size);
    EXPECT_EQ(newdb({dir.path().string()}).status, 2);  // no password is built in
    EXPECT_EQ(newdb({"--supervisor-password", "x"}).status, 2);
    EXPECT_EQ(newdb({(dir.path() / "missing").string(), "--supervisor-password", "x"}).status, 1);
}

TEST(TernovaNewdb, AddsTheSitesOwnRowsOrNothingAtAll) {
    testsupport::TempDir dir;
    const auto data = dir.path() / "site.sql";
    std::ofstream(data) << "INSERT INTO TECNICOS VALUES ('JPR', 'JUAN PEREZ', '0');\n"
                           "INSERT INTO SUPERVISORES VALUES ('ANA LOPEZ', 'luna');\n";
    const auto made = dir.path() / "made";
    std::filesystem::create_directory(made);
    auto result =
        newdb({made.string(), "--supervisor-password", "x", "--site-data", data.string()});
    ASSERT_EQ(result.status, 0) << result.err;
    db::Database database(made / "Ternova.mdb");
    EXPECT_EQ(database.scalar("SELECT Nombre FROM TECNICOS WHERE Iniciales = 'jpr'").to_text(),
              "JUAN PEREZ");
    EXPECT_EQ(database.scalar("SELECT count(*) FROM SUPERVISORES").integer(), 2);

    // A failing statement (a second JPR) leaves no database behind.
    std::ofstream(data, std::ios::app) << "INSERT INTO TECNICOS VALUES ('jpr', 'OTRO', '0');\n";
    const auto refused = dir.path() / "refused";
    std::filesystem::create_directory(refused);
    result = newdb({refused.string(), "--supervisor-password", "x", "--site-data", data.string()});
    EXPECT_EQ(result.status, 1);
    EXPECT_FALSE(std::filesystem::exists(refused / "Ternova.mdb"));
    EXPECT_EQ(newdb({refused.string(), "--supervisor-password", "x", "--site-data",
                     (dir.path() / "none.sql").string()})
                  .status,
              1);
    EXPECT_FALSE(std::filesystem::exists(refused / "Ternova.mdb"));
}
