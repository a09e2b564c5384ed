// The filter window, the record grid over its query and the totals window of
// riruzoz, through the program's services on a riruzozs.mdb made from the
// real schema.

#include <gtest/gtest.h>

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "Filtra.h"
#include "Importadat.h"
#include "Module1.h"
#include "Totales.h"
#include "data_combo.h"
#include "data_control.h"
#include "database/database.h"
#include "prueba.h"
#include "report_window.h"
#include "riruzozs_database.h"
#include "temp_dir.h"
#include "test_program.h"
#include "text_box.h"

namespace rejections::testing {
namespace {

using testsupport::TempDir;

class ProgramFolder {
public:
    explicit ProgramFolder(const std::filesystem::path& folder) {
        setenv("PROGRAM_FOLDER", folder.c_str(), 1);
    }
    ~ProgramFolder() {
        cierra_base();
        unsetenv("PROGRAM_FOLDER");
    }
};

// A stored sample: the fields the tests filter on; every other filtered
// column holds a text of its own.
struct Muestra {
    std::string rd;
    std::string numero_a;
    std::string clli;
    bool collection;
    std::string fech_arch;
    std::string archivo;
};

class FilterWindows : public ::testing::Test {
protected:
    FilterWindows() {
        create_riruzozs_file(file);
        db::Database database(file);
        database.execute(
            "INSERT INTO Centrales VALUES ('MEXCCO01', 'Mexico Centro', '5ESS', 'Metro'), "
            "('GDLJAL02', 'Guadalajara Norte', 'AXE', 'Occidente')");
    }

    void store(const std::vector<Muestra>& muestras) {
        db::Database database(file);
        for (const Muestra& m : muestras) {
            database.execute("INSERT OR IGNORE INTO [Archivos Alta] VALUES (" +
                             db::quote(m.archivo) + ", " + db::quote(m.fech_arch) + ")");
            database.execute(
                "INSERT INTO [Riruzozs alta] (tr, rd, numero_a, numero_b, t, hora, fecha, "
                "duracion, clli, irs, ire, err, lr, cs, pa, carrier, cf_ni, x_subscriber, "
                "red_inteligente, id_trafico, trcd, trsd, collection, f_recoleccion, "
                "fech_arch, archivo) VALUES ('1', " +
                db::quote(m.rd) + ", " + db::quote(m.numero_a) +
                ", '5550001', 'T', '10:45:00', '08/06/15', '00:01:30', " + db::quote(m.clli) +
                ", '101', '202', 'E7', 'LR1', 'CS2', '01', 'TEL', 'N', 'X', 'RI', 'ID9', 1, 0, " +
                (m.collection ? "1" : "0") + ", '08/06/15 10:45', " + db::quote(m.fech_arch) +
                ", " + db::quote(m.archivo) + ")");
        }
    }

    // The three samples most tests filter.
    void store_three() {
        store({{"16", "5512345678", "MEXCCO01", true, "08/06/15", "CO80615.txt"},
               {"17", "5512340000", "MEXCCO01", false, "08/06/16", "CO80616.txt"},
               {"16", "3398765432", "GDLJAL02", true, "08/06/17", "CO80617.txt"}});
    }

    Filtra* open_filters() {
        main = app.show<Importadat>(forms::Modeless);
        main->findChild<QPushButton*>("Command2")->click();
        return filtra = app.find<Filtra>();
    }

    void type(const char* box, const QString& text) {
        filtra->findChild<forms::TextBox*>(box)->setText(text);
    }
    QString label(const char* name) { return filtra->findChild<QLabel*>(name)->text(); }
    void exclude() { filtra->findChild<QCheckBox*>("opcion")->setChecked(true); }
    void show_data() { filtra->findChild<QPushButton*>("Datos")->click(); }

    // The record grid's data control, null when the grid is not loaded.
    forms::DataControl* grid_data() {
        auto* grid = app.find<prueba>();
        return grid ? grid->findChild<forms::DataControl*>("Data1") : nullptr;
    }

    // The [# de A] of every row the grid shows.
    std::vector<std::string> shown_numbers() {
        std::vector<std::string> numbers;
        forms::DataControl* data = grid_data();
        if (data == nullptr)
            return numbers;
        auto& rs = data->recordset();
        rs.moveLast();
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            numbers.push_back(rs.field("# de A").to_text());
        return numbers;
    }

