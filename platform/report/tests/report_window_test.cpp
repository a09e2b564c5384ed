// Running a report through the report control: the window with the chart
// and the table whose data are the selected rows, printing and saving it,
// and the messages of a report that cannot run.

#include <gtest/gtest.h>

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>

#include <cmath>

#include "process.h"
#include "qt_printers.h"
#include "report_control.h"
#include "report_fixture.h"
#include "report_window.h"
#include "test_program.h"

namespace {

// The window the report control's messages show over.
class Caller : public forms::Form {
public:
    explicit Caller(forms::Program& program) : Form(program, "Caller") {}
};

struct Bars {
    QStringList categories;
    std::vector<std::pair<QString, QList<qreal>>> sets;
    QString title, categoryTitle;
    double valueTop = 0;
    int ticks = 0;
};

Bars barsOf(report::ReportWindow* window) {
    Bars out;
    auto* view = window->findChild<QChartView*>("grafica");
    if (!view)
        return out;
    QChart* chart = view->chart();
    out.title = chart->title();
    for (QAbstractAxis* axis : chart->axes()) {
        if (auto* c = qobject_cast<QBarCategoryAxis*>(axis)) {
            out.categories = c->categories();
            out.categoryTitle = c->titleText();
        }
        if (auto* v = qobject_cast<QValueAxis*>(axis)) {
            out.valueTop = v->max();
            out.ticks = v->tickCount();
        }
    }
    for (QAbstractSeries* s : chart->series())
        for (QBarSet* set : static_cast<QBarSeries*>(s)->barSets()) {
            QList<qreal> values;
            for (int i = 0; i < set->count(); ++i)
                values << set->at(i);
            out.sets.emplace_back(set->label(), values);
        }
    return out;
}

struct ReportRun : ::testing::Test {
    TotalsDatabase data;
    forms::TestProgram app{"Ternova"};
    Caller* caller = app.show<Caller>(forms::Modeless);
    report::ReportControl Reports{*caller, data.database};

    report::ReportWindow* run(const std::filesystem::path& file, const QString& formula) {
        Reports.ReportFileName = QString::fromStdString(file.string());
        Reports.SelectionFormula = formula;
        return Reports.Action(1);
    }
};

TEST_F(ReportRun, ShowsTheSelectedRowsAsBarsInCalendarOrder) {
    const auto file = data.reportFile("anual.rpt", kAnnualReport);
    auto* window = run(file, "{GRAFICAS.año} = '1999' AND {GRAFICAS.ubicacion } = 'CAR'");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Calificaciones del año");
    EXPECT_EQ(window->findChild<QLabel*>("lblSeleccion")->text(), "año: 1999     ubicacion: CAR");
    const Bars bars = barsOf(window);
    EXPECT_EQ(bars.title, "Calificaciones del año");
    EXPECT_EQ(bars.categoryTitle, "Mes");
    EXPECT_EQ(bars.categories, QStringList({"ENERO", "MARZO", "DICIEMBRE"}));
    ASSERT_EQ(bars.sets.size(), 2u);
    EXPECT_EQ(bars.sets[0], std::make_pair(QString("SATISFACTORIOS"), QList<qreal>{5, 7, 9}));
    EXPECT_EQ(bars.sets[1], std::make_pair(QString("NO SATISFACTORIOS"), QList<qreal>{4, 2, 0}));
    // The value axis reaches above the largest bar in whole steps.
    EXPECT_GT(bars.valueTop, 9);
    ASSERT_GT(bars.ticks, 2);
    const double step = bars.valueTop / (bars.ticks - 1);
    EXPECT_EQ(step, std::floor(step)) << bars.valueTop << " in " << bars.ticks;
    EXPECT_EQ(window->findChild<QTableWidget*>("tabla"), nullptr);
    EXPECT_TRUE(app.messages.shown.empty());

    // The next report shows in the same window, in place of this one.
    auto* again = run(file, "{GRAFICAS.año} = '2000' AND {GRAFICAS.ubicacion } = 'car'");
    EXPECT_EQ(again, window);
    EXPECT_EQ(barsOf(window).categories, QStringList({"MARZO"}));
    EXPECT_EQ(window->findChildren<QChartView*>().size(), 1);
}

TEST_F(ReportRun, ATableShowsTheChosenColumnsOfEveryRow) {
    const auto file = data.reportFile(
        "tabla.rpt", "title = Meses\nsource = GRAFICAS\nlayout = table\ncolumns = mes, valor\n");
    auto* window = run(file, "{GRAFICAS.mes} = 'MARZO' AND {GRAFICAS.año} = '1999'");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QChartView*>("grafica"), nullptr);
    auto* table = window->findChild<QTableWidget*>("tabla");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->columnCount(), 2);
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), "mes");
    QStringList cells;
    for (int r = 0; r < table->rowCount(); ++r)
        cells << table->item(r, 0)->text() + " " + table->item(r, 1)->text();
    EXPECT_EQ(cells, QStringList({"MARZO 7", "MARZO 2", "MARZO 30"}));
}

