// The graphs window: its controls at opening, the year box, the monthly run
// that totals the month and shows it, the annual run over the months graphed
// so far, and the messages when there is nothing to show; opened from the
// main window.

#include "FrmGraficas.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>

#include "../../tests/ratings_fixture.h"
#include "controls.h"
#include "qt_printers.h"
#include "report_window.h"
#include "runtime/clock.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

using quality::FrmGraficas;

// The categories and the bar sets of the report window's chart.
struct Chart {
    QStringList categories;
    std::vector<std::pair<QString, QList<qreal>>> sets;
};

Chart chartOf(report::ReportWindow* window) {
    Chart out;
    auto* view = window ? window->findChild<QChartView*>("grafica") : nullptr;
    if (!view)
        return out;
    for (QAbstractAxis* axis : view->chart()->axes())
        if (auto* c = qobject_cast<QBarCategoryAxis*>(axis))
            out.categories = c->categories();
    for (QAbstractSeries* s : view->chart()->series())
        for (QBarSet* set : static_cast<QBarSeries*>(s)->barSets()) {
            QList<qreal> values;
            for (int i = 0; i < set->count(); ++i)
                values << set->at(i);
            out.sets.emplace_back(set->label(), values);
        }
    return out;
}

struct GraphsWindow : ::testing::Test {
    TernovaFolder folder;
    runtime::FixedClock today{runtime::date_serial(2031, 5, 4)};
    runtime::ScopedClock clock{today};
    quality::MdlTtlQuality state;
    forms::TestProgram app{"Ternova"};
    FrmGraficas* window = nullptr;

