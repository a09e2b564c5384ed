// The ticket browser: the month it opens on, browsing a technician's tickets,
// the technician's share of the week, the month list and the chosen ticket.

#include "FrmPlanBoletas.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "data_combo.h"
#include "frmMain.h"
#include "qt_printers.h"
#include "ternova_fixture.h"
#include "test_program.h"
#include "text_box.h"

namespace {

using quality::FrmPlanBoletas;

// Ana López has three sampled tickets in March, Beto Ruiz one, Carla Mora one
// in April; the week (480 tickets) ended on 20/03/26, Ana resolved 12 of them.
struct TicketBrowser : ::testing::Test {
    TernovaFolder folder;
    quality::MdlTtlQuality state;
    forms::TestProgram app{"Ternova"};
    FrmPlanBoletas* window = nullptr;

    void SetUp() override {
        db::Database setup(folder.file);
        setup.execute(
            "INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES "
            "('AL', 'ANA LOPEZ', '1'), ('BR', 'BETO RUIZ', '1'), ('CM', 'CARLA MORA', '1'), "
            "('OB', 'OSCAR O''BRIEN', '1')");
        setup.execute(
            "INSERT INTO Historico_Boletas_Calidad "
            "(Tecnico, Listatrabajo, Boleta, Fecha_creada, Fecha_resuelta, prioridad) VALUES "
            "('AL', 'WL1', '1001', '01/03/26 08:00', '02/03/26 09:00', '20'), "
            "('BR', 'WL1', '2001', '03/03/26 08:00', '04/03/26 09:00', '50'), "
            "('AL', 'WL2', '1002', '05/03/26 08:00', '06/03/26 09:00', '40'), "
            "('AL', 'WL3', '1003', '07/03/26 08:00', '08/03/26 09:00', '70'), "
            "('CM', 'WL4', '3001', '01/04/26 08:00', '02/04/26 09:00', '10'), "
            "('OB', 'WL5', '4001', '01/04/26 08:00', '03/04/26 09:00', '10')");
        for (int i = 0; i < 12; ++i)
            setup.execute(
                "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico, fecha_resuelta) "
                "VALUES ('WL1', 'X', 'AL', '20/03/26 10:00')");
        setup.execute(
            "INSERT INTO Boletas_Resueltas (listatrabajo, boleta, tecnico, fecha_resuelta) "
            "VALUES ('WL1', 'Y', 'BR', '16/03/26 10:00')");
        setup.execute(
            "INSERT INTO Datos_General (fechaini, fechaend, boletas_totales) "
            "VALUES (cdate('14/03/26'), cdate('20/03/26'), 480)");
        state.abrebase();
    }
    void open() {
        db::Recordset ultima = state.conexion.open_recordset("Select * from Ultimafecha");
        window = app.show<FrmPlanBoletas>(forms::Modeless, state, ultima[0]);
        ASSERT_NE(window, nullptr);
    }
    template <class T>
    T* find(const char* name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString box(const char* name) { return find<QLineEdit>(name)->text(); }
    void press(const char* name) { find<QPushButton>(name)->click(); }
    bool enabled(const char* name) { return find<QPushButton>(name)->isEnabled(); }
    void chooseMonth(int index) {
        auto* cmbmes = find<QComboBox>("cmbmes");
        cmbmes->setCurrentIndex(index);
        emit cmbmes->activated(index);
    }
    void chooseTechnician(const QString& nombre) {
        find<forms::DataCombo>("DBCombo2")->setText(nombre);
    }
};

TEST_F(TicketBrowser, OpensOnTheMonthOfTheLastResolutionDay) {
    open();
    EXPECT_EQ(window->windowTitle(), "Boletas Ternova");
    EXPECT_EQ(find<QComboBox>("cmbmes")->currentText(), "Marzo");
    EXPECT_EQ(state.mesactual, 3);
    EXPECT_FALSE(enabled("cmdbut4"));
    EXPECT_TRUE(enabled("cmdbut3"));
    // The first technician of the month and the first ticket of the month.
    EXPECT_EQ(find<forms::DataCombo>("DBCombo2")->text(), "ANA LOPEZ");
    EXPECT_EQ(find<forms::DataCombo>("DBCombo2")->count(), 2);
    EXPECT_EQ(box("Text16"), "AL");
    EXPECT_EQ(box("Text5"), "1001");
    EXPECT_EQ(box("Text2"), "WL1");
    EXPECT_EQ(box("Text10"), "01/03/26 08:00");
    EXPECT_EQ(box("Text12"), "02/03/26 09:00");
    EXPECT_EQ(box("Text14"), "20");
    EXPECT_EQ(box("Text3"), "12");
    EXPECT_EQ(box("Text6"), "2.50%");
    EXPECT_EQ(box("Text7"), "14/03/2026");
    EXPECT_EQ(box("Text8"), "20/03/2026");
    EXPECT_TRUE(find<QLineEdit>("Text5")->isReadOnly());
    EXPECT_FALSE(find<QLineEdit>("Text16")->isReadOnly());
}

TEST_F(TicketBrowser, BrowsesTheTicketsOfOneTechnicianOnly) {
    open();
    press("cmdbut3");
    EXPECT_EQ(box("Text5"), "1002");
    EXPECT_TRUE(enabled("cmdbut4"));
    EXPECT_TRUE(enabled("cmdbut3"));
    press("cmdbut3");
    EXPECT_EQ(box("Text5"), "1003");
    EXPECT_EQ(box("Text6"), "2.50%");
    // The next row is Beto's: the window stays on Ana's last ticket.
    press("cmdbut3");
    EXPECT_EQ(box("Text5"), "1003");
    EXPECT_FALSE(enabled("cmdbut3"));

    press("cmdbut4");
    EXPECT_EQ(box("Text5"), "1002");
    EXPECT_TRUE(enabled("cmdbut3"));
    press("cmdbut4");
    press("cmdbut4");  // before the first row: back on it
    EXPECT_EQ(box("Text5"), "1001");
    EXPECT_FALSE(enabled("cmdbut4"));
}

TEST_F(TicketBrowser, ChoosingATechnicianFindsTheFirstTicketAndTheLastRowStays) {
    open();
    chooseTechnician("beto ruiz");
    EXPECT_EQ(box("Text5"), "2001");
    EXPECT_EQ(box("Text16"), "BR");
    EXPECT_EQ(box("Text3"), "1");
    EXPECT_EQ(box("Text6"), ".21%");
    press("cmdbut3");  // the last row of the whole month
    EXPECT_EQ(box("Text5"), "2001");
    EXPECT_FALSE(enabled("cmdbut3"));

    // A name of no ticket leaves the row as it was.
    chooseTechnician("NADIE");
    EXPECT_EQ(box("Text5"), "2001");
}

TEST_F(TicketBrowser, AMonthIsReadByTheResolutionDay) {
    open();
    chooseMonth(3);  // Abril
    EXPECT_EQ(state.mesactual, 4);
    EXPECT_EQ(box("Text5"), "3001");
    EXPECT_EQ(find<forms::DataCombo>("DBCombo2")->text(), "CARLA MORA");
    EXPECT_TRUE(enabled("cmdbut3"));
    EXPECT_FALSE(enabled("cmdbut4"));
    // Carla resolved no ticket of the week.
    EXPECT_EQ(box("Text3"), "0");
    EXPECT_EQ(box("Text6"), ".00%");

    // A month without tickets: both buttons off, the share emptied, the
    // technician list still that of March.
    chooseMonth(4);  // Mayo
    EXPECT_EQ(state.mesactual, 5);
    EXPECT_EQ(box("Text6"), "");
    EXPECT_EQ(box("Text5"), "");
    EXPECT_FALSE(enabled("cmdbut3"));
    EXPECT_FALSE(enabled("cmdbut4"));
    EXPECT_EQ(find<forms::DataCombo>("DBCombo2")->count(), 2);
    // Typing a name there finds nothing and fails nowhere.
    chooseTechnician("ANA LOPEZ");
    EXPECT_EQ(box("Text5"), "");
}

TEST_F(TicketBrowser, ANameWithAnApostropheIsOnlyASearchKey) {
    open();
    chooseMonth(3);
    chooseTechnician("OSCAR O'BRIEN");
    EXPECT_EQ(box("Text5"), "4001");
    EXPECT_EQ(box("Text16"), "OB");
    chooseTechnician("X' OR 'A' like 'A");
    EXPECT_EQ(box("Text5"), "4001");
}

TEST_F(TicketBrowser, OneTicketOf200HasNoZeroBeforeThePoint) {
    state.conexion.execute("UPDATE Datos_General SET boletas_totales = 200");
    open();
    EXPECT_EQ(box("Text6"), "6.00%");
    chooseTechnician("BETO RUIZ");
    EXPECT_EQ(box("Text6"), ".50%");
}

TEST_F(TicketBrowser, AWeekWithoutTotalShowsNoShare) {
    state.conexion.execute("UPDATE Datos_General SET boletas_totales = 0");
    open();
    EXPECT_EQ(box("Text6"), "");
    press("cmdbut3");
    chooseTechnician("BETO RUIZ");
    EXPECT_EQ(box("Text6"), "");
}

TEST_F(TicketBrowser, SelectingATicketKeepsItForTheEvaluation) {
    open();
    press("cmdbut3");
    press("cmdsele");
    EXPECT_EQ(state.seleccion, "1002");
    EXPECT_TRUE(window->isVisible());
    chooseMonth(4);  // no tickets: the ticket box is empty
    press("cmdsele");
    EXPECT_EQ(state.seleccion, "");
    press("Command1");
    EXPECT_EQ(app.find<FrmPlanBoletas>(), nullptr);
}

TEST_F(TicketBrowser, TheMainWindowOpensItOnTheWeeksMonth) {
    app.modal.whenShown([](forms::Form& login) {
        login.findChild<QLineEdit*>("txtclave")->setText("clave");
        login.findChild<QPushButton*>("cmdaceptar")->click();
    });
    auto* main = app.show<quality::frmMain>(forms::Modeless, state);
    ASSERT_NE(main, nullptr);
    main->findChild<QRadioButton*>("Option1(1)")->setChecked(true);
    main->findChild<QPushButton*>("cmdacep")->click();
    window = app.find<FrmPlanBoletas>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(find<QComboBox>("cmbmes")->currentText(), "Marzo");
    EXPECT_TRUE(app.messages.shown.empty());
}

}  // namespace
