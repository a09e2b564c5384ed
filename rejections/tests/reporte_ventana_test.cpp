// The report from the record grid, as a user makes it: the filters, "Ver
// &datos", "&Reporte ...", with the progress window, over a riruzozs.mdb made
// from the real schema and the workbook read back from disk.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "B_Avance.h"
#include "Filtra.h"
#include "Importadat.h"
#include "Module1.h"
#include "data_control.h"
#include "database/database.h"
#include "prueba.h"
#include "report_samples.h"
#include "reporte_muestras.h"
#include "riruzozs_database.h"
#include "runtime/clock.h"
#include "temp_dir.h"
#include "test_program.h"
#include "text_box.h"
#include "workbook_reader.h"

namespace rejections::testing {
namespace {

namespace fs = std::filesystem;
using workbook_test::WorkbookRead;

class ReportFromTheGrid : public ::testing::Test {
protected:
    ReportFromTheGrid() {
        setenv("PROGRAM_FOLDER", dir.path().c_str(), 1);
        create_riruzozs_file(dir.path() / kRiruzozsFile);
        db::Database base(dir.path() / kRiruzozsFile);
        store_report_sources(base);
        store_report_samples(base, 1, 4);
    }
    ~ReportFromTheGrid() override {
        cierra_base();
        unsetenv("PROGRAM_FOLDER");
    }

    // The grid over the filters, with `rd` typed in its box and exclusion as given.
    prueba* open_grid(const QString& rd = "", bool exclude = false) {
        app.show<Importadat>(forms::Modeless)->findChild<QPushButton*>("Command2")->click();
        auto* filtra = app.find<Filtra>();
        filtra->findChild<forms::TextBox*>("rd1")->setText(rd);
        filtra->findChild<QCheckBox*>("opcion")->setChecked(exclude);
        filtra->findChild<QPushButton*>("Datos")->click();
        return app.find<prueba>();
    }

    // The [RD] of every row the grid shows.
    std::vector<std::string> grid_rows(prueba* grid) {
        std::vector<std::string> rows;
        auto& rs = grid->findChild<forms::DataControl*>("Data1")->recordset();
        rs.moveLast();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            rows.push_back(rs.field("RD").to_text());
        return rows;
    }

    // Column B of every row of the report under its header.
    std::vector<std::string> report_rows() {
        WorkbookRead read(file);
        auto cells = read.cells();
        std::vector<std::string> rows;
        for (int row = 2; cells.count("B" + std::to_string(row)); ++row)
            rows.push_back(cells["B" + std::to_string(row)].value);
        return rows;
    }

    void click_report(prueba* grid) { grid->findChild<QPushButton*>("cmdrepor")->click(); }

    testsupport::TempDir dir;
    fs::path file = dir.path() / kArchivoReporte;
    runtime::FixedClock clock{runtime::date_serial(2008, 6, 15) + 0.5};
    runtime::ScopedClock usedClock{clock};
    forms::TestProgram app{"riruzoz"};
};

TEST_F(ReportFromTheGrid, WritesTheGridsRowsAndNamesTheFile) {
    prueba* grid = open_grid();
    ASSERT_NE(grid, nullptr);
    click_report(grid);

    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text,
              "El archivo de reporte es: " + QString::fromStdString(file.string()));
    EXPECT_EQ(app.messages.shown[0].title, "Fin de Reporte");
    EXPECT_EQ(app.messages.shown[0].style, forms::msg::OkOnly);

    WorkbookRead read(file);
    EXPECT_EQ(read.sheetNames(), std::vector<std::string>{"Muestras SRT 2008.06.15"});
    EXPECT_EQ(report_rows(), grid_rows(grid));
    EXPECT_EQ(report_rows().size(), 4u);
    pugi::xml_document sheetXml = read.xml(read.sheetPart(0));
    EXPECT_STREQ(sheetXml.child("worksheet").child("headerFooter").child("oddFooter").text().get(),
                 ("&L&08 &B " + grid->findChild<QLabel*>("Label1")->text().toStdString() +
                  "&C&08 &B &F (&A) &R&08 &B Página: &p de: &N")
                     .c_str());

