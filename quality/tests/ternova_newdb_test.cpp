// ternova-newdb run as an administrator would run it.

#include <gtest/gtest.h>

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
