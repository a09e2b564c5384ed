// How fast a billing dump imports: a generated file of records of both
// types in 64-character lines, read and cut by the importer (1) into a store
// that keeps nothing, (2) into factura.mdb on disk through the program's own
// store (FacturaRecordStore on the database layer); (3) a bare prepared
// insert through SQLite's C API in one transaction, fed with records already
// cut, for comparison, the best of five runs of (2) and (3) giving their
// ratio; (4) "Borra Datos" on the full store; (5) the import into a fresh
// store, twice without a window and twice as the main window runs it: in a
// long job, its "Importando..." label drawn (offscreen). The peak memory
// ends it.

#include <QApplication>
#include <QLabel>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "FacturaDatabase.h"
#include "FacturaRecordStore.h"
#include "billing_dump.h"
#include "billing_record.h"
#include "database/database.h"
#include "factura_sqlite.h"
#include "importa_arch.h"
#include "long_job.h"
#include "runtime/still_working.h"
#include "temp_dir.h"

namespace {

using billingtest::RecordType;
using Clock = std::chrono::steady_clock;

class KeepsNothing : public billing::RecordStore {
public:
    void begin() override {}
    void add(const billing::BillingRecord&) override {}
    void commit() override {}
    void rollback() noexcept override {}
};

class Silent : public billing::ImportReporter {
public:
    void importStarted() override {}
    void importEnded() override {}
    void message(const std::string& text, const std::string&) override { last = text; }
    std::string last;
};

// The digits of the i-th record: types alternate, numbers change.
std::string recordOf(long long i) {
    char sequence[7];
    char caller[11];
    std::snprintf(sequence, sizeof sequence, "%06llX", i & 0xFFFFFF);
    std::snprintf(caller, sizeof caller, "%010lld", 5550000000LL + i % 1000000);
    return billingtest::recordDigits(i % 2 ? RecordType::Type02 : RecordType::Type01,
                                     {{6, sequence}, {7, caller}});
}

std::filesystem::path writeDump(const std::filesystem::path& folder, long long records) {
    const auto path = folder / "facturacion.txt";
    std::ofstream out(path, std::ios::binary);
    out << "FILE 0001 BILLING DUMP\r\n";
    std::string pending;
    for (long long i = 0; i < records; ++i) {
        pending += recordOf(i);
        const std::size_t whole = pending.size() / 64 * 64;
        out << billingtest::dumpLines(std::string_view(pending).substr(0, whole), 64);
        pending.erase(0, whole);
    }
    out << billingtest::dumpLines(pending, 64) << "END OF FILE\r\n";
    return path;
}

// The main window's part of an import: its label shown and drawn.
class ShownReporter : public Silent {
public:
    explicit ShownReporter(QLabel& label) : label_(label) {}
    void importStarted() override {
        label_.setVisible(true);
        forms::refresh(&label_);
    }
    void importEnded() override { label_.setVisible(false); }

private:
    QLabel& label_;
};

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void print(const char* what, long long records, double seconds) {
    std::printf("%-52s %9lld records %8.2f s %12.0f records/s\n", what, records, seconds,
                records / seconds);
}

}  // namespace

