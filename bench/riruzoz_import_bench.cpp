// How fast riruzoz imports a large sample file, against a bare prepared
// insert of the same rows into the same schema.
//
//   build/bench/riruzoz_import_bench [FOLDER]
//
// Writes into FOLDER (a fresh folder under /tmp when none is given, removed
// at the end) a sample file of 1,000 blocks of 200 samples and 200 detail
// records, each record matching one sample of its block at a spread of
// places; imports it through the importer into a SQLite file made from the
// schema (one prepared insert, one transaction); inserts the rows the
// importer made, with one prepared insert in one transaction and nothing
// else, into another such file; and prints both rates, the best of three
// runs each. Then three more imports as the main window runs them: in a long
// job, its window drawn (offscreen), against the importer's best.

#include <QApplication>
#include <QLabel>

#include <sqlite3.h>
#include <unistd.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "database/database.h"
#include "database_sample_store.h"
#include "importa_muestras.h"
#include "long_job.h"
#include "runtime/still_working.h"
#include "sample_file_text.h"
#include "sqlite_db.h"

namespace fs = std::filesystem;
using namespace rejections;
using namespace rejections::testing;

namespace {

constexpr int kBlocks = 1000;
constexpr int kPerBlock = 200;
constexpr int kCentrals = 10;
constexpr int kRuns = 3;
constexpr const char* kNombre = "AB80615.txt";

std::string clli(int central) {
    return "CEN" + std::to_string(10 + central) + "MX01";
}

// Block b's records are numbered so that every block has its own; record j
// of a block is written at place (j * 7919) % 200 of its details, so that a
// record's sample is found after a search of any length.
void write_sample_file(const fs::path& file) {
    std::ofstream out(file, std::ios::binary);
    out.exceptions(std::ios::failbit | std::ios::badbit);
    for (int b = 0; b < kBlocks; ++b) {
        const bool rating = b % 2 == 1;
        std::vector<Registro> regs;
        regs.reserve(kPerBlock);
        for (int j = 0; j < kPerBlock; ++j) {
            regs.push_back(registro(clli(b % kCentrals), b * kPerBlock + j));
        }
        out << "CI " << clli(b % kCentrals) << "\r\n"
            << linea_fecha("Jun", "15", "10:45") << "\r\n"
            << (rating ? "RATING" : "COLLECTION") << "\r\n"
            << "LARGA DISTANCIA\r\n";
        for (int j = 0; j < kPerBlock; ++j) {
            out << linea_muestra(regs[j], rating, "TRcd " + std::to_string(j)) << "\r\n";
        }
        out << "REGISTROS\r\n";
        for (int j = 0; j < kPerBlock; ++j) {
            out << linea_detalle(regs[(j * 7919) % kPerBlock]) << "\r\n";
        }
    }
}

// A fresh riruzozs.mdb with the centrals and the sample file entered.
std::unique_ptr<SqliteDb> fresh_db(const fs::path& file) {
    fs::remove(file);
    fs::remove(fs::path(file.string() + "-journal"));
    auto db = create_riruzozs_db(file);
    for (int c = 0; c < kCentrals; ++c) {
        db->exec("INSERT INTO Centrales VALUES ('" + clli(c) + "', 'Central " + std::to_string(c) +
                 "', 'DMS', 'Metro')");
    }
    db->exec(std::string(R"(INSERT INTO "Archivos Alta" VALUES (')") + kNombre + "', '08/06/15')");
    return db;
}

// The rows an import makes, kept compactly for the bare insert.
struct PackedRows {
    struct Field {
        std::uint8_t kind;  // index of the FieldValue alternative
        std::uint32_t offset;
        std::uint32_t size;
        double number;
    };
    std::string text;
    std::vector<Field> fields;
    std::size_t rows() const { return fields.size() / SampleRow::kFields; }
};

class CapturingStore : public SampleStore {
public:
    explicit CapturingStore(PackedRows& rows) : rows_(rows) {}
    void insertFile(const std::string&, const std::string&) override {}
    void beginRows() override {}
    void insertRow(const SampleRow& row) override {
        for (const FieldValue& value : row.fields) {
            PackedRows::Field field{static_cast<std::uint8_t>(value.index()), 0, 0, 0};
            if (const auto* text = std::get_if<std::string>(&value)) {
                field.offset = static_cast<std::uint32_t>(rows_.text.size());
                field.size = static_cast<std::uint32_t>(text->size());
                rows_.text += *text;
            } else if (const auto* number = std::get_if<double>(&value)) {
                field.number = *number;
            } else if (const auto* yes = std::get_if<bool>(&value)) {
                field.number = *yes ? 1 : 0;
            }
            rows_.fields.push_back(field);
        }
    }
    void commitRows() override {}
    void rollbackRows() noexcept override {}

private:
    PackedRows& rows_;
};

class QuietMessages : public ImportMessages {
public:
    void show(std::string_view text, std::optional<std::string_view>) override {
        last = std::string(text);
    }
    std::string last;
};

class NoPointer : public WaitPointer {
public:
    void setWindowPointer(MousePointer) override {}
    void setScreenPointer(MousePointer) override {}
};

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void check(sqlite3* db, int rc, int expected) {
    if (rc != expected) {
        throw std::runtime_error(sqlite3_errmsg(db));
    }
}

// One prepared insert in one transaction, binding the captured rows as the
// import's store binds them.
double bare_insert(const fs::path& file, const PackedRows& rows) {
    auto db = fresh_db(file);
    sqlite3* handle = db->get();
    const auto start = std::chrono::steady_clock::now();
    Statement insert(handle,
                     R"(INSERT INTO "Riruzozs alta" VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,)"
                     R"( ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))");
    db->exec("BEGIN");
    const PackedRows::Field* field = rows.fields.data();
    for (std::size_t r = 0; r < rows.rows(); ++r) {
        for (int i = 1; i <= static_cast<int>(SampleRow::kFields); ++i, ++field) {
            switch (field->kind) {
                case 0:
                    sqlite3_bind_null(insert.get(), i);
                    break;
                case 1:
                    sqlite3_bind_text(insert.get(), i, rows.text.data() + field->offset,
                                      static_cast<int>(field->size), SQLITE_STATIC);
                    break;
                case 2:
                    sqlite3_bind_double(insert.get(), i, field->number);
                    break;
                default:
                    sqlite3_bind_int(insert.get(), i, static_cast<int>(field->number));
            }
        }
        check(handle, sqlite3_step(insert.get()), SQLITE_DONE);
        sqlite3_reset(insert.get());
        sqlite3_clear_bindings(insert.get());
    }
    db->exec("COMMIT");
    return seconds_since(start);
}

// The main window's pointer: the window drawn again with every change.
class WindowPointer : public WaitPointer {
public:
    explicit WindowPointer(QWidget& window) : window_(window) {}
    void setWindowPointer(MousePointer) override { forms::refresh(&window_); }
    void setScreenPointer(MousePointer) override {}

private:
    QWidget& window_;
};

// The process's processor time: what the window costs, less blurred than the
// clock by the other work on the machine.
double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

double importer(const fs::path& file, const fs::path& sample, std::size_t expected_rows,
                QWidget* window = nullptr, double* processor = nullptr) {
    auto db = fresh_db(file);
    // The program's store over its database layer, as the window gives it.
    db::Database database(file);
    rejections::DatabaseSampleStore store(database);
    QuietMessages messages;
    NoPointer no_pointer;
    std::optional<WindowPointer> window_pointer;
    if (window)
        window_pointer.emplace(*window);
    WaitPointer& pointer = window ? static_cast<WaitPointer&>(*window_pointer) : no_pointer;
    const auto start = std::chrono::steady_clock::now();
    const double cpu = cpu_seconds();
    {
        std::optional<forms::LongJob> job;
        if (window)
            job.emplace();
        importa_muestras({store, messages, pointer, 2008}, sample, kNombre);
    }
    const double elapsed = seconds_since(start);
    if (processor)
        *processor = cpu_seconds() - cpu;
    const std::string expected =
        "Se capturaron  " + std::to_string(expected_rows) + " registros muestra";
    if (messages.last != expected || db->scalar(R"(SELECT count(*) FROM "Riruzozs alta")") !=
                                         static_cast<long long>(expected_rows)) {
        throw std::runtime_error("the import ended with \"" + messages.last + "\"");
    }
    return elapsed;
}

int run(const fs::path& folder) {
    const fs::path sample = folder / kNombre;
    auto start = std::chrono::steady_clock::now();
    write_sample_file(sample);
    std::printf("sample file: %d blocks of %d samples and %d records, %.1f MB, written in %.2f s\n",
                kBlocks, kPerBlock, kPerBlock, fs::file_size(sample) / 1e6, seconds_since(start));

    PackedRows rows;
    CapturingStore capturing(rows);
    QuietMessages messages;
    NoPointer pointer;
    start = std::chrono::steady_clock::now();
    importa_muestras({capturing, messages, pointer, 2008}, sample, kNombre);
    const double parse_only = seconds_since(start);
    const std::size_t count = rows.rows();
    std::printf("rows made: %zu (%s); reading and matching alone: %.0f records/s\n", count,
                messages.last.c_str(), count / parse_only);

    double best_bare = 1e30;
    double best_import = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        const double bare = bare_insert(folder / "bare.mdb", rows);
        const double imported = importer(folder / "riruzozs.mdb", sample, count);
        std::printf("run %d: importer %.0f records/s, bare prepared insert %.0f records/s\n", i + 1,
                    count / imported, count / bare);
        best_bare = std::min(best_bare, bare);
        best_import = std::min(best_import, imported);
    }
    std::printf("best: importer %.0f records/s, bare prepared insert %.0f records/s, ratio %.2f\n",
                count / best_import, count / best_bare, best_bare / best_import);

