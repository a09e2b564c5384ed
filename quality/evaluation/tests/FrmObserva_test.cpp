// The evaluation window: its controls, the opening, the loading of the saved
// weeks of a technician and month, the placing and the lookup of tickets,
// and the counters that follow the ratings shown.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QRadioButton>

#include <filesystem>

#include "Aleatorio.h"
#include "GeneraBoletas.h"
#include "data_control.h"
#include "frmMain.h"
#include "observa_fixture.h"

namespace {

using namespace observa_test;

TEST_F(Observa, HasItsControlsByNameWithTheirCaptionsAndPlaces) {
    open();
    EXPECT_EQ(window->windowTitle(), "Observación de Calidad en Boletas VIV");
    EXPECT_EQ(window->clientWidthTwips(), 10920);
    EXPECT_EQ(window->clientHeightTwips(), 8100);
    EXPECT_EQ(window->client()->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(find<QLabel>("lblencabezado")->text(), "BOLETA DE VIV - OBSERVACIONES DE  CALIDAD");
    EXPECT_NE(find<forms::DataControl>("Data3"), nullptr);
    EXPECT_FALSE(find<forms::DataControl>("Data3")->isVisible());
    auto* cmbmes = find<QComboBox>("cmbmes");
    ASSERT_EQ(cmbmes->count(), 12);
    EXPECT_EQ(cmbmes->itemText(8), "Septiembre");
    EXPECT_EQ(find<QLineEdit>("txtaño")->maxLength(), 4);
    for (const char* locked :
         {"txttecnico", "txtaño", "txtsuper", "txtsattotal", "txtinsattotal", "txttotal"})
        EXPECT_TRUE(find<QLineEdit>(locked)->isReadOnly()) << locked;
    // The name printed in place of the combo lies under it.
    EXPECT_EQ(find<QWidget>("txttecnico")->geometry(), find<QWidget>("cmbtecnicos")->geometry());
    for (const char* oculta : {"blanco", "Imagen"})
        EXPECT_FALSE(find<forms::Image>(oculta)->isVisible()) << oculta;
    for (const char* leyenda : {"bien", "mal"})
        EXPECT_TRUE(find<forms::Image>(leyenda)->isVisible()) << leyenda;
    EXPECT_TRUE(find<QLabel>("lblarticulo1")
                    ->text()
                    .startsWith("1) La boleta se reconoció dentro del tiempo" + QString(20, ' ') +
                                "especificado"));

    const int izquierda[4] = {4680, 5760, 6840, 7920};
    for (int w = 1; w <= 4; ++w) {
        const QString n = QString::number(w);
        const int x = izquierda[w - 1] / 15;
        EXPECT_EQ(find<QLineEdit>("txtboleta" + n)->geometry(), QRect(x, 1320 / 15, 69, 21));
        EXPECT_FALSE(find<QLineEdit>("txtboleta" + n)->isReadOnly());
        EXPECT_TRUE(find<forms::MultiLineTextBox>("txtcreada" + n)->isReadOnly());
        EXPECT_TRUE(find<forms::MultiLineTextBox>("txtres" + n)->isReadOnly());
        EXPECT_EQ(find<forms::MaskedBox>("txtrec" + n + "fe")->text(), "__/__/__");
        EXPECT_EQ(find<forms::MaskedBox>("txtrec" + n + "ho")->text(), "__:__");
        EXPECT_FALSE(find<forms::UpDown>("flechitas" + n)->isEnabled());
        EXPECT_TRUE(find<QLineEdit>("txtprio" + n)->isReadOnly());
        for (int k = 1; k <= 5; ++k) {
            EXPECT_EQ(imagen(w, k)->geometry().topLeft(),
                      QPoint(x + 8, QList<int>{3480, 3960, 4440, 4920, 5520}[k - 1] / 15));
            EXPECT_TRUE(imagen(w, k)->isEnabled());
        }
        EXPECT_EQ(calificaciones(w), "-----");
        EXPECT_EQ(text("txtsat" + n), "");
        EXPECT_EQ(text("txtinsat" + n), "");
    }
    const std::pair<const char*, const char*> botones[] = {
        {"cmdActualiza", "&Actualizar Registros"},
        {"cmdImprime", "Imprimir"},
        {"cmdconfig", "Configurar Impresora..."},
        {"cmdsalir", "&Salir"},
        {"cmdcoloca", "&Colocar Boleta"}};
    int arriba = 0;
    for (auto [nombre, texto] : botones) {
        auto* boton = find<QPushButton>(nombre);
        EXPECT_EQ(boton->text(), texto);
        EXPECT_EQ(boton->geometry().x(), 9120 / 15) << nombre;
        EXPECT_GT(boton->geometry().y(), arriba) << nombre;
        arriba = boton->geometry().y();
    }
}

TEST_F(Observa, OpensOnThisMonthAndYearWithTheSupervisorAndLoadsNothing) {
    open();
    EXPECT_EQ(find<QComboBox>("cmbmes")->currentText(), "Marzo");
    EXPECT_EQ(text("txtaño"), "2026");
    EXPECT_EQ(text("txtsuper"), "ANA SUPERVISORA");
    EXPECT_EQ(find<forms::DataCombo>("cmbtecnicos")->text(), "");
    auto* cmbtecnicos = find<forms::DataCombo>("cmbtecnicos");
    ASSERT_EQ(cmbtecnicos->count(), 3);
    EXPECT_EQ(cmbtecnicos->itemText(0), "JUAN PEREZ");
    EXPECT_EQ(cmbtecnicos->itemText(2), "OSCAR O'BRIEN");
    // The name printed in place of the combo never takes the focus.
    EXPECT_NE(QApplication::focusWidget(), find<QWidget>("txttecnico"));
    find<QWidget>("txtaño")->setFocus();
    QTest::keyClick(find<QWidget>("txtaño"), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_NE(QApplication::focusWidget(), find<QWidget>("txttecnico"));
    // No ticket chosen yet: nothing to place.
    EXPECT_FALSE(find<QPushButton>("cmdcoloca")->isEnabled());
    EXPECT_TRUE(app.messages.shown.empty());
    // A ticket chosen in the ticket browser becomes placeable on coming back.
    state.seleccion = "4500131";
    window->Form_Activate();
    EXPECT_TRUE(find<QPushButton>("cmdcoloca")->isEnabled());
}

TEST_F(Observa, TheMainWindowOpensTheOneWindowModeless) {
    app.modal.whenShown([](forms::Form& login) {
        login.findChild<QLineEdit*>("txtclave")->setText("clave");
        login.findChild<QPushButton*>("cmdaceptar")->click();
    });
    auto* main = app.show<quality::frmMain>(forms::Modeless, state);
    ASSERT_NE(main, nullptr);
    main->findChild<QPushButton*>("cmdevalua")->click();
    window = app.find<quality::FrmObserva>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(text("txtsuper"), "SUPERVISOR");
    main->findChild<QRadioButton*>("Option1(3)")->setChecked(true);
    main->findChild<QPushButton*>("cmdacep")->click();
    EXPECT_EQ(app.find<quality::FrmObserva>(), window);
    EXPECT_EQ(app.modal.shown, QStringList{"FrmContraseña"});
}

TEST_F(Observa, ASavedMonthShowsEveryWeekLockedWithItsCountersAndTotals) {
    open();
    chooseMonth(0);  // Enero, 2026
    chooseTechnician("JUAN PEREZ");
    const char* boletas[] = {"4500001", "4500002", "4500003", "4500004"};
    const char* calificadas[] = {"BBMBB", "MBBBB", "BMMBB", "BBBBB"};
    const char* satisfactorios[] = {"4", "4", "3", "5"};
    const char* noSatisfactorios[] = {"1", "1", "2", "0"};
    for (int w = 1; w <= 4; ++w) {
        const QString n = QString::number(w);
        EXPECT_EQ(text("txtboleta" + n), boletas[w - 1]);
        EXPECT_TRUE(find<QLineEdit>("txtboleta" + n)->isReadOnly());
        EXPECT_EQ(calificaciones(w), calificadas[w - 1]);
        for (int k = 1; k <= 5; ++k)
            EXPECT_FALSE(imagen(w, k)->isEnabled()) << w << k;
        EXPECT_FALSE(find<forms::MaskedBox>("txtrec" + n + "fe")->isEnabled());
        EXPECT_FALSE(find<forms::MaskedBox>("txtrec" + n + "ho")->isEnabled());
        // Filling the creation enabled the arrows; the loading disabled them again.
        EXPECT_FALSE(find<forms::UpDown>("flechitas" + n)->isEnabled());
        EXPECT_EQ(text("txtsat" + n), satisfactorios[w - 1]);
        EXPECT_EQ(text("txtinsat" + n), noSatisfactorios[w - 1]);
    }
    EXPECT_EQ(multiLine("txtcreada2"), "12/01/26 08:00");
    EXPECT_EQ(multiLine("txtres2"), "12/01/26 09:00");
    EXPECT_EQ(text("txtprio2"), "10");
    EXPECT_EQ(find<forms::MaskedBox>("txtrec2fe")->text(), "12/01/26");
    EXPECT_EQ(find<forms::MaskedBox>("txtrec2ho")->text(), "08:40");
    EXPECT_EQ(text("txtsattotal"), "16");
    EXPECT_EQ(text("txtinsattotal"), "4");
    EXPECT_EQ(text("txttotal"), "80.0%");
    EXPECT_EQ(text("txtsuper"), "LUIS SUPER");
    EXPECT_EQ(multiLine("txtcomen"), "cuarto");  // the last row placed
    EXPECT_FALSE(find<QPushButton>("cmdActualiza")->isEnabled());

    // Leaving a loaded ticket box runs no lookup: what was loaded stays.
    leave("txtboleta2");
    EXPECT_EQ(find<forms::MaskedBox>("txtrec2ho")->text(), "08:40");
    EXPECT_TRUE(app.messages.shown.empty());

    // February, its tickets not yet saved: the columns empty, the ticket
    // boxes still locked.
    chooseMonth(1);
    EXPECT_EQ(text("txtboleta1"), "");
    EXPECT_TRUE(find<QLineEdit>("txtboleta1")->isReadOnly());
    EXPECT_EQ(text("txtsat1"), "0");
    EXPECT_EQ(calificaciones(1), "-----");
    EXPECT_TRUE(imagen(1, 1)->isEnabled());
    EXPECT_TRUE(find<forms::MaskedBox>("txtrec1fe")->isEnabled());
    EXPECT_EQ(multiLine("txtcomen"), "");
    EXPECT_TRUE(find<QPushButton>("cmdActualiza")->isEnabled());
    EXPECT_EQ(state.mesactual, 2);
}

TEST_F(Observa, MonthsWithoutSavedWeeksShowEmptyColumns) {
    open();
    chooseMonth(0);
    // MARIA GOMEZ's January ticket was never saved: counters at "0".
    chooseTechnician("MARIA GOMEZ");
    for (int w = 1; w <= 4; ++w) {
        EXPECT_EQ(text(QString("txtboleta%1").arg(w)), "");
        EXPECT_EQ(text(QString("txtsat%1").arg(w)), "0");
        EXPECT_EQ(text(QString("txtinsat%1").arg(w)), "0");
    }
    EXPECT_EQ(text("txtsattotal"), "0");
    EXPECT_EQ(text("txttotal"), ".0%");
    EXPECT_EQ(text("txtsuper"), "ANA SUPERVISORA");
    EXPECT_TRUE(find<QPushButton>("cmdActualiza")->isEnabled());

    // OSCAR O'BRIEN (bound, the quote is no problem) has a saved week 2
    // without a supervisor: the box keeps the name it showed.
    chooseTechnician("OSCAR O'BRIEN");
    EXPECT_EQ(text("txtboleta2"), "4500401");
    EXPECT_EQ(text("txtboleta1"), "");
    EXPECT_EQ(text("txtsat1"), "0");
    EXPECT_EQ(text("txtsat2"), "5");
    EXPECT_EQ(text("txtsuper"), "ANA SUPERVISORA");
    EXPECT_TRUE(find<QPushButton>("cmdActualiza")->isEnabled());

    // No rows at all (a year with nothing): the counters stay empty.
    chooseMonth(6);
    EXPECT_EQ(text("txtsat1"), "");
    EXPECT_TRUE(find<QPushButton>("cmdActualiza")->isEnabled());
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(Observa, TwoSavedTicketsOfOneWeekShowTheLastWithItsOwnCounts) {
    {
        db::Database base(folder.file);
        base.execute(
            "INSERT INTO Historico_Boletas_Calidad (Tecnico, Listatrabajo, Boleta, Fecha_creada, "
            "Fecha_resuelta, prioridad, articulo1, articulo2, articulo3, articulo4, articulo5, "
            "fecha_reconoce, supervisor, fecha_actualiza, comentarios, semana) VALUES ('OB', "
            "'SUR', '4500402', '09/01/26 08:00', '09/01/26 09:00', '10', 3, 3, 2, 3, 3, "
            "'09/01/26 08:30', 'LUIS SUPER', 46031, 'otra', '2')");
    }
    open();
    chooseMonth(0);
    chooseTechnician("OSCAR O'BRIEN");
    EXPECT_EQ(text("txtboleta2"), "4500402");
    EXPECT_EQ(calificaciones(2), "MMBMM");
    EXPECT_EQ(text("txtsat2"), "1");
    EXPECT_EQ(text("txtinsat2"), "4");
    EXPECT_EQ(text("txtsattotal"), "1");
}

TEST_F(Observa, TheYearBoxTakesOnlyNumbersAndLeavingItLoads) {
    open();
    chooseMonth(0);
    auto* txtaño = find<QLineEdit>("txtaño");
    txtaño->setText("20x6");
    EXPECT_EQ(txtaño->text(), "");
    // An empty year finds nothing.
    chooseTechnician("JUAN PEREZ");
    EXPECT_EQ(text("txtboleta1"), "");
    txtaño->setText("2026");
    leave("txtaño");
    EXPECT_EQ(text("txtboleta1"), "4500001");
}

TEST_F(Observa, PlacesTheChosenTicketInTheNextColumnAndRefusesItTwice) {
    open();
    chooseTechnician("JUAN PEREZ");
    place("4500131");
    EXPECT_EQ(text("txtboleta1"), "4500131");
    EXPECT_EQ(multiLine("txtcreada1"), "02/03/26 09:02");
    EXPECT_EQ(find<forms::MaskedBox>("txtrec1fe")->text(), "02/03/26");
    EXPECT_EQ(find<forms::MaskedBox>("txtrec1ho")->text(), "09:02");
    EXPECT_EQ(multiLine("txtres1"), "03/03/26 11:05");
    EXPECT_EQ(text("txtprio1"), "50");
    EXPECT_TRUE(find<forms::UpDown>("flechitas1")->isEnabled());

    place("4500131");
    EXPECT_EQ(lastMessage().text, "La boleta 4500131 ya fue evaluada, seleccione otra.");
    EXPECT_EQ(lastMessage().style, 64);
    EXPECT_EQ(lastMessage().title, "Ternova");
    EXPECT_EQ(text("txtboleta2"), "");

    place("4500140");
    place("4500150");
    place("4500302");  // created in February, resolved in March
    EXPECT_EQ(text("txtboleta4"), "4500302");
    EXPECT_EQ(multiLine("txtres4"), "02/03/26 15:30");
    const auto mensajes = app.messages.shown.size();
    place("bx4500160");
    EXPECT_EQ(app.messages.shown.size(), mensajes + 1);
    EXPECT_EQ(lastMessage().text, "La boleta bx4500160 ya fue evaluada, seleccione otra.");

    // Column 1 emptied by hand: the empty column follows no filled one.
    typeTicket(1, "");
    EXPECT_EQ(multiLine("txtcreada1"), "");
    EXPECT_FALSE(find<forms::UpDown>("flechitas1")->isEnabled());
    place("bx4500160");
    EXPECT_EQ(lastMessage().text, "La boleta bx4500160 ya fue evaluada, seleccione otra.");
    EXPECT_EQ(text("txtboleta1"), "");
}

TEST_F(Observa, ATypedTicketIsLookedUpInSmallLetters) {
    open();
    chooseTechnician("JUAN PEREZ");
    typeTicket(1, "BX4500160");
    EXPECT_EQ(text("txtboleta1"), "bx4500160");
    EXPECT_EQ(multiLine("txtcreada1"), "05/03/26 08:00");
    EXPECT_TRUE(app.messages.shown.empty());
    // Leaving an empty box does nothing.
    leave("txtboleta2");
    EXPECT_TRUE(app.messages.shown.empty());
    // A ticket typed into column 2 while columns 1 and 3 are empty is
    // accepted; typed into column 3 as well, it is refused there.
    typeTicket(1, "");
    typeTicket(2, "4500140");
    EXPECT_EQ(multiLine("txtcreada2"), "03/03/26 08:00");
    EXPECT_TRUE(app.messages.shown.empty());
    typeTicket(3, "4500140");
    EXPECT_EQ(lastMessage().text, "La boleta ya fue evaluada, por favor seleccione otra.");
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_EQ(text("txtboleta3"), "");
    EXPECT_EQ(text("txtboleta2"), "4500140");
}

TEST_F(Observa, RefusedTicketsKeepTheCommentsAndNeverSitBesideAnotherTicketsData) {
    open();
    chooseTechnician("JUAN PEREZ");
    place("4500131");
    auto* txtcomen = find<forms::MultiLineTextBox>("txtcomen");
    txtcomen->setText("notas del mes");

    // Unknown, and already in another column: the box is emptied, the comments stay.
    typeTicket(2, "9999999");
    EXPECT_EQ(lastMessage().text, "La boleta no corresponde al mes o al técnico seleccionado.");
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_EQ(text("txtboleta2"), "");
    typeTicket(2, "4500131");
    EXPECT_EQ(text("txtboleta2"), "");
    EXPECT_EQ(txtcomen->text(), "notas del mes");
    // A quote in a typed number is only part of the number looked up.
    typeTicket(2, "45' or 'a'='a");
    EXPECT_EQ(lastMessage().text, "La boleta no corresponde al mes o al técnico seleccionado.");
    EXPECT_EQ(text("txtboleta2"), "");

    // Another technician's ticket typed over column 1's: the number stays,
    // column 1's other boxes and ratings are emptied, the year follows it.
    imagen(1, 2)->setPicture(find<forms::Image>("bien")->picture());
    find<QLineEdit>("txtaño")->setText("2025");
    typeTicket(1, "4500190");
    EXPECT_EQ(lastMessage().text, "La boleta no corresponde al mes o al técnico seleccionado.");
    EXPECT_EQ(text("txtboleta1"), "4500190");
    EXPECT_EQ(text("txtaño"), "2026");
    EXPECT_EQ(multiLine("txtcreada1"), "");
    EXPECT_EQ(text("txtprio1"), "");
    EXPECT_EQ(find<forms::MaskedBox>("txtrec1fe")->text(), "__/__/__");
    EXPECT_EQ(calificaciones(1), "-----");
    EXPECT_EQ(txtcomen->text(), "notas del mes");

    // Resolved in February while March is chosen: refused as well.
    typeTicket(2, "4500123");
    EXPECT_EQ(text("txtboleta2"), "4500123");
    EXPECT_EQ(multiLine("txtcreada2"), "");

    // Emptying a filled box by hand empties its column and the comments.
    typeTicket(3, "4500140");
    EXPECT_EQ(multiLine("txtcreada3"), "03/03/26 08:00");
    typeTicket(3, "");
    EXPECT_EQ(multiLine("txtcreada3"), "");
    EXPECT_EQ(txtcomen->text(), "");
}

TEST_F(Observa, AnotherAcceptedTicketInAColumnStartsItsRatingsAfresh) {
    open();
    chooseTechnician("JUAN PEREZ");
    place("4500131");
    imagen(1, 3)->setPicture(find<forms::Image>("mal")->picture());
    // Leaving the box again with the same ticket keeps its ratings.
    leave("txtboleta1");
    EXPECT_EQ(calificaciones(1), "--M--");
    typeTicket(1, "4500140");
    EXPECT_EQ(multiLine("txtcreada1"), "03/03/26 08:00");
    EXPECT_EQ(calificaciones(1), "-----");
}

TEST_F(Observa, EnterInATicketBoxMovesOnAndLooksItUp) {
    open();
    chooseTechnician("JUAN PEREZ");
    auto* txtboleta1 = find<QLineEdit>("txtboleta1");
    txtboleta1->setFocus();
    QTest::keyClicks(txtboleta1, "4500140");
    QTest::keyClick(txtboleta1, Qt::Key_Return);
    EXPECT_FALSE(txtboleta1->hasFocus());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(multiLine("txtcreada1"), "03/03/26 08:00");
}

TEST_F(Observa, ADatabaseFailureIsNamedAndTheWindowStaysUsable) {
    open();
    chooseMonth(0);
    {
        db::Database otra(folder.file);
        otra.execute_script(
            "DROP VIEW Boletas_Random_Historico; DROP VIEW Tecnico_All_Information;");
    }
    chooseTechnician("JUAN PEREZ");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_TRUE(
        lastMessage().text.startsWith("No se pudieron leer las evaluaciones guardadas del mes."));
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_EQ(lastMessage().title, "Ternova");
    typeTicket(1, "4500131");
    EXPECT_EQ(app.messages.shown.size(), 2u);
    EXPECT_TRUE(lastMessage().text.startsWith("No se pudo buscar la boleta 4500131."));
    EXPECT_EQ(text("txtboleta1"), "4500131");
    EXPECT_TRUE(window->isVisible());
}

// The week of the tests' sample report, sampled by the weekly run itself.
struct ObservaSemanaGenerada : Observa {
    void escribeDatos(db::Database& base) override {
        base.execute(
            "INSERT INTO TECNICOS (Iniciales, Nombre, ubicacion) VALUES "
            "('JPR', 'JUAN PEREZ', '0'), ('MGL', 'MARIA GARCIA', '0'), "
            "('LRH', 'LUIS RAMOS', '1'), ('ASM', 'ANA SOTO', '1')");
    }
};

TEST_F(ObservaSemanaGenerada, ATicketOfTheWeeklyRunIsPlacedAndRated) {
    namespace fs = std::filesystem;
    open();
    const fs::path semana = folder.folder.path() / "semana";
    fs::create_directories(semana);
    for (const char* plantilla : {"TICKETS_TECNICOS.XLS", "numero_boletas.xls"})
        fs::copy_file(fs::path(PROGRAM_DIR) / plantilla, folder.folder.path() / plantilla);
    fs::copy_file(fs::path(QUALITY_TEST_DATA) / "boletas_resv_car0305.txt",
                  semana / "boletas_resv_car0305.txt");
    app.files.paths.push_back(
        QString::fromStdString((semana / "boletas_resv_car0305.txt").string()));
    quality::Aleatorio aleatorio(11);
    ASSERT_TRUE(quality::generaBoletas(*window, state, {}, &aleatorio));
    // The run showed its progress window; the keyboard comes back here once
    // the program is back in its event loop.
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));

    // MARIA GARCIA's sampled ticket was resolved in March.
    db::Recordset muestra = state.conexion.open_recordset(
        "SELECT Boleta, Fecha_creada, Fecha_resuelta FROM Historico_Boletas_Calidad "
        "WHERE Tecnico = 'MGL'");
    ASSERT_FALSE(muestra.eof());
    const std::string boleta = muestra[0].to_text();
    const QString creada = QString::fromStdString(muestra[1].to_text());
    chooseMonth(2);
    chooseTechnician("MARIA GARCIA");
    EXPECT_EQ(text("txtsat1"), "0");  // sampled, not yet evaluated
    place(boleta);
    EXPECT_EQ(text("txtboleta1"), QString::fromStdString(boleta));
    EXPECT_EQ(text("txtsat1"), "0");  // no other ticket's counts to empty
    EXPECT_EQ(multiLine("txtcreada1"), creada);
    EXPECT_EQ(multiLine("txtres1"), QString::fromStdString(muestra[2].to_text()));
    EXPECT_EQ(find<forms::MaskedBox>("txtrec1fe")->text(), creada.left(8));
    EXPECT_EQ(text("txtaño"), "2026");

    // Acknowledged five minutes after the creation: both time criteria rated.
    auto* hora = find<forms::MaskedBox>("txtrec1ho");
    const QTime cinco = QTime::fromString(creada.right(5), "hh:mm").addSecs(300);
    hora->setFocus();
    hora->setText(cinco.toString("hh:mm"));
    find<QWidget>("txtcomen")->setFocus();
    EXPECT_FALSE(imagen(1, 1)->shows(find<forms::Image>("blanco")->picture()));
    EXPECT_FALSE(imagen(1, 4)->shows(find<forms::Image>("blanco")->picture()));
    EXPECT_EQ(text("txtsat1").toInt() + text("txtinsat1").toInt(), 2);
}

}  // namespace
