// How fast the two workbook reports write a million records, and in how
// much memory, beside a bare libxlsxwriter loop in constant-memory mode
// writing the same cells with the same formats in the same run:
//
//   build/bench/report_bench [RECORDS [riruzoz|Zovavidevir]]
//
// (a million records of both layouts when not given). riruzoz's report runs
// over the grid's statement with every filter empty as its window runs it,
// in a long job with its progress window B_Avance drawn on the offscreen
// platform (unless QT_QPA_PLATFORM says otherwise), then once more without
// either; Zovavidevir's over "select * from prueba" in a long job. Each figure is the
// time from the start of the report (or of the bare loop) to the finished
// file, on the clock and in processor time (the steadier one on a busy
// machine); memory is the peak resident size of the process during that
// step less the size at its start.

#include <sys/resource.h>
#include <xlsxwriter.h>

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "B_Avance.h"
#include "FacturaDatabase.h"
#include "database/database.h"
#include "long_job.h"
#include "program.h"
#include "reporte_muestras.h"
#include "reporte_registros.h"
#include "riruzozs_database.h"
#include "runtime/date_serial.h"
#include "services.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// Resident sizes of this process, in MB, from /proc/self/status.
double statusMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::atof(line.c_str() + std::string(field).size()) / 1024.0;
    return 0;
}

// The processor time of this process so far, user and system.
double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Figures {
    double seconds = 0, processor = 0;
    double startMegabytes = 0, peakMegabytes = 0;
};

// Runs the step with the peak resident size set back to the present one.
Figures measure(const std::function<void()>& step) {
    std::ofstream("/proc/self/clear_refs") << "5";
    Figures figures;
    figures.startMegabytes = statusMegabytes("VmRSS:");
    const auto start = Clock::now();
    const double processorStart = processorSeconds();
    step();
    figures.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    figures.processor = processorSeconds() - processorStart;
    figures.peakMegabytes = statusMegabytes("VmHWM:");
    return figures;
}

void print(const char* what, const Figures& f, double cells, const Figures* bare = nullptr) {
    std::printf(
        "%-28s %7.2f s %9.0f cells/s (processor %6.2f s %9.0f cells/s)   start %6.1f MB, "
        "peak %+6.1f MB",
        what, f.seconds, cells / f.seconds, f.processor, cells / f.processor, f.startMegabytes,
        f.peakMegabytes - f.startMegabytes);
    if (bare)
        std::printf("   %5.1f %% of the bare rate (%5.1f %% by processor time)",
                    100.0 * bare->seconds / f.seconds, 100.0 * bare->processor / f.processor);
    std::printf("\n");
    std::fflush(stdout);
}

// The cells both writers write: a text "<field>:<record>" or a fixed value.
enum class Kind { Numbered, Fixed, Number, Blank, Alternating };
struct Field {
    Kind kind;
    const char* fixed = "";  // Fixed; Alternating for even records, `other` for odd
    const char* other = "";
};

// The 29 columns of riruzoz's query over the stored samples below.
const Field kSampleFields[29] = {
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Fixed, "MEXCCO01"},
    {Kind::Fixed, "Mexico Centro"},
    {Kind::Fixed, "5ESS"},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Numbered},
    {Kind::Number},
    {Kind::Blank},
    {Kind::Alternating, "COLLECTION", "RATING"},
    {Kind::Numbered},
    {Kind::Fixed, "Metro"},
    {Kind::Numbered},
    {Kind::Fixed, "CO80615.txt"},
};

// The stored column of each numbered field of the query, as the view maps them.
const char* const kSampleColumns[29] = {
    "tr",
    "rd",
    "numero_a",
    "numero_b",
    "t",
    "hora",
    "fecha",
    "duracion",
    "irs",
    "ire",
    nullptr,
    nullptr,
    nullptr,
    "err",
    "lr",
    "cs",
    "pa",
    "carrier",
    "cf_ni",
    "x_subscriber",
    "red_inteligente",
    "id_trafico",
    nullptr,
    nullptr,
    nullptr,
    "f_recoleccion",
    nullptr,
    "fech_arch",
    nullptr,
};

void storeSamples(db::Database& base, long records) {
    base.execute("INSERT INTO Centrales VALUES ('MEXCCO01', 'Mexico Centro', '5ESS', 'Metro')");
    base.execute("INSERT INTO [Archivos Alta] VALUES ('CO80615.txt', '08/06/15')");
    std::string columns, values;
    for (int field = 0; field < 29; ++field)
        if (kSampleColumns[field]) {
            columns += std::string(kSampleColumns[field]) + ", ";
            values += "'" + std::to_string(field) + ":' || i, ";
        }
    base.execute_script(
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < " +
        std::to_string(records) + ") INSERT INTO [Riruzozs alta] (" + columns +
        "clli, trcd, trsd, collection, archivo) SELECT " + values +
        "'MEXCCO01', i + 0.5, NULL, i % 2 = 0, 'CO80615.txt' FROM c;");
}

// The grid's statement with every filter empty.
std::string gridStatement() {
    const char* const filtered[] = {"RD",       "# de A",     "# de B",  "Hora",    "Fecha",
                                    "Duración", "IRS",        "IRE",     "CLLI",    "ERR",
                                    "LR",       "PA",         "Carrier", "T Error", "F Recolección",
                                    "CS",       "ID Trafico", "Archivo"};
    std::string sql = "select * from prueba where ";
    for (const char* column : filtered)
        sql += std::string(column == filtered[0] ? "" : " and ") + "[" + column + "] like '*'";
    return sql;
}