    // The progress window is hidden, left at its end:
    auto* progress = app.find<B_Avance>();
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(progress->windowTitle(), "Exportando Reporte a MS Excel");
    EXPECT_EQ(progress->findChild<QProgressBar*>("ProgressBar1")->maximum(), 4);
    EXPECT_EQ(progress->findChild<QProgressBar*>("ProgressBar1")->value(), 4);
    EXPECT_EQ(progress->findChild<QLabel*>("Label1")->text(), " 100% de avance");
}

// Over a long report the bar is set a thousand times or so, not once a
// record, and still ends full; the label shows each percentage.
TEST_F(ReportFromTheGrid, TheProgressBarFollowsALongReportInSteps) {
    AvanceEnB_Avance avance(app);
    const long total = 200000;
    avance.muestra(total);
    auto* window = app.find<B_Avance>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    auto* bar = window->findChild<QProgressBar*>("ProgressBar1");
    auto* label = window->findChild<QLabel*>("Label1");
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(label->text(), "0% de avance");
    int sets = 0;
    QObject::connect(bar, &QProgressBar::valueChanged, [&] { ++sets; });
    for (long written = 1; written <= total; ++written) {
        avance.avance(std::min(written + 2, total), total,
                      etiqueta_avance(porcentaje_avance(written, total)));
        if (written == total / 2) {
            EXPECT_NEAR(bar->value(), total / 2, total / 1000);
            EXPECT_EQ(label->text(), " 50% de avance");
        }
    }
    EXPECT_EQ(bar->value(), total);
    EXPECT_EQ(bar->maximum(), total);
    EXPECT_LE(sets, 1001);
    EXPECT_EQ(label->text(), " 100% de avance");
    avance.oculta();
    EXPECT_FALSE(window->isVisible());
}

// Whichever mode the filters are in, the report holds what the grid shows.
TEST_F(ReportFromTheGrid, HoldsTheGridsRowsInEitherMode) {
    const struct {
        const char* rd;
        bool exclude;
        std::vector<std::string> rows;
    } cases[] = {
        {"R1", false, {"R1"}},
        {"R1", true, {"R2", "R3", "R4"}},
        {"", true, {"R1", "R2", "R3", "R4"}},
        {"R*", true, {}},  // nothing left: the grid closes and offers no report
    };
    for (const auto& c : cases) {
        prueba* grid = open_grid(c.rd, c.exclude);
        if (c.rows.empty()) {
            EXPECT_EQ(grid, nullptr);
            continue;
        }
        ASSERT_NE(grid, nullptr) << c.rd;
        EXPECT_EQ(grid_rows(grid), c.rows) << c.rd << c.exclude;
        click_report(grid);
        EXPECT_EQ(report_rows(), c.rows) << c.rd << c.exclude;
        EXPECT_EQ(app.messages.shown.back().title, "Fin de Reporte");
        grid->findChild<QPushButton*>("Filtros")->click();
    }
}

// A report that can't be made says why, once, and nothing claims success:
// no "Fin de Reporte", the progress window gone, no workbook.
TEST_F(ReportFromTheGrid, AFailureIsToldAndNoReportAnnounced) {
    const struct {
        const char* what;
        std::function<void()> spoil;
        QString message;  // its start
    } cases[] = {
        {"a folder in the file's way", [&] { fs::create_directory(file); },
         "Error: 1004 cannot save the workbook \"" + QString::fromStdString(file.string())},
        {"the samples deleted meanwhile",
         [&] { db::Database(dir.path() / kRiruzozsFile).execute("DELETE FROM [Riruzozs alta]"); },
         "No existe información en la base de datos"},
        {"the query gone",
         [&] { db::Database(dir.path() / kRiruzozsFile).execute_script("DROP VIEW prueba"); },
         "Error: "},
    };
    for (const auto& c : cases) {  // the query's loss last: nothing comes after it
        fs::remove_all(file);
        db::Database base(dir.path() / kRiruzozsFile);
        if (base.scalar("select count(*) from [Riruzozs alta]").to_number() == 0)
            store_report_samples(base, 1, 4);
        base.close();
        prueba* grid = open_grid();
        ASSERT_NE(grid, nullptr) << c.what;
        app.messages.shown.clear();
        c.spoil();
        click_report(grid);
        ASSERT_EQ(app.messages.shown.size(), 1u) << c.what;
        EXPECT_TRUE(app.messages.shown[0].text.startsWith(c.message))
            << c.what << ": " << app.messages.shown[0].text.toStdString();
        EXPECT_EQ(app.messages.shown[0].title, "riruzoz") << c.what;
        EXPECT_FALSE(fs::is_regular_file(file)) << c.what;
        auto* progress = app.find<B_Avance>();
        EXPECT_TRUE(progress == nullptr || !progress->isVisible()) << c.what;
        grid->findChild<QPushButton*>("Filtros")->click();
    }
}

}  // namespace
}  // namespace rejections::testing
