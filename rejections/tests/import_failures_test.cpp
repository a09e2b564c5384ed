// riruzoz's import as a process, under what breaks writes: killed at moments
// spread over its run, a full file system, the database locked by another
// program, a read-only database file. Each time the database holds the file
// wholly or not at all, and a retry imports it.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iostream>

#include "kill_run.h"
#include "sample_file_text.h"
#include "sqlite_db.h"
#include "table_digest.h"
#include "temp_dir.h"

namespace rejections::testing {
namespace {

namespace fs = std::filesystem;
using testsupport::ProcessSpec;

constexpr const char* kNombre = "AB80615.txt";
constexpr int kCentrals = 4;

std::string clli(int central) {
    return "CEN" + std::to_string(10 + central) + "MX01";
}

// `blocks` blocks of 200 samples, each matched by one of the block's records.
void write_sample_file(const fs::path& file, int blocks) {
    std::ofstream out(file, std::ios::binary);
    for (int b = 0; b < blocks; ++b) {
        std::vector<Registro> regs;
        for (int j = 0; j < 200; ++j)
            regs.push_back(registro(clli(b % kCentrals), b * 200 + j));
        out << "CI " << clli(b % kCentrals) << "\r\n"
            << linea_fecha("Jun", "15", "10:45") << "\r\nCOLLECTION\r\nLARGA DISTANCIA\r\n";
        for (const Registro& r : regs)
            out << linea_muestra(r, false, "TRcd 00012") << "\r\n";
        out << "REGISTROS\r\n";
        for (const Registro& r : regs)
            out << linea_detalle(r) << "\r\n";
    }
}

// A program folder holding a fresh riruzozs.mdb with its centrals.
void make_database(const fs::path& folder) {
    auto db = create_riruzozs_db(folder / "riruzozs.mdb");
    for (int c = 0; c < kCentrals; ++c)
        db->exec("INSERT INTO Centrales VALUES ('" + clli(c) + "', 'Central', 'DMS', 'Metro')");
}

std::uint64_t state(const fs::path& folder) {
    return testsupport::table_digest(folder / "riruzozs.mdb", {"Archivos Alta", "Riruzozs alta"});
}

ProcessSpec import(const fs::path& folder, const fs::path& sample,
                   std::vector<std::string> options = {}) {
    options.push_back(sample.string());
    ProcessSpec command;
    command.program = RIRUZOZ_IMPORT_DRIVER;
    command.args = options;
    command.env = testsupport::child_environment({{"PROGRAM_FOLDER", folder.string()}});
    return command;
}

long long stored_rows(const fs::path& folder) {
    SqliteDb db(folder / "riruzozs.mdb");
    return db.scalar(R"(SELECT count(*) FROM "Riruzozs alta")") +
           db.scalar(R"(SELECT count(*) FROM "Archivos Alta")");
}

TEST(RiruzozImportKilled, LeavesTheFileWhollyImportedOrNotAtAllAndARetryImportsIt) {
    testsupport::TempDir dir;
    const fs::path sample = dir.path() / kNombre;
    write_sample_file(sample, 300);
    const fs::path inicial = dir.path() / "inicial";
    fs::create_directories(inicial);
    make_database(inicial);
    const std::uint64_t before = state(inicial);

    // The whole import, once, for its length and the state it leaves.
    const fs::path completa = dir.path() / "completa";
    fs::copy(inicial, completa);
    const auto full = testsupport::timed_run(import(completa, sample));
    ASSERT_EQ(full.result.status, 0) << full.result.err;
    ASSERT_NE(full.result.out.find("Se capturaron  60000 registros muestra"), std::string::npos)
        << full.result.out;
    const std::uint64_t after = state(completa);

    int killed_midway = 0;
    for (const double share : {0.05, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9, 1.1}) {
        const fs::path folder = dir.path() / ("corrida" + std::to_string(int(share * 100)));
        fs::copy(inicial, folder);
        const int status = testsupport::killed_after(import(folder, sample), share * full.seconds);
        const std::uint64_t now = state(folder);
        EXPECT_TRUE(now == before || now == after) << "killed at " << share;
        killed_midway += status == 128 + SIGKILL && now == before;
        if (getenv("SHOW_RUNS"))
            std::cerr << "kill at " << share * full.seconds << " s of " << full.seconds
                      << ": status " << status << (now == before ? ", before" : ", after") << "\n";

        const auto retry = testsupport::run_process(import(folder, sample));
        EXPECT_EQ(retry.status, 0) << share;
        EXPECT_EQ(state(folder), after) << "retried after a kill at " << share << ": " << retry.out;
    }
    // Kills that came before the commit: they are what this test is about.
    EXPECT_GE(killed_midway, 3);
}

// What the database refuses for reasons of its own: one message naming the
// file with the engine's reason, and nothing of the file stored.
TEST(RiruzozImportFailures, ADatabaseThatCannotTakeTheFileStoresNothingOfIt) {
    testsupport::TempDir dir;
    const fs::path sample = dir.path() / kNombre;
    write_sample_file(sample, 40);
    fs::permissions(dir.path(), fs::perms::all);  // for the user nobody

    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::vector<std::string> reasons;  // any of these, in the engine's words
    };
    // A small file system, else a file size limit, to fill.
    testsupport::SmallFileSystem small(512 * 1024);
    const Case cases[] = {
        {"a full disk", {}, {"database or disk is full", "disk I/O error"}},
        {"a database locked by another program", {}, {"database is locked"}},
        {"a read-only database file",
         {"--as-nobody"},
         {"attempt to write a readonly database", "unable to open database file"}},
    };
    for (const Case& c : cases) {
        const bool full = std::string(c.name) == "a full disk";
        const fs::path folder =
            full && small.mounted() ? small.path() : dir.path() / ("carpeta" + std::string(c.name));
        fs::create_directories(folder);
        make_database(folder);
        fs::permissions(folder, fs::perms::all);
        std::vector<std::string> options = c.options;
        if (full && !small.mounted())
            options = {"--file-size-limit",
                       std::to_string(fs::file_size(folder / "riruzozs.mdb") + 64 * 1024)};
        std::unique_ptr<SqliteDb> other;
        if (std::string(c.name) == "a database locked by another program") {
            other = std::make_unique<SqliteDb>(folder / "riruzozs.mdb");
            other->exec("BEGIN IMMEDIATE");
        }
        if (!c.options.empty())
            chmod((folder / "riruzozs.mdb").c_str(), 0444);

        const auto run = testsupport::run_process(import(folder, sample, options));
        if (getenv("SHOW_RUNS"))
            std::cerr << c.name << (small.mounted() ? " (tmpfs)" : "") << ": " << run.out;
        other.reset();
        chmod((folder / "riruzozs.mdb").c_str(), 0644);
        EXPECT_EQ(run.status, 0) << c.name << run.err;
        const std::string expected =
            "[Error en Archivo] No se pudo capturar el archivo " + sample.string() + ".\n";
        EXPECT_EQ(run.out.rfind(expected, 0), 0u) << c.name << ": " << run.out;
        bool reason_given = false;
        for (const std::string& reason : c.reasons)
            reason_given |=
                run.out.find("La base de datos respondió: " + reason) != std::string::npos;
        EXPECT_TRUE(reason_given) << c.name << ": " << run.out;
        EXPECT_NE(run.out.find("No se guardó ningún registro del archivo."), std::string::npos);
        // One message: no box per row, no closing count.
        EXPECT_EQ(run.out.find("[Error en Archivo]", 1), std::string::npos) << c.name;
        EXPECT_EQ(run.out.find("Se capturaron"), std::string::npos) << c.name;
        EXPECT_EQ(stored_rows(folder), 0) << c.name;
        fs::remove_all(folder / "riruzozs.mdb");
    }
}

}  // namespace
}  // namespace rejections::testing