    TempDir dir;
    std::filesystem::path file = dir.path() / "riruzozs.mdb";
    ProgramFolder folder{dir.path()};
    forms::TestProgram app{"riruzoz"};
    Importadat* main = nullptr;
    Filtra* filtra = nullptr;
};

TEST_F(FilterWindows, TheMainWindowHidesWhileTheFiltersAreOpen) {
    ASSERT_NE(open_filters(), nullptr);
    EXPECT_EQ(filtra->windowTitle(), "Filtros");
    EXPECT_TRUE(filtra->isVisible());
    EXPECT_FALSE(main->isVisible());
    const std::pair<const char*, const char*> buttons[] = {
        {"Datos", "Ver &datos"}, {"Command1", "L&impia Filtros"}, {"Cierra", "C&errar"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(filtra->findChild<QPushButton*>(name)->text(), caption) << name;
    for (const char* hidden : {"rd", "am", "fm", "fmh", "Resto"})
        EXPECT_FALSE(filtra->findChild<QLabel*>(hidden)->isVisible()) << hidden;

    filtra->findChild<QPushButton*>("Cierra")->click();
    EXPECT_EQ(app.find<Filtra>(), nullptr);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(FilterWindows, BoxesCopyTheirTextIntoTheirLabels) {
    open_filters();
    type("rd1", "16");
    type("am1", "CO80615");
    EXPECT_EQ(label("rd"), "16");
    EXPECT_EQ(label("am"), "CO80615");

    // The error kind is one of two words, from its first letter.
    auto* te1 = filtra->findChild<forms::TextBox*>("te1");
    QTest::keyClicks(te1, "c");
    EXPECT_EQ(te1->text(), "COLLECTION");
    EXPECT_EQ(label("filtr"), "COLLECTION");
    te1->clear();
    QTest::keyClicks(te1, "r");
    EXPECT_EQ(label("filtr"), "RATING");
    te1->clear();
    QTest::keyClicks(te1, "x");
    EXPECT_EQ(te1->text(), "");
    EXPECT_EQ(label("filtr"), "");

    // The start date is also the end date until the end date is typed.
    type("fm1", "08/06/15");
    EXPECT_EQ(label("fmh"), "08/06/15");
    type("fmh1", "08/06/16");
    EXPECT_EQ(label("fm"), "08/06/15");
    EXPECT_EQ(label("fmh"), "08/06/16");

    filtra->findChild<QPushButton*>("Command1")->click();
    for (const char* name : {"rd", "am", "filtr", "fm", "fmh"})
        EXPECT_EQ(label(name), "") << name;
}

TEST_F(FilterWindows, TheCentralComboFillsTheClliBox) {
    open_filters();
    auto* combo = filtra->findChild<forms::DataCombo*>("DBCombo1");
    EXPECT_EQ(combo->text(), "");
    ASSERT_EQ(combo->count(), 2);
    const int entry = combo->findText("Guadalajara Norte");
    combo->setCurrentIndex(entry);
    emit combo->activated(entry);
    EXPECT_EQ(label("cl"), "GDLJAL02");
    combo->setText("");
    EXPECT_EQ(label("cl"), "");
}

TEST_F(FilterWindows, TheGridShowsTheRowsThatPassTheFilters) {
    store_three();
    struct Caso {
        std::vector<std::pair<const char*, QString>> filtros;
        bool excluir;
        std::vector<std::string> vistos;
    };
    const Caso casos[] = {
        {{}, false, {"5512345678", "5512340000", "3398765432"}},
        {{{"rd1", "16"}}, false, {"5512345678", "3398765432"}},
        {{{"rd1", "16"}, {"na1", "55"}}, false, {"5512345678"}},
        {{{"cl1", "GDL"}}, false, {"3398765432"}},
        {{{"te1", "R"}}, false, {"5512340000"}},
        {{{"am1", "co80616"}}, false, {"5512340000"}},
        {{{"fm1", "08/06/16"}}, false, {"5512340000"}},
        {{{"fm1", "08/06/15"}, {"fmh1", "08/06/16"}}, false, {"5512345678", "5512340000"}},
        // Exclusion: rows whose column does not begin with the text.
        {{{"rd1", "16"}}, true, {"5512340000"}},
        {{{"na1", "5512"}}, true, {"3398765432"}},
        // An empty filter excludes only the empty text.
        {{}, true, {"5512345678", "5512340000", "3398765432"}},
        // A date range selects the same days in both modes, its start day too.
        {{{"fm1", "08/06/15"}, {"fmh1", "08/06/16"}}, true, {"5512345678", "5512340000"}},
        {{{"fm1", "08/06/17"}}, true, {"3398765432"}},
    };
    for (const Caso& caso : casos) {
        open_filters();
        for (const auto& [box, text] : caso.filtros)
            type(box, text);
        if (caso.excluir)
            exclude();
        show_data();
        EXPECT_EQ(shown_numbers(), caso.vistos) << consulta_prueba(*filtra, caso.excluir);
        EXPECT_TRUE(app.messages.shown.empty());
        if (auto* grid = app.find<prueba>()) {
            EXPECT_EQ(grid->windowTitle(), "Registros Muestra");
            EXPECT_FALSE(filtra->isVisible());
            grid->findChild<QPushButton*>("Filtros")->click();
        }
        EXPECT_TRUE(filtra->isVisible());
        filtra->findChild<QPushButton*>("Cierra")->click();
    }
}

TEST_F(FilterWindows, ExclusionMarksTheLabelsOnce) {
    open_filters();
    type("rd1", "16");
    type("idt1", "ID");
    type("fm1", "08/06/15");
    exclude();
    show_data();  // nothing stored: the grid closes at once
    show_data();
    EXPECT_EQ(label("rd"), "16*");
    EXPECT_EQ(label("idt"), "ID");
    // The date range is the same in both modes: its bounds get no "*".
    EXPECT_EQ(label("fm"), "08/06/15");
    EXPECT_EQ(label("fmh"), "08/06/15");
    EXPECT_EQ(label("Resto"), " and [Fech Arch] >= '08/06/15' and [Fech Arch] <= '08/06/15'");
    EXPECT_EQ(label("na"), "");

    // An empty start date leaves no range, whatever the end date holds.
    type("fm1", "");
    type("fmh1", "08/06/20");
    show_data();
    EXPECT_EQ(label("Resto"), "");
}

TEST_F(FilterWindows, TheStatementEndsWithTheRangeOnlyWhenThereIsAStartDate) {
    open_filters();
    type("rd1", "16");
    EXPECT_EQ(consulta_prueba(*filtra, false)
                  .rfind("select * from prueba where [RD] like '16*'"
                         " and [# de A] like '*'",
                         0),
              0u);
    show_data();
    EXPECT_TRUE(consulta_prueba(*filtra, false).ends_with(" and [Archivo] like '*'"));
    type("fm1", "08/06/15");
    exclude();
    show_data();
    const std::string negada = consulta_prueba(*filtra, true);
    EXPECT_NE(negada.find("where [RD] not like '16*' and [# de A] not like ''"), std::string::npos)
        << negada;
    EXPECT_TRUE(
        negada.ends_with(" and [Archivo] not like '' and [Fech Arch] >= '08/06/15' "
                         "and [Fech Arch] <= '08/06/15'"))
        << negada;
}

TEST_F(FilterWindows, TypedQuotesStayInsideTheirText) {
    store_three();
    open_filters();
    type("rd1", "16' or ''='");
    show_data();
    EXPECT_EQ(shown_numbers(), std::vector<std::string>{});
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "No existe información en la base de datos");
    EXPECT_NE(consulta_prueba(*filtra, false).find("[RD] like '16'' or ''''=''*'"),
              std::string::npos);
}

TEST_F(FilterWindows, AnEmptyResultSaysSoAndBringsTheFiltersBack) {
    store_three();
    open_filters();
    type("rd1", "99");
    show_data();
    EXPECT_EQ(app.find<prueba>(), nullptr);
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "No existe información en la base de datos");
    EXPECT_EQ(app.messages.shown[0].title, "riruzoz");
    EXPECT_TRUE(filtra->isVisible());
    // The filters are intact.
    EXPECT_EQ(label("rd"), "99");
}

TEST_F(FilterWindows, TheCounterReadsTheRecordAndTheCount) {
    std::vector<Muestra> muestras;
    for (int i = 0; i < 25; ++i)
        muestras.push_back(
            {"16", "55" + std::to_string(10000 + i), "MEXCCO01", true, "08/06/15", "CO80615.txt"});
    store(muestras);
    open_filters();
    show_data();
    forms::DataControl* data = grid_data();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->caption(), "Registro: 1 de: 25");
    data->recordset().moveNext();
    EXPECT_EQ(data->caption(), "Registro: 2 de: 25");
}

TEST_F(FilterWindows, TotalsPerCentral) {
    store_three();
    main = app.show<Importadat>(forms::Modeless);
    main->findChild<QPushButton*>("Command4")->click();
    auto* totales = app.find<Totales>();
    ASSERT_NE(totales, nullptr);
    EXPECT_EQ(totales->windowTitle(), "Total de Errores por Central");
    EXPECT_FALSE(main->isVisible());
    auto* data = totales->findChild<forms::DataControl*>("Data1");
    EXPECT_EQ(data->caption(), "Registro: 1 de: 2");
    auto& rs = data->recordset();
    std::vector<std::string> filas;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        filas.push_back(rs.field("Central").to_text() + " " + rs.field("Collection").to_text() +
                        "/" + rs.field("Rating").to_text() + "/" + rs.field("Total").to_text());
    EXPECT_EQ(filas, (std::vector<std::string>{"Guadalajara Norte 1/0/1", "Mexico Centro 1/1/2"}));

    totales->findChild<QPushButton*>("Filtros")->click();
    EXPECT_EQ(app.find<Totales>(), nullptr);
    EXPECT_TRUE(main->isVisible());
}

TEST_F(FilterWindows, TheTotalsReportShowsTheTotalsPerCentralAsBarsAndATable) {
    store_three();
    std::filesystem::copy_file(std::filesystem::path(PROGRAM_DIR) / "totales.rpt",
                               dir.path() / "totales.rpt");
    main = app.show<Importadat>(forms::Modeless);
    main->findChild<QPushButton*>("Command4")->click();
    auto* totales = app.find<Totales>();
    ASSERT_NE(totales, nullptr);
    totales->findChild<QPushButton*>("cmdrepor")->click();
    auto* report = app.find<report::ReportWindow>();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_EQ(report->windowTitle(), "Total de Errores por Central");
    EXPECT_FALSE(report->findChild<QLabel*>("lblSeleccion")->isVisible());  // every row

    QChart* chart = report->findChild<QChartView*>("grafica")->chart();
    QStringList categories;
    for (QAbstractAxis* axis : chart->axes())
        if (auto* c = qobject_cast<QBarCategoryAxis*>(axis))
            categories = c->categories();
    EXPECT_EQ(categories, QStringList({"Guadalajara Norte", "Mexico Centro"}));
    QStringList sets;
    for (QBarSet* set : static_cast<QBarSeries*>(chart->series().at(0))->barSets())
        sets << set->label() + QString(" %1/%2").arg(set->at(0)).arg(set->at(1));
    EXPECT_EQ(sets, QStringList({"Collection 1/1", "Rating 0/1", "Total 1/2"}));

    auto* table = report->findChild<QTableWidget*>("tabla");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 2);
    EXPECT_EQ(table->columnCount(), 5);
    EXPECT_EQ(table->item(1, 1)->text(), "Mexico Centro");
    EXPECT_EQ(table->item(1, 4)->text(), "2");
}

TEST_F(FilterWindows, AMissingTotalsReportIsNamed) {
    store_three();
    main = app.show<Importadat>(forms::Modeless);
    main->findChild<QPushButton*>("Command4")->click();
    app.find<Totales>()->findChild<QPushButton*>("cmdrepor")->click();
    EXPECT_EQ(app.find<report::ReportWindow>(), nullptr);
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(
        app.messages.shown[0].text.toStdString(),
        "No se encontró el archivo de reporte " + (dir.path() / "totales.rpt").string() + ".");
    EXPECT_EQ(app.messages.shown[0].style, forms::msg::Critical);
    EXPECT_FALSE(app.cursor.waiting);
}

TEST_F(FilterWindows, EmptyTotalsSaySoAndBringTheMainWindowBack) {
    main = app.show<Importadat>(forms::Modeless);
    main->findChild<QAction*>("vertot")->trigger();
    EXPECT_EQ(app.find<Totales>(), nullptr);
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "No existe información en la base de datos");
    EXPECT_TRUE(main->isVisible());
}

}  // namespace
}  // namespace rejections::testing
