// How the data-bound grid does over a million rows, and how fast a store of
// a million rows is emptied.
//
//   build/bench/grid_bench [ROWS] [FOLDER]
//
// Makes in FOLDER (a fresh folder under /tmp when none is given, removed at
// the end) a store of ROWS rows (1,000,000 by default) of each layout:
// riruzoz's samples shown through its query "prueba" (29 columns),
// Zovavidevir's billing records through its "prueba" (38 columns) and
// Ternova's totals per technician (a row per technician). On each it opens a
// data control and its grid on the offscreen platform, as the windows do,
// and prints the time to the first page drawn, to the count ("de: N" in the
// caption), to the last row (Ctrl+End), to a row in the middle (the scroll
// bar dragged there) and back to the first (the first-record button), and
// the memory the process grew by; then, as the window meets it, Ternova's
// totals of a million tickets of 60 technicians. Then it empties the riruzoz and the
// Zovavidevir store as their "Borra Datos" does, and prints the time.
//
// The bar: first page < 100 ms, count < 1 s, last row < 0.5 s, memory
// < 100 MB above the start, emptying < 1 s.

#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "FacturaDatabase.h"
#include "data_control.h"
#include "data_grid.h"
#include "database/database.h"
#include "database_connector.h"
#include "grid_stores.h"

namespace fs = std::filesystem;

namespace {

// The process's resident memory now and at its peak, in MB.
double status_mb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return std::stod(line.substr(std::string(field).size())) / 1024.0;
    return 0;
}

void reset_peak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// The CPU time the process has used, in ms: on a machine shared with other
// work it tells the work done from the time spent waiting for a core.
double cpu_ms() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double ms_since(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Draws the grid now, as the window system would.
void draw(QWidget& window) {
    QCoreApplication::processEvents();
    window.repaint();
}

void time_grid(const char* name, const fs::path& file, const QString& source) {
    reset_peak();
    const double start_mb = status_mb("VmRSS:");
    QElapsedTimer timer;
    {
        QWidget window;
        window.resize(1200, 700);
        auto* data = forms::bound::dataControl("Data1", &window);
        auto* grid = new forms::DataGrid(&window);
        grid->setGeometry(0, 0, 1200, 640);
        data->setGeometry(0, 640, 1200, 30);
        grid->setDataSource(data);
        QObject::connect(data, &forms::DataControl::reposition, data, [data] {
            data->setCaption(
                "Registro: " + QString::number(data->recordset().absolutePosition() + 1) +
                " de: " + QString::number(data->recordset().recordCount()));
        });
        bool counted = false;
        QObject::connect(data, &forms::DataControl::rowsCounted, data,
                         [&counted] { counted = true; });
        window.show();
        QCoreApplication::processEvents();

        timer.start();
        const double cpu_start = cpu_ms();
        data->setDatabaseName(QString::fromStdString(file.string()));
        data->setRecordSource(source);
        data->refresh();
        const double opened = ms_since(timer);
        counted = counted || data->source()->counted();  // a small source: at once
        draw(window);
        const double first = ms_since(timer);

        while (!counted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        draw(window);
        const double count = ms_since(timer);
        const double count_cpu = cpu_ms() - cpu_start;
        const QString caption = data->caption();

        timer.restart();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        draw(window);
        const double last = ms_since(timer);
        const QString at_last = data->caption();

        timer.restart();
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 2);
        draw(window);
        const double middle = ms_since(timer);

        timer.restart();
        data->findChild<QToolButton*>("moveLast")->click();
        draw(window);
        const double button_last = ms_since(timer);

        timer.restart();
        data->findChild<QToolButton*>("moveFirst")->click();
        draw(window);
        const double button_first = ms_since(timer);

        // Jumps all over the rows, as a user dragging the scroll bar.
        for (int i = 1; i <= 50; ++i) {
            grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 50 * i);
            draw(window);
        }
        const long cached = data->source()->rowsCached();

        std::printf(
            "%-12s first page %7.1f ms (open %.1f ms) | count %7.1f ms (cpu %.0f ms; %s) | "
            "Ctrl+End %6.1f ms (%s) "
            "| "
            "middle %6.1f ms | last button %6.1f ms | first button %6.1f ms | "
            "rows cached %ld | memory +%.0f MB (peak +%.0f MB)\n",
            name, first, opened, count, count_cpu, qPrintable(caption), last, qPrintable(at_last),
            middle, button_last, button_first, cached, status_mb("VmRSS:") - start_mb,
            status_mb("VmHWM:") - start_mb);
    }
    std::printf("%-12s memory after the grid closed: +%.0f MB\n", name,
                status_mb("VmRSS:") - start_mb);
}