    void SetUp() override {
        // The report files as the build puts them beside the program.
        for (const char* rpt : {"mensual.rpt", "anual.rpt"})
            std::filesystem::copy_file(std::filesystem::path(PROGRAM_DIR) / rpt,
                                       folder.folder.path() / rpt);
        state.iniciadatos();
        addRatingTechnicians(state.conexion);
        window = app.show<FrmGraficas>(forms::Modeless, state);
        ASSERT_NE(window, nullptr);
    }
    template <class T>
    T* find(const QString& name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QRadioButton* option(int i) { return find<QRadioButton>(forms::arrayName("Option1", i)); }
    QLineEdit* year() { return find<QLineEdit>("txtaño"); }
    // "&Ver Gráfica" for a month, year and the location option chosen.
    report::ReportWindow* ver(const QString& mes, const QString& año, int kind = 0,
                              int location = 3) {
        option(kind)->click();
        option(location)->click();
        find<QComboBox>("cmbmes")->setCurrentText(mes);
        year()->setText(año);
        find<QPushButton>("cmdbut4")->click();
        return app.find<report::ReportWindow>();
    }
    void expectRestored() {
        EXPECT_TRUE(find<QGroupBox>("FameNivel")->isVisible());
        EXPECT_FALSE(find<QLabel>("lblmsj")->isVisible());
        EXPECT_FALSE(app.cursor.waiting);
    }
};

TEST_F(GraphsWindow, OpensOnMonthlyAtCarThisYearInJanuary) {
    EXPECT_EQ(window->windowTitle(), "Gráficas");
    const char* captions[] = {"&Mensual", "&Anual", "&Centros de Mantenimiento", "&CAR"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(option(i)->text(), captions[i]);
    EXPECT_TRUE(option(0)->isChecked());
    EXPECT_TRUE(option(3)->isChecked());
    EXPECT_EQ(option(2)->parent(), find<QGroupBox>("FameNivel"));
    EXPECT_EQ(find<QGroupBox>("FameNivel")->title(), "Nivel:");
    EXPECT_EQ(year()->text(), "2031");
    EXPECT_EQ(find<QComboBox>("cmbmes")->currentText(), "Enero");
    EXPECT_EQ(find<QComboBox>("cmbmes")->count(), 12);
    EXPECT_EQ(find<QLabel>("Label1")->text(), "Año:");
    EXPECT_EQ(find<QLabel>("lblmsj")->text(), "Accesando registros ...");
    EXPECT_FALSE(find<QLabel>("lblmsj")->isVisible());
    EXPECT_EQ(find<QPushButton>("cmdbut4")->text(), "&Ver Gráfica");
    EXPECT_EQ(find<QPushButton>("cmdbut3")->text(), "&Salir");

    // Clicking the selected option keeps it selected, in both pairs.
    option(0)->click();
    option(3)->click();
    EXPECT_TRUE(option(0)->isChecked());
    EXPECT_TRUE(option(3)->isChecked());

    option(1)->click();  // the month list is off for the annual report
    EXPECT_FALSE(find<QComboBox>("cmbmes")->isEnabled());
    option(0)->click();
    EXPECT_TRUE(find<QComboBox>("cmbmes")->isEnabled());

    find<QPushButton>("cmdbut3")->click();
    EXPECT_EQ(app.find<FrmGraficas>(), nullptr);
}

TEST_F(GraphsWindow, TheYearBoxKeepsFourDigitsHoweverTheyCome) {
    struct Case {
        QString before;
        int cursor;
        QString typed;   // keys typed at the cursor
        QString pasted;  // then pasted at the cursor
        QString after;
    };
    const Case cases[] = {
        {"", 0, "19a9", "", "199"},    {"", 0, "", " 2026\n", "2026"},
        {"", 0, "", "20a2b6", "2026"}, {"1999", 4, "0", "", "1999"},  // a fifth digit is refused
        {"1999", 2, "x", "", "1999"},  {"19", 1, "", "a9", "199"},
        {"19", 2, "", "99 99", "19"},  // too many digits: the box stays as it was
        {"2026", 4, "\b\b", "", "20"},
    };
    for (const Case& c : cases) {
        year()->setText(c.before);
        year()->setFocus();
        year()->setCursorPosition(c.cursor);
        QTest::keyClicks(year(), c.typed.contains('\b') ? QString() : c.typed);
        for (QChar k : c.typed)
            if (k == '\b')
                QTest::keyClick(year(), Qt::Key_Backspace);
        if (!c.pasted.isEmpty()) {
            QApplication::clipboard()->setText(c.pasted);
            year()->paste();
        }
        EXPECT_EQ(year()->text(), c.after)
            << c.before.toStdString() << " + " << c.typed.toStdString() << c.pasted.toStdString();
    }
    year()->setText("12ab");  // set from code, the same rule
    EXPECT_EQ(year()->text(), "12");
}

TEST_F(GraphsWindow, TheMonthlyRunTotalsTheMonthAndShowsItsBars) {
    addMarch1999AtCar(state.conexion);
    auto* report = ver("Marzo", "1999");
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->findChild<QLabel*>("lblSeleccion")->text(),
              "mes: MARZO     año: 1999     ubicacion: CAR");
    Chart chart = chartOf(report);
    EXPECT_EQ(chart.categories, QStringList({"MARZO"}));
    ASSERT_EQ(chart.sets.size(), 2u);
    EXPECT_EQ(chart.sets[0], std::make_pair(QString("SATISFACTORIOS"), QList<qreal>{7}));
    EXPECT_EQ(chart.sets[1], std::make_pair(QString("NO SATISFACTORIOS"), QList<qreal>{2}));
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_EQ(app.cursor.changes, (std::vector<bool>{true, false}));
    expectRestored();

    // After one more unsatisfactory rating the same month shows 3.
    state.conexion.execute(
        "UPDATE Historico_Boletas_Calidad SET articulo5 = 3 WHERE Boleta = 'B2'");
    chart = chartOf(ver("Marzo", "1999"));
    ASSERT_EQ(chart.sets.size(), 2u);
    EXPECT_EQ(chart.sets[1].second, QList<qreal>{3});
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM GRAFICAS").to_text(), "2");

    // A text that is no month keeps the month found before.
    chart = chartOf(ver("marzo", "1999"));
    EXPECT_EQ(chart.categories, QStringList({"MARZO"}));
}

TEST_F(GraphsWindow, TheMaintenanceCentreIsGraphedUnderItsCapitals) {
    addMarch1999AtCar(state.conexion);
    addRatedTicket(state.conexion, "LRH", "B5", "02/03/99 09:00", {2, 2, 3, 1, 1});
    auto* report = ver("Marzo", "1999", 0, 2);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->findChild<QLabel*>("lblSeleccion")->text(),
              "mes: MARZO     año: 1999     ubicacion: CENTRO DE MANTENIMIENTO");
    const Chart chart = chartOf(report);
    ASSERT_EQ(chart.sets.size(), 2u);
    EXPECT_EQ(chart.sets[0].second, QList<qreal>{2});
    EXPECT_EQ(chart.sets[1].second, QList<qreal>{1});
}

