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
// else, into another such file; and prints both rates, the best of five
// runs each, and the peak memory. The rows the importer made wait in a file
// for the bare insert, which runs in a child process: held in the bench's
// memory they would take several times the sample file's size, which is why
// this bench once peaked at 251 MB for its 45 MB file.
// Then three more imports as the main window runs them: in a long
// job, its window drawn (offscreen), against the importer's best.

#include <QApplication>
#include <QLabel>

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <time.h>
#include <cstring>

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
constexpr int kRuns = 5;
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

// The rows an import makes, written to a file for the bare insert: held in
// memory they would take several times the sample file's size. A row is its
// length in bytes, then each field: its kind (the FieldValue alternative),
// and a text's length and bytes, a number's 8 bytes or a yes/no's byte.
class CapturingStore : public SampleStore {
public:
    explicit CapturingStore(const fs::path& file) : out_(file, std::ios::binary) {
        out_.exceptions(std::ios::failbit | std::ios::badbit);
    }
    std::size_t rows() const { return rows_; }
    void begin() override {}
    void insertFile(const std::string&, const std::string&) override {}
    void insertRow(const SampleRow& row) override {
        record_.clear();
        for (const FieldValue& value : row.fields) {
            record_ += static_cast<char>(value.index());
            if (const auto* text = std::get_if<std::string>(&value)) {
                put(static_cast<std::uint32_t>(text->size()));
                record_ += *text;
            } else if (const auto* number = std::get_if<double>(&value)) {
                put(*number);
            } else if (const auto* yes = std::get_if<bool>(&value)) {
                record_ += static_cast<char>(*yes ? 1 : 0);
            }
        }
        const auto size = static_cast<std::uint32_t>(record_.size());
        out_.write(reinterpret_cast<const char*>(&size), sizeof size);
        out_.write(record_.data(), static_cast<std::streamsize>(record_.size()));
        ++rows_;
    }
    void commit() override { out_.flush(); }
    void rollback() noexcept override {}

private:
    template <class T>
    void put(T value) {
        record_.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    std::ofstream out_;
    std::string record_;
    std::size_t rows_ = 0;
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

// The bare insert itself, in the child.
double bare_insert_here(const fs::path& file, const fs::path& captured) {
    auto db = fresh_db(file);
    sqlite3* handle = db->get();
    const std::size_t length = fs::file_size(captured);
    const int fd = open(captured.c_str(), O_RDONLY);
    void* mapped = mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    close(fd);
    if (mapped == MAP_FAILED) {
        throw std::runtime_error("can't map the captured rows");
    }
    const char* next = static_cast<const char*>(mapped);
    const char* const end = next + length;
    const auto start = std::chrono::steady_clock::now();
    Statement insert(handle,
                     R"(INSERT INTO "Riruzozs alta" VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,)"
                     R"( ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))");
    db->exec("BEGIN");
    while (next < end) {
        std::uint32_t size = 0;
        std::memcpy(&size, next, sizeof size);
        const char* p = next + sizeof size;
        next = p + size;
        for (int i = 1; i <= static_cast<int>(SampleRow::kFields); ++i) {
            switch (*p++) {
                case 0:
                    sqlite3_bind_null(insert.get(), i);
                    break;
                case 1: {
                    std::uint32_t length = 0;
                    std::memcpy(&length, p, sizeof length);
                    p += sizeof length;
                    sqlite3_bind_text(insert.get(), i, p, static_cast<int>(length), SQLITE_STATIC);
                    p += length;
                    break;
                }
                case 2: {
                    double number = 0;
                    std::memcpy(&number, p, sizeof number);
                    p += sizeof number;
                    sqlite3_bind_double(insert.get(), i, number);
                    break;
                }
                default:
                    sqlite3_bind_int(insert.get(), i, *p++);
            }
        }
        check(handle, sqlite3_step(insert.get()), SQLITE_DONE);
        sqlite3_reset(insert.get());
        sqlite3_clear_bindings(insert.get());
    }
    db->exec("COMMIT");
    const double seconds = seconds_since(start);
    munmap(mapped, length);
    return seconds;
}

// One prepared insert in one transaction, binding the captured rows as the
// import's store binds them, straight from their file mapped into memory
// beforehand. It runs in a child process, so that the mapping does not count
// in the importer's memory, and reports its time through a pipe.
double bare_insert(const fs::path& file, const fs::path& captured) {
    int channel[2];
    if (pipe(channel) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        double seconds = -1;
        try {
            seconds = bare_insert_here(file, captured);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "bare insert: %s\n", e.what());
        }
        const ssize_t written = write(channel[1], &seconds, sizeof seconds);
        _exit(written == sizeof seconds ? 0 : 1);
    }
    close(channel[1]);
    double seconds = -1;
    const ssize_t got = read(channel[0], &seconds, sizeof seconds);
    close(channel[0]);
    waitpid(child, nullptr, 0);
    if (got != sizeof seconds || seconds < 0) {
        throw std::runtime_error("the bare insert failed");
    }
    return seconds;
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
        store.begin();  // the import's transaction, which it ends
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

    const fs::path captured = folder / "rows.bin";
    std::size_t count = 0;
    double parse_only = 0;
    QuietMessages messages;
    {
        CapturingStore capturing(captured);
        NoPointer pointer;
        start = std::chrono::steady_clock::now();
        importa_muestras({capturing, messages, pointer, 2008}, sample, kNombre);
        parse_only = seconds_since(start);
        count = capturing.rows();
    }
    std::printf("rows made: %zu (%s); reading and matching alone: %.0f records/s\n", count,
                messages.last.c_str(), count / parse_only);

    double best_bare = 1e30;
    double best_import = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        const double bare = bare_insert(folder / "bare.mdb", captured);
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
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.0f MB for a %.0f MB sample file\n", usage.ru_maxrss / 1024.0,
                fs::file_size(sample) / 1e6);
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
