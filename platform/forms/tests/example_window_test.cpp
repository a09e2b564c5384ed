// The example window's tests: how a window is tested through the services.

#include "example_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "qt_printers.h"
#include "status_bar.h"
#include "test_program.h"
#include "text_box.h"

namespace {

using forms::msg::No;
using forms::msg::Yes;
using formstest::FrmNota;
using formstest::Nota;

struct NoteWindow : ::testing::Test {
    forms::TestProgram app{"Ternova"};
    std::vector<Nota> notas;
    FrmNota* window = app.show<FrmNota>(forms::Modeless, notas);

    template <class T>
    T* find(const char* name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void fill(const QString& boleta, const QString& nota) {
        find<QLineEdit>("txtboleta")->setText(boleta);
        find<QLineEdit>("txtnota")->setText(nota);
    }
};

TEST_F(NoteWindow, OpensWithTheFirstRatingChosenFromCode) {
    EXPECT_TRUE(find<QRadioButton>("Option1(0)")->isChecked());
    EXPECT_EQ(find<QLabel>("lblcalif")->text(), "Satisfactorio");
    EXPECT_EQ(find<forms::StatusBar>("sbStatusBar")->panelText(1), "Escriba la nota");
    EXPECT_FALSE(find<QPushButton>("cmdguardar")->isEnabled());
}

TEST_F(NoteWindow, SaveFollowsBothBoxes) {
    auto* save = find<QPushButton>("cmdguardar");
    find<QLineEdit>("txtboleta")->setText("a123");
    EXPECT_FALSE(save->isEnabled());
    find<QLineEdit>("txtnota")->setText("Bien resuelta");
    EXPECT_TRUE(save->isEnabled());
    find<QLineEdit>("txtboleta")->setText("");
    EXPECT_FALSE(save->isEnabled());
}

TEST_F(NoteWindow, SavesOnlyAfterYes) {
    find<QRadioButton>("Option1(1)")->setChecked(true);
    fill("a123", "Sin cierre");
    app.messages.answer({No, Yes});

    find<QPushButton>("cmdguardar")->click();
    EXPECT_TRUE(notas.empty());
    EXPECT_TRUE(app.isLoaded(window));

    find<QPushButton>("cmdguardar")->click();
    ASSERT_EQ(notas.size(), 1u);
    EXPECT_EQ(notas[0].boleta, "a123");
    EXPECT_EQ(notas[0].calificacion, "No satisfactorio");
    ASSERT_EQ(app.messages.shown.size(), 3u);
    EXPECT_EQ(app.messages.shown[0].text, "¿Desea guardar la nota de la boleta a123?");
    EXPECT_EQ(app.messages.shown[0].style, 36);
    EXPECT_EQ(app.messages.shown[0].title, "Ternova");
    EXPECT_EQ(app.messages.shown[2].text, "La nota fue guardada.");
    EXPECT_EQ(app.messages.shown[2].style, 64);
    EXPECT_FALSE(app.isLoaded(window));
}

TEST_F(NoteWindow, EnterInTheNoteSaves) {
    fill("a123", "Bien");
    app.messages.answer({Yes});
    QTest::keyClick(find<QLineEdit>("txtnota"), Qt::Key_Return);
    EXPECT_EQ(notas.size(), 1u);
}

TEST_F(NoteWindow, LeavingTheTicketBoxPutsItInSmallLetters) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* boleta = find<QLineEdit>("txtboleta");
    boleta->setFocus();
    QTest::keyClicks(boleta, "A123B");
    QTest::keyClick(boleta, Qt::Key_Tab);
    EXPECT_EQ(boleta->text(), "a123b");
}

TEST_F(NoteWindow, ClosingSavesThePlacementUnlessMinimised) {
    window->setPlacement({1200, 900, 6000, 4500});
    find<QPushButton>("cmdsalir")->click();
    EXPECT_EQ(app.settings.getSetting("Ternova", "Settings", "NotaLeft"), "1200");
    EXPECT_EQ(app.settings.getSetting("Ternova", "Settings", "NotaHeight"), "4500");

    forms::TestProgram another;
    std::vector<Nota> none;
    FrmNota* minimised = another.show<FrmNota>(forms::Modeless, none);
    minimised->setWindowState(Qt::WindowMinimized);
    minimised->close();  // the close box
    EXPECT_FALSE(another.isLoaded(minimised));
    EXPECT_EQ(another.settings.saveCount(), 0);
}

}  // namespace