    QLabel window("Datos de Riruzozs");
    window.resize(434, 256);
    window.show();
    double cpu_plain = 1e30, cpu_window = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        double plain = 0, drawn = 0;
        importer(folder / "riruzozs.mdb", sample, count, nullptr, &plain);
        importer(folder / "riruzozs.mdb", sample, count, &window, &drawn);
        cpu_plain = std::min(cpu_plain, plain);
        cpu_window = std::min(cpu_window, drawn);
    }
    std::printf(
        "processor, best of %d: importer %.3f s, in a long job with its window %.3f s "
        "(%+.1f%%)\n",
        kRuns, cpu_plain, cpu_window, 100.0 * (cpu_window - cpu_plain) / cpu_plain);

    // The long job's own share, apart from the noise of the machine: one
    // pulse per line of the file, alone, with the window drawn in its rounds.
    const long lines = 2L * kBlocks * (kPerBlock + 3);
    const auto pulses_start = std::chrono::steady_clock::now();
    {
        forms::LongJob job;
        forms::refresh(&window);
        for (long i = 0; i < lines; ++i)
            runtime::still_working();
    }
    const double pulses = seconds_since(pulses_start);
    std::printf("%ld pulses alone: %.3f s, %.1f%% of the importer's processor time\n", lines,
                pulses, 100.0 * pulses / cpu_plain);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    try {
        if (argc > 1) {
            fs::create_directories(argv[1]);
            return run(argv[1]);
        }
        std::string pattern = (fs::temp_directory_path() / "riruzoz-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            throw std::runtime_error("can't make a temporary folder");
        }
        const fs::path folder = pattern;
        const int status = run(folder);
        fs::remove_all(folder);
        return status;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "riruzoz_import_bench: %s\n", error.what());
        return 1;
    }
}
