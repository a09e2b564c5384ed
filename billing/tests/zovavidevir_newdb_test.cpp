// zovavidevir-newdb run as an administrator would run it.

#include <gtest/gtest.h>

#include <filesystem>

#include "database/database.h"
#include "process.h"
#include "temp_dir.h"

namespace {

using testsupport::run_process;

testsupport::ProcessResult newdb(std::vector<std::string> args) {
    return run_process({testsupport::program_path("zovavidevir-newdb"),
                        std::move(args),
                        {{"PATH", "/usr/bin:/bin"}},
                        "",
                        ""});
}

TEST(ZovavidevirNewdb, CreatesAnEmptyFacturaWithTheStoreAndPrueba) {
    testsupport::TempDir dir;
    const auto result = newdb({dir.path().string()});
    EXPECT_EQ(result.status, 0) << result.err;
    const auto file = dir.path() / "factura.mdb";
    EXPECT_EQ(result.out, file.string() + "\n");
    db::Database base(file);
    EXPECT_TRUE(base.has_table("Facturación Detallada"));
    EXPECT_TRUE(base.has_view("prueba"));
    EXPECT_EQ(base.scalar("SELECT count(*) FROM prueba").to_text(), "0");
}

TEST(ZovavidevirNewdb, RefusesAnExistingDatabaseAMissingFolderAndWrongArguments) {
    testsupport::TempDir dir;
    ASSERT_EQ(newdb({dir.path().string()}).status, 0);
    const auto file = dir.path() / "factura.mdb";
    const auto size = std::filesystem::file_size(file);
    const auto again = newdb({dir.path().string()});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("factura.mdb"), std::string::npos) << again.err;
    EXPECT_EQ(std::filesystem::file_size(file), size);
    EXPECT_EQ(newdb({(dir.path() / "missing").string()}).status, 1);
    EXPECT_EQ(newdb({}).status, 2);
    EXPECT_EQ(newdb({dir.path().string(), "other"}).status, 2);
}

}  // namespace
