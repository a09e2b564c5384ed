// Zovavidevir's import as a process, under what breaks writes: killed at
// moments spread over its run, a full file system, the database locked by
// another program, a read-only database file. Each time the store holds the
// file wholly or not at all, and a retry imports it.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <iostream>

#include "FacturaDatabase.h"
#include "billing_dump.h"
#include "database/database.h"
#include "kill_run.h"
#include "table_digest.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using billingtest::RecordType;
using testsupport::ProcessSpec;

void write_dump(const fs::path& file, int records) {
    std::ofstream out(file, std::ios::binary);
    out << "FILE 0001\r\n";
    std::string pending;
    for (int i = 0; i < records; ++i) {
        pending += billingtest::numberedRecord(i % 3 ? RecordType::Type01 : RecordType::Type02, i);
        const std::size_t whole = pending.size() / 64 * 64;
        out << billingtest::dumpLines(std::string_view(pending).substr(0, whole), 64);
        pending.erase(0, whole);
    }
    out << billingtest::dumpLines(pending, 64) << "END OF FILE\r\n";
}

std::uint64_t state(const fs::path& folder) {
    return testsupport::table_digest(folder / "factura.mdb", {billing::kStoreName});
}

long long stored(const fs::path& folder) {
    db::Database base(folder / "factura.mdb");
    return static_cast<long long>(base.scalar("SELECT count(*) FROM prueba").to_number());
}

ProcessSpec import(const fs::path& folder, const fs::path& dump,
                   std::vector<std::string> options = {}) {
    options.push_back(dump.string());
    ProcessSpec command;
    command.program = BILLING_IMPORT_DRIVER;
    command.args = options;
    command.env = testsupport::child_environment({{"PROGRAM_FOLDER", folder.string()}});
    return command;
}

TEST(ZovavidevirImportKilled, LeavesTheFileWhollyImportedOrNotAtAllAndARetryImportsIt) {
    testsupport::TempDir dir;
    const fs::path dump = dir.path() / "llamadas.txt";
    write_dump(dump, 60000);
    const fs::path inicial = dir.path() / "inicial";
    fs::create_directories(inicial);
    billing::create_factura_database(inicial);
    const std::uint64_t before = state(inicial);

    const fs::path completa = dir.path() / "completa";
    fs::copy(inicial, completa);
    const auto full = testsupport::timed_run(import(completa, dump));
    ASSERT_EQ(full.result.status, 0) << full.result.err;
    ASSERT_NE(full.result.out.find("[Fin de importación] Se capturaron  60000 registros "),
              std::string::npos)
        << full.result.out;
    const std::uint64_t after = state(completa);

    // Each retry after a kill adds the file once more when the killed run
    // had stored it: the import keeps no list of files (the old program did
    // not either), so that case is told apart by the count.
    int killed_midway = 0;
    for (const double share : {0.05, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9, 1.1}) {
        const fs::path folder = dir.path() / ("corrida" + std::to_string(int(share * 100)));
        fs::copy(inicial, folder);
        const int status = testsupport::killed_after(import(folder, dump), share * full.seconds);
        const std::uint64_t now = state(folder);
        EXPECT_TRUE(now == before || now == after) << "killed at " << share;
        const bool nothing = now == before;
        killed_midway += status == 128 + SIGKILL && nothing;
        if (getenv("SHOW_RUNS"))
            std::cerr << "kill at " << share * full.seconds << " s of " << full.seconds
                      << ": status " << status << (nothing ? ", before" : ", after") << "\n";
        if (nothing) {
            const auto retry = testsupport::run_process(import(folder, dump));
            EXPECT_EQ(retry.status, 0) << share;
            EXPECT_EQ(state(folder), after) << "retried after a kill at " << share;
        }
    }
    EXPECT_GE(killed_midway, 3);
}

TEST(ZovavidevirImportFailures, ADatabaseThatCannotTakeTheFileStoresNothingOfIt) {
    testsupport::TempDir dir;
    const fs::path dump = dir.path() / "llamadas.txt";
    write_dump(dump, 20000);
    fs::permissions(dir.path(), fs::perms::all);  // for the user nobody

    struct Case {
        const char* name;
        std::vector<std::string> reasons;  // any of these, in the engine's words
    };
    testsupport::SmallFileSystem small(512 * 1024);
    const Case cases[] = {
        {"a full disk", {"database or disk is full", "disk I/O error"}},
        {"a database locked by another program", {"database is locked"}},
        {"a read-only database file", {"attempt to write a readonly database"}},
    };
    for (const Case& c : cases) {
        const std::string name = c.name;
        const bool full = name == "a full disk";
        const fs::path folder = full && small.mounted() ? small.path() : dir.path() / name;
        fs::create_directories(folder);
        billing::create_factura_database(folder);
        fs::permissions(folder, fs::perms::all);
        std::vector<std::string> options;
        if (full && !small.mounted())
            options = {"--file-size-limit",
                       std::to_string(fs::file_size(folder / "factura.mdb") + 64 * 1024)};
        std::optional<db::Database> other;
        if (name == "a database locked by another program") {
            other.emplace(folder / "factura.mdb");
            other->execute_script("BEGIN IMMEDIATE");
        }
        if (name == "a read-only database file") {
            chmod((folder / "factura.mdb").c_str(), 0444);
            options = {"--as-nobody"};
        }

        const auto run = testsupport::run_process(import(folder, dump, options));
        if (getenv("SHOW_RUNS"))
            std::cerr << name << (small.mounted() ? " (tmpfs)" : "") << ": " << run.out;
        other.reset();
        chmod((folder / "factura.mdb").c_str(), 0644);
        EXPECT_EQ(run.status, 0) << name << run.err;
        EXPECT_EQ(run.out.rfind("[Error de Importación] No se pudo capturar el ", 0), 0u)
            << name << ": " << run.out;
        bool reason_given = false;
        for (const std::string& reason : c.reasons)
            reason_given |=
                run.out.find("La base de datos respondió: " + reason) != std::string::npos;
        EXPECT_TRUE(reason_given) << name << ": " << run.out;
        EXPECT_EQ(run.out.find("INSERT"), std::string::npos) << name;
        EXPECT_EQ(run.out.find("Se capturaron"), std::string::npos) << name;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '['), 1) << name;
        EXPECT_EQ(stored(folder), 0) << name;
        fs::remove(folder / "factura.mdb");
    }
}

}  // namespace