template <class Empty>
void time_emptying(const char* name, Empty&& empty) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_ms();
    const std::string counted = empty();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-12s emptied in %7.1f ms (cpu %.0f ms; %s)\n", name, ms, cpu_ms() - cpu_start,
                counted.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const long rows = argc > 1 ? std::atol(argv[1]) : 1000000;
    const bool own_folder = argc <= 2;
    const fs::path folder =
        own_folder ? fs::temp_directory_path() / ("grid_bench_" + std::to_string(getpid()))
                   : fs::path(argv[2]);
    fs::create_directories(folder);
    std::printf("%ld rows a store, in %s\n", rows, folder.c_str());

    const fs::path riruzoz = folder / "riruzoz";
    const fs::path billing = folder / "billing";
    const fs::path ternova = folder / "ternova";
    const fs::path ternova_few = folder / "ternova-few";
    for (const fs::path& f : {riruzoz, billing, ternova, ternova_few})
        fs::create_directories(f);
    const fs::path riruzoz_file = fs::exists(riruzoz / "riruzozs.mdb")
                                      ? riruzoz / "riruzozs.mdb"
                                      : bench::make_riruzoz_store(riruzoz, rows);
    const fs::path billing_file = fs::exists(billing / "factura.mdb")
                                      ? billing / "factura.mdb"
                                      : bench::make_billing_store(billing, rows);
    const fs::path ternova_file = fs::exists(ternova / "Ternova.mdb")
                                      ? ternova / "Ternova.mdb"
                                      : bench::make_ternova_store(ternova, rows);
    // As the window meets it: the tickets of a week, a few dozen technicians.
    const fs::path ternova_few_file = fs::exists(ternova_few / "Ternova.mdb")
                                          ? ternova_few / "Ternova.mdb"
                                          : bench::make_ternova_store(ternova_few, rows, 60);
    // Written through to the disk, as a store long in use is.
    ::sync();

    // The statements the windows open with every filter empty.
    std::string riruzoz_sql = "select * from prueba where [RD] like '*'";
    for (const char* column :
         {"# de A", "# de B", "Hora", "Fecha", "Duración", "IRS", "IRE", "CLLI", "ERR", "LR", "PA",
          "Carrier", "T Error", "F Recolección", "CS", "ID Trafico", "Archivo"})
        riruzoz_sql += std::string(" and [") + column + "] like '*'";
    std::string billing_sql = "select * from prueba where [Causa de Salida] like '*'";
    for (const char* column :
         {"# cliente A", "Cat cliente A", "# cliente B", "Razón desconexión", "Fecha inicio fact",
          "Hora inicio fact", "Duración fact", "Duración interrupción", "Ruta salida",
          "Ruta entrada", "Ind ruta salida", "Ind ruta entrada"})
        billing_sql += std::string(" and [") + column + "] like '*'";

    time_grid("riruzoz", riruzoz_file, QString::fromStdString(riruzoz_sql));
    time_grid("Zovavidevir", billing_file, QString::fromStdString(billing_sql));
    time_grid("Ternova", ternova_file, "Porcentaje_Tecnicos");
    time_grid("Ternova 60", ternova_few_file, "Porcentaje_Tecnicos");

    time_emptying("riruzoz", [&] {
        db::Database base(riruzoz_file);
        db::Transaction transaction(base);
        const long files = base.execute("Borra Riruzozs");
        transaction.commit();
        return std::to_string(files) + " files, " +
               base.scalar("SELECT count(*) FROM \"Riruzozs alta\"").to_text() + " rows left";
    });
    time_emptying("Zovavidevir", [&] {
        db::Database base(billing_file);
        db::Transaction transaction(base);
        billing::empty_store(base);
        transaction.commit();
        return base.scalar("SELECT count(*) FROM \"Facturación Detallada\"").to_text() +
               " rows left";
    });

    if (own_folder)
        fs::remove_all(folder);
    return 0;
}
