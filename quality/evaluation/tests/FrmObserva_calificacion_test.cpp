// The evaluation window rating a week: the acknowledgement entered in its
// boxes and arrows, criteria 1 and 4 computed from it, the clicks on
// criteria 2, 3 and 5 and the rating-change dialog, the counters and the
// month's share; then the save, the printing and the closing.

#include <QApplication>
#include <QLabel>
#include <QToolButton>

#include <regex>

#include "FrmCambioArticulo.h"
#include "observa_fixture.h"
#include "process.h"
#include "temp_dir.h"

namespace {

using namespace observa_test;

// JUAN PEREZ's 4500140, priority 20: created 03/03/26 08:00, resolved at
// 09:00; its band allows 15 minutes to acknowledge and 120 to resolve.
struct Calificacion : Observa {
    void SetUp() override {
        Observa::SetUp();
        open();
        chooseTechnician("JUAN PEREZ");
        place("4500140");
    }
    forms::MaskedBox* caja(int semana, const char* cual) {
        return find<forms::MaskedBox>(QString("txtrec%1%2").arg(semana).arg(cual));
    }
    // The supervisor types the acknowledgement's time and leaves the box.
    void acknowledge(int semana, const QString& hora) {
        caja(semana, "ho")->setFocus();
        caja(semana, "ho")->setText(hora);
        find<QWidget>("txtcomen")->setFocus();
    }
    void click(int semana, int articulo) {
        QTest::mouseClick(imagen(semana, articulo), Qt::LeftButton);
    }
    // The counters of every week say what its pictures show.
    void expectCountersMatchRatings() {
        for (int w = 1; w <= 4; ++w) {
            const QString letras = calificaciones(w);
            const QString sat = text(QString("txtsat%1").arg(w));
            const QString insat = text(QString("txtinsat%1").arg(w));
            if (sat.isEmpty() && insat.isEmpty() && letras == "-----")
                continue;
            EXPECT_EQ(sat.toInt(), letras.count('B')) << "week " << w;
            EXPECT_EQ(insat.toInt(), letras.count('M')) << "week " << w;
        }
    }
    runtime::Value saved(const char* boleta, const char* columna) {
        db::Database base(folder.file);
        return base.scalar(
            std::string("SELECT ") + columna + " FROM Historico_Boletas_Calidad WHERE Boleta = ?",
            {runtime::Value(boleta)});
    }
};

TEST_F(Calificacion, TheAcknowledgementRatesCriteria1And4FromThePriorityLimits) {
    struct Caso {
        const char* hora;
        const char* calificadas;
    } casos[] = {
        {"08:15", "B--B-"},  // at the limit
        {"08:16", "M--B-"},  // one minute past it
        {"09:00", "M--B-"},  // at the resolution's minute
    };
    for (const Caso& caso : casos) {
        acknowledge(1, caso.hora);
        EXPECT_EQ(calificaciones(1), caso.calificadas) << caso.hora;
        expectCountersMatchRatings();
    }
    EXPECT_EQ(text("txtsat1"), "1");
    EXPECT_EQ(text("txtinsat1"), "1");
    EXPECT_EQ(text("txtsattotal"), "1");
    EXPECT_EQ(text("txtinsattotal"), "1");
    EXPECT_EQ(text("txttotal"), "50.0%");
    EXPECT_TRUE(app.messages.shown.empty());

    // A minute past the resolution: refused, criterion 1 not rated, the box emptied.
    acknowledge(1, "09:01");
    EXPECT_EQ(lastMessage().text, "La hora no es válida.");
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_EQ(caja(1, "ho")->text(), "__:__");
    EXPECT_EQ(calificaciones(1).left(1), "-");
    expectCountersMatchRatings();
}

TEST_F(Calificacion, AnAcknowledgementAtTheCreationsMinuteIsAskedAbout) {
    const QString pregunta =
        "La fecha de creación de la boleta y la fecha de reconocimiento son iguales.\r¿Es "
        "correcto?";
    // The boxes start at the creation: leaving the time box asks.
    app.messages.answer({forms::msg::No});
    acknowledge(1, "08:00");
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(lastMessage().text, pregunta);
    EXPECT_EQ(lastMessage().style, 36);
    EXPECT_EQ(calificaciones(1), "-----");
    // Without a Yes, leaving the date box does nothing.
    leave("txtrec1fe");
    EXPECT_EQ(app.messages.shown.size(), 1u);

    app.messages.answer({forms::msg::Yes});
    acknowledge(1, "08:00");
    EXPECT_EQ(calificaciones(1), "B--B-");
    // After the Yes the date box's leaving checks and rates as well.
    caja(1, "fe")->setFocus();
    caja(1, "fe")->setText("04/03/26");
    find<QWidget>("txtcomen")->setFocus();
    EXPECT_EQ(lastMessage().text, "La fecha no es válida.");
    EXPECT_EQ(caja(1, "fe")->text(), "__/__/__");
    EXPECT_EQ(calificaciones(1), "---B-");
    expectCountersMatchRatings();
}

TEST_F(Calificacion, ARefusedAcknowledgementEmptiesItsBoxAndGivesItTheFocus) {
    struct Caso {
        const char* fecha;
        const char* hora;
        const char* mensaje;  // nullptr: a beep
        const char* caja;
    } casos[] = {
        {"1_/__/__", "08:10", nullptr, "fe"},
        {"02/03/26", "08:10", "La fecha no es válida.", "fe"},
        {"03/03/26", "07:59", "La hora no es válida.", "ho"},
        {"03/03/26", "12:60", nullptr, "ho"},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(std::string(caso.fecha) + " " + caso.hora);
        const auto mensajes = app.messages.shown.size();
        const int beeps = app.beeps.count;
        caja(1, "fe")->setText(caso.fecha);
        acknowledge(1, caso.hora);
        if (caso.mensaje) {
            ASSERT_EQ(app.messages.shown.size(), mensajes + 1);
            EXPECT_EQ(lastMessage().text, caso.mensaje);
            EXPECT_EQ(lastMessage().style, 16);
        } else {
            EXPECT_EQ(app.messages.shown.size(), mensajes);
            EXPECT_EQ(app.beeps.count, beeps + 1);
        }
        EXPECT_EQ(caja(1, caso.caja)->text(), caja(1, caso.caja)->emptyText());
        EXPECT_TRUE(caja(1, caso.caja)->hasFocus());
        EXPECT_EQ(calificaciones(1), "-----");
    }
}

TEST_F(Calificacion, TheArrowsStepTheBoxLastFocusedWithinTheTicketsSpan) {
    auto* flechitas = find<forms::UpDown>("flechitas1");
    // No box had the focus yet: nothing, not even a beep.
    QTest::mouseClick(flechitas->upArrow(), Qt::LeftButton);
    EXPECT_EQ(app.beeps.count, 0);
    EXPECT_EQ(caja(1, "ho")->text(), "08:00");

    // The date at the creation day cannot go back, nor past the resolution day.
    caja(1, "fe")->setFocus();
    QTest::mouseClick(flechitas->downArrow(), Qt::LeftButton);
    EXPECT_EQ(app.beeps.count, 1);
    QTest::mouseClick(flechitas->upArrow(), Qt::LeftButton);
    EXPECT_EQ(app.beeps.count, 2);
    EXPECT_EQ(caja(1, "fe")->text(), "03/03/26");
    EXPECT_TRUE(caja(1, "fe")->hasFocus());

    // The time: not before the creation minute. Leaving the time box for the
    // arrows asks the same-minute question first.
    app.messages.answer({forms::msg::No, forms::msg::No});
    caja(1, "ho")->setFocus();
    QTest::mouseClick(flechitas->downArrow(), Qt::LeftButton);
    EXPECT_EQ(app.beeps.count, 3);
    QTest::mouseClick(flechitas->upArrow(), Qt::LeftButton);
    EXPECT_EQ(caja(1, "ho")->text(), "08:01");
    EXPECT_TRUE(caja(1, "ho")->hasFocus());
}

TEST_F(Calificacion, TabLeavesTheTimeBoxPastItsArrows) {
    app.messages.answer({forms::msg::No});
    caja(1, "ho")->setFocus();
    QTest::keyClick(caja(1, "ho"), Qt::Key_Tab);
    EXPECT_FALSE(caja(1, "ho")->hasFocus());
    EXPECT_FALSE(find<forms::UpDown>("flechitas1")->hasFocus());
    // A click on the arrows still steps the box last focused.
    QTest::mouseClick(find<forms::UpDown>("flechitas1")->upArrow(), Qt::LeftButton);
    EXPECT_EQ(caja(1, "ho")->text(), "08:01");
    EXPECT_TRUE(caja(1, "ho")->hasFocus());
}

TEST_F(Calificacion, AnAcknowledgementBeforeTheCreationLeavesTheTimeCriteriaUnrated) {
    // What the window shows while each message is on the screen.
    struct Mirada : forms::MessageBox {
        std::function<QString()> ventana;
        std::vector<std::pair<QString, QString>> vistos;
        int show(const QString& text, int, const QString&) override {
            vistos.emplace_back(text, ventana());
            return forms::msg::Yes;
        }
    };
    auto mirada = std::make_unique<Mirada>();
    Mirada& mensajes = *mirada;
    mensajes.ventana = [this] {
        return calificaciones(1) + " " + text("txtsat1") + "/" + text("txtinsat1");
    };
    window->program().services().messageBox = std::move(mirada);
    acknowledge(1, "08:00");  // the creation's minute: Yes
    click(1, 2);
    ASSERT_EQ(calificaciones(1), "BB-B-");
    // From the date box the times of day are not checked; the rating's own
    // order test refuses a minute before the creation.
    caja(1, "fe")->setFocus();
    caja(1, "ho")->setText("07:59");
    find<QWidget>("txtcomen")->setFocus();
    ASSERT_EQ(mensajes.vistos.size(), 2u);
    EXPECT_EQ(mensajes.vistos[1].first, "El tiempo o la fecha de reconocimiento es incorrecto.");
    EXPECT_EQ(mensajes.vistos[1].second, "-B--- 1/0");
    expectCountersMatchRatings();
}

TEST_F(Calificacion, ClicksRateCriteria235InTurnAndTheCountersFollow) {
    // Before the acknowledgement is rated the boxes are filled: clicks rate.
    acknowledge(1, "08:10");
    const char* vueltas[] = {"BB-B-", "BM-B-", "B--B-"};
    for (const char* esperado : vueltas) {
        click(1, 2);
        EXPECT_EQ(calificaciones(1), esperado);
        expectCountersMatchRatings();
    }
    click(1, 3);
    click(1, 5);
    click(1, 5);
    EXPECT_EQ(calificaciones(1), "B-BBM");
    expectCountersMatchRatings();
    EXPECT_EQ(text("txttotal"), "75.0%");

    // Criteria 1 and 4 satisfactory: a click does nothing, not even a comment.
    click(1, 1);
    click(1, 4);
    EXPECT_EQ(calificaciones(1), "B-BBM");
    EXPECT_EQ(multiLine("txtcomen"), "");
    EXPECT_TRUE(app.modal.shown.isEmpty());

    // A week without its ticket's data takes no clicks.
    click(2, 2);
    EXPECT_EQ(calificaciones(2), "-----");
    EXPECT_EQ(text("txtsat2"), "0");
}

TEST_F(Calificacion, AnUnsatisfactoryTimeCriterionIsOverturnedThroughTheDialog) {
    acknowledge(1, "08:30");
    ASSERT_EQ(calificaciones(1), "M--B-");
    // Cancelled: the criterion stays, the comment keeps the ticket's line.
    app.modal.whenShown(
        [](forms::Form& dialogo) { dialogo.findChild<QPushButton*>("cmdcance")->click(); });
    click(1, 1);
    EXPECT_EQ(app.modal.shown, QStringList{"FrmCambioArticulo"});
    EXPECT_EQ(calificaciones(1), "M--B-");
    EXPECT_EQ(multiLine("txtcomen"), "1) Boleta 4500140");
    expectCountersMatchRatings();

    app.modal.whenShown([](forms::Form& dialogo) {
        dialogo.findChild<forms::MultiLineTextBox*>("txtcausa")->setText("llamada perdida");
        dialogo.findChild<QPushButton*>("cmdacep")->click();
    });
    click(1, 1);
    EXPECT_EQ(calificaciones(1), "B--B-");
    EXPECT_EQ(multiLine("txtcomen"), QString("1) Boleta 45001401) Boleta 4500140 cambiada por "
                                             "llamada perdida.") +
                                         QChar(10) + QChar(13));
    EXPECT_EQ(text("txtsat1"), "2");
    EXPECT_EQ(text("txtinsat1"), "0");
    expectCountersMatchRatings();
}

TEST_F(Calificacion, ASavedWeekIsWrittenLockedAndShowsLockedWhenChosenAfresh) {
    acknowledge(1, "08:10");
    click(1, 2);
    click(1, 3);
    click(1, 3);
    click(1, 5);
    ASSERT_EQ(calificaciones(1), "BBMBB");
    find<forms::MultiLineTextBox>("txtcomen")->setText("mes revisado");
    // Week 2 holds a ticket not yet rated: week 1 alone is written.
    place("4500150");
    press("cmdActualiza");
    EXPECT_EQ(lastMessage().text, "Los registros fueron guardados exitosamente.");
    EXPECT_EQ(lastMessage().style, 64);

    const std::pair<const char*, runtime::Value> filas[] = {
        {"articulo1", runtime::Value(2)},
        {"articulo2", runtime::Value(2)},
        {"articulo3", runtime::Value(3)},
        {"articulo4", runtime::Value(2)},
        {"articulo5", runtime::Value(2)},
        {"fecha_reconoce", runtime::Value("03/03/26 08:10")},
        {"supervisor", runtime::Value("ANA SUPERVISORA")},
        {"comentarios", runtime::Value("mes revisado")},
        {"semana", runtime::Value("1")}};
    for (const auto& [columna, valor] : filas)
        EXPECT_EQ(saved("4500140", columna).to_text(), valor.to_text()) << columna;
    EXPECT_EQ(saved("4500140", "fecha_actualiza").to_date(), runtime::date_serial(2026, 3, 15));
    EXPECT_TRUE(saved("4500150", "semana").is_null());
    // The week is locked; the other stays open.
    EXPECT_TRUE(find<QLineEdit>("txtboleta1")->isReadOnly());
    EXPECT_FALSE(caja(1, "fe")->isEnabled());
    EXPECT_FALSE(imagen(1, 2)->isEnabled());
    EXPECT_TRUE(imagen(2, 2)->isEnabled());
    EXPECT_TRUE(find<QPushButton>("cmdActualiza")->isEnabled());

    // Chosen afresh: week 1 loaded locked, as it was saved.
    chooseMonth(1);
    chooseMonth(2);
    EXPECT_EQ(text("txtboleta1"), "4500140");
    EXPECT_EQ(calificaciones(1), "BBMBB");
    EXPECT_EQ(caja(1, "ho")->text(), "08:10");
    EXPECT_FALSE(imagen(1, 2)->isEnabled());
    EXPECT_EQ(text("txtboleta2"), "");
    EXPECT_EQ(multiLine("txtcomen"), "mes revisado");
    expectCountersMatchRatings();
}

TEST_F(Calificacion, AnAcknowledgementEditedAfterItsRatingIsRatedAgainBeforeItIsSaved) {
    // 4500302, priority 40 (30 minutes to acknowledge), created 27/02/26
    // 11:11, resolved 02/03/26 15:30.
    place("4500302");
    acknowledge(2, "11:20");
    ASSERT_EQ(calificaciones(2).left(1), "B");
    for (int k : {2, 3, 5})
        click(2, k);
    // The date moved on a day; without a Yes its box's leaving checks nothing.
    caja(2, "fe")->setFocus();
    caja(2, "fe")->setText("28/02/26");
    find<QWidget>("txtcomen")->setFocus();
    ASSERT_EQ(calificaciones(2).left(1), "B");
    press("cmdActualiza");
    EXPECT_EQ(lastMessage().text, "Los registros fueron guardados exitosamente.");
    // Written and shown as rated from the acknowledgement written.
    EXPECT_EQ(saved("4500302", "fecha_reconoce").to_text(), "28/02/26 11:20");
    EXPECT_EQ(saved("4500302", "articulo1").to_text(), "3");
    EXPECT_EQ(calificaciones(2).left(1), "M");
    expectCountersMatchRatings();
}

TEST_F(Calificacion, NothingToSaveIsSaidSo) {
    // Week 1 not rated: nothing written, and the message says which week and why.
    press("cmdActualiza");
    EXPECT_TRUE(lastMessage().text.startsWith("No se guardó ningún registro"))
        << lastMessage().text.toStdString();
    EXPECT_EQ(lastMessage().style, 64);
    EXPECT_FALSE(find<QLineEdit>("txtboleta1")->isReadOnly());
    EXPECT_TRUE(saved("4500140", "semana").is_null());
    // An empty first column: nothing at all, whatever the others hold.
    place("4500150");
    typeTicket(1, "");
    press("cmdActualiza");
    EXPECT_EQ(lastMessage().text, "No hay registros que actualizar.");
    EXPECT_EQ(lastMessage().style, 64);
}

TEST_F(Calificacion, PrintingShowsTheTechniciansNameTallerWithoutButtonsAndRestoresTheWindow) {
    struct Mirada : forms::Printer {
        std::function<bool(const QImage&)> alImprimir;
        void showSetup() override {}
        bool printImage(const QImage& image, const QString&) override { return alImprimir(image); }
    };
    auto mirada = std::make_unique<Mirada>();
    Mirada& printer = *mirada;
    const int alto = window->heightTwips();
    bool vista = false;
    printer.alImprimir = [&](const QImage& image) {
        vista = true;
        for (const char* boton :
             {"cmdActualiza", "cmdImprime", "cmdconfig", "cmdsalir", "cmdcoloca"})
            EXPECT_FALSE(find<QPushButton>(boton)->isVisible()) << boton;
        EXPECT_FALSE(find<QWidget>("cmbtecnicos")->isVisible());
        EXPECT_EQ(text("txttecnico"), "JUAN PEREZ");
        EXPECT_TRUE(find<QWidget>("txttecnico")->isVisible());
        EXPECT_NEAR(window->heightTwips(), 11150, 15);  // whole pixels
        EXPECT_EQ(image.height(), window->client()->height());
        return true;
    };
    window->program().services().printer = std::move(mirada);
    press("cmdImprime");
    EXPECT_TRUE(vista);
    EXPECT_EQ(window->heightTwips(), alto);
    for (const char* visible :
         {"cmdActualiza", "cmdImprime", "cmdconfig", "cmdsalir", "cmdcoloca", "cmbtecnicos"})
        EXPECT_TRUE(find<QWidget>(visible)->isVisible()) << visible;
    EXPECT_EQ(text("txttecnico"), "JUAN PEREZ");
    EXPECT_TRUE(app.messages.shown.empty());

    // A failing print says so and leaves the window as printing found it.
    find<forms::DataCombo>("cmbtecnicos")->setText("MARIA GOMEZ");
    printer.alImprimir = [](const QImage&) { return false; };
    press("cmdImprime");
    EXPECT_EQ(lastMessage().style, 16);
    EXPECT_EQ(text("txttecnico"), "JUAN PEREZ");
    EXPECT_EQ(window->heightTwips(), alto);
    EXPECT_TRUE(find<QWidget>("cmdImprime")->isVisible());
}

TEST_F(Calificacion, PrintingByAClickLeavesTheFocusWhereTheUserHadIt) {
    acknowledge(1, "08:10");
    click(1, 2);
    auto* cmdImprime = find<QPushButton>("cmdImprime");
    QWidget* enfocado = nullptr;
    struct Mirada : forms::Printer {
        std::function<void()> alImprimir;
        void showSetup() override {}
        bool printImage(const QImage&, const QString&) override {
            alImprimir();
            return true;
        }
    };
    auto mirada = std::make_unique<Mirada>();
    mirada->alImprimir = [&] { enfocado = QApplication::focusWidget(); };
    window->program().services().printer = std::move(mirada);
    QTest::mouseClick(cmdImprime, Qt::LeftButton);
    // No box holds the focus (nor its caret) on the page.
    EXPECT_FALSE(qobject_cast<QLineEdit*>(enfocado)) << enfocado->objectName().toStdString();
    EXPECT_TRUE(cmdImprime->hasFocus());
    // Moving on from the button leaves the unsaved week as it was.
    find<QWidget>("txtcomen")->setFocus();
    EXPECT_EQ(text("txtboleta1"), "4500140");
    EXPECT_EQ(calificaciones(1), "BB-B-");
}

TEST_F(Calificacion, APrintedPdfShowsTheEvaluationWithTheTechniciansName) {
    testsupport::TempDir dir;
    const std::string pdf = (dir.path() / "evaluacion.pdf").string();
    window->program().services().printer =
        std::make_unique<forms::QtPrinter>(QString::fromStdString(pdf));
    find<forms::DataCombo>("cmbtecnicos")->setText("OSCAR O'BRIEN");
    press("cmdImprime");
    EXPECT_TRUE(app.messages.shown.empty());
    testsupport::ProcessSpec pdftotext;
    pdftotext.program = "pdftotext";
    pdftotext.args = {pdf, "-"};
    pdftotext.env = {{"PATH", "/usr/bin:/bin"}};
    const testsupport::ProcessResult leido = testsupport::run_process(pdftotext);
    ASSERT_EQ(leido.status, 0) << leido.err;
    EXPECT_NE(leido.out.find("OSCAR O'BRIEN"), std::string::npos) << leido.out;
    EXPECT_NE(leido.out.find("BOLETA DE VIV - OBSERVACIONES DE"), std::string::npos);
    // The buttons are not on the page.
    EXPECT_EQ(leido.out.find("Imprimir"), std::string::npos);
}

TEST_F(Calificacion, ThePrinterSetUpAndTheExit) {
    press("cmdconfig");
    EXPECT_EQ(app.printer.setups, 1);
    press("cmdsalir");
    EXPECT_EQ(app.find<quality::FrmObserva>(), nullptr);
}

}  // namespace