TEST_F(ReportRun, PrintsAndSavesAsPdfAndPng) {
    auto* window = run(data.reportFile("anual.rpt", kAnnualReport), "");
    ASSERT_NE(window, nullptr);
    window->findChild<QPushButton*>("cmdImprimir")->click();
    ASSERT_EQ(app.printer.images.size(), 1u);
    EXPECT_GT(app.printer.images[0].width(), 300);
    EXPECT_EQ(app.printer.jobs, QStringList({"Calificaciones del año"}));

    const QString png = QString::fromStdString((data.dir.path() / "anual.png").string());
    const QString pdf = QString::fromStdString((data.dir.path() / "anual.pdf").string());
    const QString bare = QString::fromStdString((data.dir.path() / "sin_extension").string());
    app.files.paths = {png, pdf, bare, ""};
    for (int i = 0; i < 4; ++i)
        window->findChild<QPushButton*>("cmdGuardar")->click();
    ASSERT_EQ(app.files.saveRequests.size(), 4u);
    EXPECT_EQ(app.files.saveRequests[0].fileName, "anual.pdf");
    EXPECT_EQ(app.files.saveRequests[0].filter,
              "Documento PDF (*.pdf)|*.pdf|Imagen PNG (*.png)|*.png");
    EXPECT_EQ(QImage(png).size(), window->image().size());
    // The PDF holds the report's drawing with its texts.
    for (const QString& file : {pdf, bare + ".pdf"}) {
        testsupport::ProcessSpec pdftotext;
        pdftotext.program = "pdftotext";
        pdftotext.args = {file.toStdString(), "-"};
        const auto text = testsupport::run_process(pdftotext);
        EXPECT_EQ(text.status, 0) << text.err;
        for (const char* shown : {"del año", "Mes", "ENERO", "DICIEMBRE", "NO SATISFACTORIOS"})
            EXPECT_NE(text.out.find(shown), std::string::npos)
                << file.toStdString() << ": " << shown;
    }
    EXPECT_TRUE(app.messages.shown.empty());

    // A folder that cannot be written tells so and leaves nothing behind.
    const QString unwritable = QString::fromStdString((data.dir.path() / "no" / "x.png").string());
    app.files.paths = {unwritable};
    window->findChild<QPushButton*>("cmdGuardar")->click();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, "No se pudo guardar el reporte en " + unwritable + ".");
    EXPECT_EQ(app.messages.shown[0].style, forms::msg::Critical);

    window->findChild<QPushButton*>("cmdCerrar")->click();
    EXPECT_EQ(app.find<report::ReportWindow>(), nullptr);
}

TEST_F(ReportRun, AReportThatCannotRunShowsWhyAndNoWindow) {
    const auto good = data.reportFile("anual.rpt", kAnnualReport);
    const auto missing = data.dir.path() / "mensual.rpt";
    const auto foreign =
        data.reportFile("otra.rpt", "title = T\nsource = NOSUCH\nlayout = table\n");
    const std::tuple<std::filesystem::path, QString, QString> cases[] = {
        {missing, "",
         "No se encontró el archivo de reporte " + QString::fromStdString(missing.string()) + "."},
        {good, "{GRAFICAS.mes} = MARZO",
         "La fórmula de selección no es válida (carácter 18): se esperaba un texto entre "
         "comillas."},
        {good, "{GRAFICAS.semana} = '1'", "El campo semana no existe en GRAFICAS."},
        {foreign, "", ""},
    };
    for (const auto& [file, formula, message] : cases) {
        app.messages.shown.clear();
        EXPECT_EQ(run(file, formula), nullptr) << formula.toStdString();
        ASSERT_EQ(app.messages.shown.size(), 1u) << formula.toStdString();
        EXPECT_EQ(app.messages.shown[0].style, forms::msg::Critical);
        EXPECT_EQ(app.messages.shown[0].title, "Ternova");
        if (!message.isEmpty())
            EXPECT_EQ(app.messages.shown[0].text, message);
        else
            EXPECT_TRUE(app.messages.shown[0].text.contains("NOSUCH"))
                << app.messages.shown[0].text.toStdString();
        EXPECT_EQ(app.find<report::ReportWindow>(), nullptr);
    }
}

}  // namespace