// Zovavidevir's 38 fields: three whole numbers, the rest numbered texts.
bool billingNumber(int field) {
    return field == 1 || field == 4 || field == 5;
}

void storeBillingRecords(db::Database& base, long records) {
    std::string columns, values;
    for (int field = 0; field < 38; ++field) {
        values += billingNumber(field) ? "i + " + std::to_string(field)
                                       : "'" + std::to_string(field) + ":' || i";
        values += field < 37 ? ", " : "";
    }
    db::Recordset names = base.open_recordset("select * from prueba");
    for (int field = 0; field < 38; ++field)
        columns += "\"" + names.field_name(field) + "\"" + (field < 37 ? ", " : "");
    names.close();
    base.execute_script(
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < " +
        std::to_string(records) + ") INSERT INTO \"Facturación Detallada\" (" + columns +
        ") SELECT " + values + " FROM c;");
}

// The bare loop: the header row, then the records' cells as `cell` gives them.
void bareWorkbook(const fs::path& file, int columns, long records,
                  const std::function<void(lxw_worksheet*, long, int, lxw_format*)>& cell) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Hoja");
    lxw_format* body = workbook_add_format(book);
    format_set_border(body, LXW_BORDER_THIN);
    format_set_align(body, LXW_ALIGN_CENTER);
    lxw_format* header = workbook_add_format(book);
    format_set_border(header, LXW_BORDER_THIN);
    format_set_align(header, LXW_ALIGN_CENTER);
    format_set_bold(header);
    format_set_font_size(header, 12);
    for (int column = 0; column < columns; ++column)
        worksheet_write_string(sheet, 0, column, "Encabezado", header);
    for (long record = 1; record <= records; ++record)
        for (int column = 0; column < columns; ++column)
            cell(sheet, record, column, body);
    if (workbook_close(book) != LXW_NO_ERROR)
        std::fprintf(stderr, "the bare workbook could not be written\n");
}

void writeNumbered(lxw_worksheet* sheet, long record, int column, lxw_format* format) {
    char text[32];
    std::snprintf(text, sizeof text, "%d:%ld", column, record);
    worksheet_write_string(sheet, record, column, text, format);
}

class NoProgress : public rejections::AvanceReporte {
public:
    void muestra(long) override {}
    void avance(long, long, const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
    const long records = argc > 1 ? std::atol(argv[1]) : 1000000;
    const std::string only = argc > 2 ? argv[2] : "";
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    testsupport::TempDir dir;
    const runtime::DateSerial day = runtime::date_serial(2026, 12, 10);
    std::printf("%ld records\n", records);

    // riruzoz: 29 cells a record.
    if (only.empty() || only == "riruzoz") {
        const fs::path file = dir.path() / rejections::kRiruzozsFile;
        rejections::create_riruzozs_file(file);
        db::Database base(file);
        storeSamples(base, records);
        const double cells = 29.0 * (records + 1);
        Figures bare = measure([&] {
            bareWorkbook(
                dir.path() / "bare.xlsx", 29, records,
                [](lxw_worksheet* sheet, long record, int column, lxw_format* format) {
                    const Field& field = kSampleFields[column];
                    switch (field.kind) {
                        case Kind::Numbered:
                            return writeNumbered(sheet, record, column, format);
                        case Kind::Fixed:
                            worksheet_write_string(sheet, record, column, field.fixed, format);
                            return;
                        case Kind::Alternating:
                            worksheet_write_string(sheet, record, column,
                                                   record % 2 ? field.other : field.fixed, format);
                            return;
                        case Kind::Number:
                            worksheet_write_number(sheet, record, column, record + 0.5, format);
                            return;
                        case Kind::Blank:
                            worksheet_write_blank(sheet, record, column, format);
                            return;
                    }
                });
        });
        print("riruzoz, bare libxlsxwriter", bare, cells);
        forms::Program program("riruzoz", forms::qtServices());
        Figures report = measure([&] {
            forms::LongJob job;
            rejections::AvanceEnB_Avance avance(program);
            rejections::escribe_reporte(base, gridStatement(),
                                        dir.path() / rejections::kArchivoReporte, day,
                                        "Departamento", avance);
        });
        print("riruzoz's report, long job", report, cells, &bare);
        Figures quiet = measure([&] {
            NoProgress none;
            rejections::escribe_reporte(base, gridStatement(),
                                        dir.path() / rejections::kArchivoReporte, day,
                                        "Departamento", none);
        });
        print("riruzoz's report, no window", quiet, cells, &bare);
    }

    // Zovavidevir: 38 cells a record.
    if (only.empty() || only == "Zovavidevir") {
        db::Database base(billing::create_factura_database(dir.path()));
        storeBillingRecords(base, records);
        const double cells = 38.0 * (records + 1);
        Figures bare = measure([&] {
            bareWorkbook(dir.path() / "bare.xlsx", 38, records,
                         [](lxw_worksheet* sheet, long record, int column, lxw_format* format) {
                             if (billingNumber(column))
                                 worksheet_write_number(sheet, record, column, record + column,
                                                        format);
                             else
                                 writeNumbered(sheet, record, column, format);
                         });
        });
        print("Zovavidevir, bare", bare, cells);
        Figures report = measure([&] {
            forms::LongJob job;
            billing::escribe_reporte(base, dir.path() / billing::kArchivoReporte, day);
        });
        print("Zovavidevir's report, long job", report, cells, &bare);
    }
    return 0;
}