// The process's processor time: what the window costs, less blurred than the
// clock by the other work on the machine.
double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// One import into a fresh factura.mdb under `folder`; its processor time.
double importInto(const std::filesystem::path& folder, const std::filesystem::path& dump,
                  billing::ImportReporter& reporter, bool inLongJob) {
    std::filesystem::create_directory(folder);
    db::Database base(billing::create_factura_database(folder));
    billing::FacturaRecordStore store(base);
    const double start = cpuSeconds();
    if (inLongJob) {
        forms::LongJob job;
        billing::importa_arch(dump, store, reporter);
    } else {
        billing::importa_arch(dump, store, reporter);
    }
    return cpuSeconds() - start;
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const long long records = argc > 1 ? std::atoll(argv[1]) : 1000000;
    testsupport::TempDir folder;

    auto start = Clock::now();
    const auto dump = writeDump(folder.path(), records);
    std::printf("dump of %lld records, %.1f MB, written in %.2f s\n", records,
                std::filesystem::file_size(dump) / 1e6, secondsSince(start));

    Silent reporter;
    KeepsNothing nothing;
    start = Clock::now();
    long long stored = billing::importa_arch(dump, nothing, reporter);
    print("read and cut (store keeps nothing)", stored, secondsSince(start));

    // The same rows, already cut, for the bare insert.
    std::vector<billing::BillingRecord> cut(1000);
    for (std::size_t i = 0; i < cut.size(); ++i) {
        const std::string digits = recordOf(static_cast<long long>(i));
        billing::decodeRecord(digits, static_cast<int>(digits.size() / 2), cut[i]);
    }

    // The import and the bare insert in turns, five times each (the best
    // counts: the machine may be busy with other work).
    const auto programFolder = folder.path() / "programa";
    double importSeconds = 1e30, bareSeconds = 1e30;
    std::optional<db::Database> base;
    for (int run = 1; run <= 5; ++run) {
        base.reset();
        std::filesystem::remove_all(programFolder);
        std::filesystem::create_directory(programFolder);
        base.emplace(billing::create_factura_database(programFolder));
        start = Clock::now();
        {
            billing::FacturaRecordStore store(*base);
            stored = billing::importa_arch(dump, store, reporter);
        }
        const double imported = secondsSince(start);
        print("read, cut and insert (FacturaRecordStore)", stored, imported);

        const auto bareFile = folder.path() / "bare.mdb";
        std::filesystem::remove(bareFile);
        auto bare = billingtest::newFacturaDatabase(bareFile.string());
        start = Clock::now();
        {
            billingtest::SqliteRecordStore store(bare.get());
            store.begin();
            for (long long i = 0; i < records; ++i) {
                store.add(cut[i % cut.size()]);
            }
            store.commit();
        }
        const double bareRun = secondsSince(start);
        print("bare prepared insert only (SQLite C API)", records, bareRun);
        importSeconds = std::min(importSeconds, imported);
        bareSeconds = std::min(bareSeconds, bareRun);
    }
    std::printf("  closing message: \"%s\"; rows in prueba: %s\n", reporter.last.c_str(),
                base->scalar("SELECT count(*) FROM prueba").to_text().c_str());
    std::printf("best: import %.0f records/s, bare prepared insert %.0f records/s, ratio %.2f\n",
                stored / importSeconds, records / bareSeconds,
                (stored / importSeconds) / (records / bareSeconds));

    start = Clock::now();
    {
        db::Transaction transaction(*base);
        base->execute("DELETE * FROM PRUEBA");
        transaction.commit();
    }
    print("DELETE * FROM PRUEBA on the full store", stored, secondsSince(start));

    QLabel label("Importando...");
    label.show();
    double bareBest = 1e30, windowBest = 1e30;
    for (int run = 0; run < 4; ++run) {
        const auto where = folder.path() / ("corrida" + std::to_string(run));
        if (run == 0 || run == 3) {
            Silent silent;
            bareBest = std::min(bareBest, importInto(where, dump, silent, false));
        } else {
            ShownReporter shown(label);
            windowBest = std::min(windowBest, importInto(where, dump, shown, true));
        }
        std::filesystem::remove_all(where);
    }
    print("import, no window (processor, best of 2)", stored, bareBest);
    print("import in a long job, label drawn (processor)", stored, windowBest);
    std::printf("  the long job costs %+.1f%% of the processor\n",
                100.0 * (windowBest - bareBest) / bareBest);

    // The long job's own share, apart from the noise of the machine: one
    // pulse per line of the dump, alone, with the label drawn in its rounds.
    const long long lines = static_cast<long long>(std::filesystem::file_size(dump) / 66);
    start = Clock::now();
    {
        forms::LongJob job;
        forms::refresh(&label);
        for (long long i = 0; i < lines; ++i)
            runtime::still_working();
    }
    const double pulses = secondsSince(start);
    std::printf("  %lld pulses alone: %.3f s, %.1f%% of the import without a window\n", lines,
                pulses, 100.0 * pulses / bareBest);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.0f MB for a %.0f MB dump\n", usage.ru_maxrss / 1024.0,
                std::filesystem::file_size(dump) / 1e6);
    return 0;
}