TEST_F(GraphsWindow, NothingToShowSaysSoAndShowsNoReport) {
    addMarch1999AtCar(state.conexion);
    const std::tuple<QString, QString, int> cases[] = {
        {"Abril", "1999", 0},  // a month without ratings
        {"Marzo", "", 0},      // no year
        {"Marzo", "1999", 1},  // a year without graphed months
    };
    for (const auto& [mes, año, kind] : cases) {
        app.messages.shown.clear();
        EXPECT_EQ(ver(mes, año, kind), nullptr) << mes.toStdString() << año.toStdString();
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown[0].text, "No existe información con esos criterios.");
        EXPECT_EQ(app.messages.shown[0].style, forms::msg::Information);
        EXPECT_EQ(app.messages.shown[0].title, "Ternova");
        expectRestored();
    }
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM GRAFICAS").to_text(), "0");
}

TEST_F(GraphsWindow, TheAnnualRunShowsTheGraphedMonthsInCalendarOrder) {
    state.conexion.execute_script(R"(
INSERT INTO GRAFICAS (rubro, mes, "año", valor, ubicacion) VALUES
  ('SATISFACTORIOS', 'DICIEMBRE', '1999', 9, 'CAR'), ('NO SATISFACTORIOS', 'DICIEMBRE', '1999', 1, 'CAR'),
  ('NO SATISFACTORIOS', 'ENERO', '1999', 4, 'CAR'), ('SATISFACTORIOS', 'ENERO', '1999', 5, 'CAR'),
  ('SATISFACTORIOS', 'MARZO', '1999', 7, 'CAR'), ('NO SATISFACTORIOS', 'MARZO', '1999', 2, 'CAR'),
  ('SATISFACTORIOS', 'FEBRERO', '1999', 8, 'CENTRO DE MANTENIMIENTO'),
  ('SATISFACTORIOS', 'FEBRERO', '2000', 6, 'CAR');
)");
    auto* report = ver("Enero", "1999", 1);
    ASSERT_NE(report, nullptr);
    const Chart chart = chartOf(report);
    EXPECT_EQ(chart.categories, QStringList({"ENERO", "MARZO", "DICIEMBRE"}));
    ASSERT_EQ(chart.sets.size(), 2u);
    EXPECT_EQ(chart.sets[0], std::make_pair(QString("SATISFACTORIOS"), QList<qreal>{5, 7, 9}));
    EXPECT_EQ(chart.sets[1], std::make_pair(QString("NO SATISFACTORIOS"), QList<qreal>{4, 2, 1}));
    EXPECT_EQ(app.cursor.changes, (std::vector<bool>{true, false}));
    EXPECT_TRUE(app.messages.shown.empty());
    EXPECT_TRUE(find<QGroupBox>("FameNivel")->isVisible());
}

TEST_F(GraphsWindow, AMissingReportFileIsNamed) {
    addMarch1999AtCar(state.conexion);
    const auto file = folder.folder.path() / "mensual.rpt";
    std::filesystem::remove(file);
    EXPECT_EQ(ver("Marzo", "1999"), nullptr);
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(
        app.messages.shown[0].text,
        QString::fromStdString("No se encontró el archivo de reporte " + file.string() + "."));
    EXPECT_EQ(app.messages.shown[0].style, forms::msg::Critical);
    expectRestored();
}

}  // namespace

namespace {

TEST_F(GraphsWindow, ADatabaseFailureIsShownAndTheWindowComesBack) {
    addMarch1999AtCar(state.conexion);
    state.conexion.execute_script("DROP VIEW nosatisfactorios3;");
    EXPECT_EQ(ver("Marzo", "1999"), nullptr);
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_TRUE(app.messages.shown[0].text.contains("nosatisfactorios3"))
        << app.messages.shown[0].text.toStdString();
    EXPECT_EQ(app.messages.shown[0].style, forms::msg::Critical);
    expectRestored();
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM GRAFICAS").to_text(), "0");
}

}  // namespace
