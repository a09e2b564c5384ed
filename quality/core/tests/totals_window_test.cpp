// The totals window: the per-technician grid with its record position, the
// week's dates and total; and the help window's text.

#include "FrmVerBoletas.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <fstream>
#include <iterator>
#include <regex>

#include "FrmAyuda.h"
#include "data_control.h"
#include "data_grid.h"
#include "frmMain.h"
#include "qt_printers.h"
#include "ternova_fixture.h"
#include "test_program.h"

namespace {

using quality::FrmVerBoletas;

struct TotalsWindow : ::testing::Test {
    TernovaFolder folder;
    forms::TestProgram app{"Ternova"};
    FrmVerBoletas* window = nullptr;

    // `technicians` technicians, the i-th with i resolved tickets of the week.
    void week(int technicians) {
        db::Database setup(folder.file);
        for (int i = 1; i <= technicians; ++i) {
            const std::string ini = "T" + std::to_string(i);
            setup.execute("INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES ('" + ini +
                          "', 'TECNICO " + std::to_string(i) + "', '1')");
            for (int j = 0; j < i; ++j)
                setup.execute(
                    "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico) VALUES "
                    "('WL', 'B', '" +
                    ini + "')");
        }
    }
    void datosGenerales(const std::string& total) {
        db::Database(folder.file)
            .execute(
                "INSERT INTO Datos_General (fechaini, fechaend, boletas_totales) VALUES "
                "(cdate('14/03/26'), cdate('20/03/26'), " +
                total + ")");
    }
    void open() {
        window = app.show<FrmVerBoletas>(forms::Modeless);
        ASSERT_NE(window, nullptr);
    }
    template <class T>
    T* find(const char* name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString box(const char* name) { return find<QLineEdit>(name)->text(); }
    QString caption() { return find<forms::DataControl>("Data1")->caption(); }
};

TEST_F(TotalsWindow, ShowsTheTotalsOfEveryTechnicianAndTheWeek) {
    week(6);
    datosGenerales("15234");
    open();
    EXPECT_EQ(window->windowTitle(), "Totales por Técnico");
    EXPECT_EQ(caption(), "Registro 1 de 6");
    EXPECT_EQ(box("Text1"), "14/03/2026");
    EXPECT_EQ(box("Text2"), "20/03/2026");
    EXPECT_EQ(box("Text3"), "15,234");
    for (const char* name : {"Text1", "Text2", "Text3"})
        EXPECT_TRUE(find<QLineEdit>(name)->isReadOnly()) << name;

    // The grid shows the query's columns as they come.
    auto* grid = find<forms::DataGrid>("DBGrid1");
    QAbstractItemModel* model = grid->model();
    ASSERT_EQ(model->columnCount(), 4);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Iniciales");
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Porcentaje");
    ASSERT_EQ(model->rowCount(), 6);
    EXPECT_EQ(model->index(1, 1).data().toString(), "TECNICO 2");
    EXPECT_EQ(model->index(1, 2).data().toString(), "2");
    EXPECT_EQ(model->index(5, 3).data().toString(), "28.57%");

    // The fifth row of the grid: its position in the caption.
    grid->setCurrentIndex(model->index(4, 0));
    EXPECT_EQ(caption(), "Registro 5 de 6");
    find<forms::DataControl>("Data1")->recordset().moveLast();
    EXPECT_EQ(caption(), "Registro 6 de 6");
    find<forms::DataControl>("Data1")->recordset().moveNext();  // EOF keeps the caption
    EXPECT_EQ(caption(), "Registro 6 de 6");

    find<QPushButton>("Command1")->click();
    EXPECT_EQ(app.find<FrmVerBoletas>(), nullptr);
}

TEST_F(TotalsWindow, AnEmptyWeekShowsNoRowsAndEmptyBoxes) {
    open();
    EXPECT_EQ(caption(), "Registro 0 de 0");
    EXPECT_EQ(find<forms::DataGrid>("DBGrid1")->model()->rowCount(), 0);
    for (const char* name : {"Text1", "Text2", "Text3"})
        EXPECT_EQ(box(name), "") << name;
}

TEST_F(TotalsWindow, AZeroTotalShowsZero) {
    datosGenerales("0");
    open();
    EXPECT_EQ(box("Text3"), "0");
}

TEST_F(TotalsWindow, TheMainWindowOpensIt) {
    week(2);
    quality::MdlTtlQuality state;
    app.modal.whenShown([](forms::Form& login) {
        login.findChild<QLineEdit*>("txtclave")->setText("clave");
        login.findChild<QPushButton*>("cmdaceptar")->click();
    });
    auto* main = app.show<quality::frmMain>(forms::Modeless, state);
    ASSERT_NE(main, nullptr);
    main->findChild<QRadioButton*>("Option1(2)")->setChecked(true);
    main->findChild<QPushButton*>("cmdacep")->click();
    window = app.find<FrmVerBoletas>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(caption(), "Registro 1 de 2");
}

std::string helpDocument() {
    std::ifstream in(TERNOVA_HELP_DOCUMENT, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(HelpWindow, TellsWhichWeeklyFileTheProgramNeeds) {
    forms::TestProgram app("Ternova");
    auto* window = app.show<quality::FrmAyuda>(forms::Modeless);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Ayuda");
    EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(),
              "Para correr este programa necesitas tener el archivo de boletas resueltas, el "
              "cual se genera desde VOS y se deposita semanalmente en el servidor del CAR:  "
              "boletas_resv_(carddmm).txt");
    EXPECT_EQ(window->findChild<QPushButton*>("Command1")->text(), "Sa&lir");

    // The help document says the same in its section on the weekly file.
    std::string texto = helpDocument();
    const auto start = texto.find("<h2 id=\"archivo\">");
    ASSERT_NE(start, std::string::npos);
    texto = texto.substr(texto.find("<p>", start) + 3);
    texto = texto.substr(0, texto.find("</p>"));
    texto = std::regex_replace(texto, std::regex("&nbsp;"), " ");
    texto = std::regex_replace(texto, std::regex("\n"), " ");
    EXPECT_EQ(texto, quality::kAyudaArchivo);

    window->findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(app.find<quality::FrmAyuda>(), nullptr);
}

}  // namespace
