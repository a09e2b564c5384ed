#include "controls.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "form.h"
#include "qt_printers.h"
#include "status_bar.h"
#include "test_program.h"
#include "text_box.h"

namespace {

// A window with two boxes, for the focus and key tests.
struct TwoBoxes : forms::Form {
    explicit TwoBoxes(forms::Program& p) : Form(p, "TwoBoxes") {
        first = forms::control<forms::TextBox>("txtboleta1", client());
        second = forms::control<forms::TextBox>("txtboleta2", client());
        forms::placeTwips(first, 120, 120, 1035, 285);
        forms::placeTwips(second, 120, 600, 1035, 285);
        setClientSizeTwips(3000, 1500);
    }
    forms::TextBox* first;
    forms::TextBox* second;
};

// Shows the window and waits until it has the keyboard.
TwoBoxes* shownAndActive(forms::TestProgram& app) {
    TwoBoxes* window = app.show<TwoBoxes>(forms::Modeless);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    return window;
}

TEST(Controls, ChangeRunsForTypedTextAndForTextSetByCode) {
    forms::TextBox box;
    QStringList changes;
    QObject::connect(&box, &forms::TextBox::changed, [&](const QString& t) { changes << t; });
    box.setText("a123");
    box.setText("a123");  // the same text is no change
    QTest::keyClicks(&box, "4");
    box.setText("");
    EXPECT_EQ(changes, QStringList({"a123", "a1234", ""}));
}

TEST(Controls, AnOptionSetFromCodeRunsItsClick) {
    QWidget frame;
    auto* first = forms::control<QRadioButton>(forms::arrayName("Option1", 0), &frame);
    auto* second = forms::control<QRadioButton>(forms::arrayName("Option1", 1), &frame);
    QStringList clicks;
    forms::onOptionClick(first, [&] { clicks << "0"; });
    forms::onOptionClick(second, [&] { clicks << "1"; });

    first->setChecked(true);  // by code
    second->click();          // by the user: option 0 is cleared, without a click
    first->setChecked(true);
    EXPECT_EQ(clicks, QStringList({"0", "1", "0"}));
    EXPECT_EQ(frame.findChild<QRadioButton*>("Option1(1)"), second);
    EXPECT_FALSE(second->isChecked());
}

TEST(Controls, ACheckBoxRunsItsClickOnEveryChangeOfItsValue) {
    QCheckBox box;
    int clicks = 0;
    forms::onCheckClick(&box, [&] { ++clicks; });
    box.setChecked(true);
    box.setChecked(true);
    box.click();
    EXPECT_EQ(clicks, 2);
}

TEST(Controls, LeaveRunsWhenTheFocusMovesWithinTheWindow) {
    forms::TestProgram app;
    TwoBoxes* window = shownAndActive(app);
    QStringList events;
    forms::onLostFocus(window->first, [&] { events << "first.LostFocus"; });
    forms::onGotFocus(window->second, [&] { events << "second.GotFocus"; });
    window->first->setFocus();
    QTest::keyClick(window->first, Qt::Key_Tab);
    EXPECT_TRUE(window->second->hasFocus());
    window->first->setFocus();  // by code, as the windows do after a refusal
    EXPECT_EQ(events, QStringList({"first.LostFocus", "second.GotFocus"}));
}

TEST(Controls, LeaveDoesNotRunBecauseAMessageBoxOpened) {
    forms::TestProgram app;
    TwoBoxes* window = shownAndActive(app);
    window->first->setFocus();
    ASSERT_TRUE(window->first->hasFocus());
    QStringList events;
    forms::onLostFocus(window->first, [&] { events << "first.LostFocus"; });
    forms::onGotFocus(window->first, [&] { events << "first.GotFocus"; });

    // A real message box takes the keyboard, then gives it back.
    QMessageBox box(QMessageBox::Information, "Ternova", "La fecha no es válida.", QMessageBox::Ok,
                    window);
    box.open();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return box.isActiveWindow() && !window->first->hasFocus(); }));
    box.accept();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->first->hasFocus(); }));
    EXPECT_TRUE(events.isEmpty()) << events.join(", ").toStdString();

    // The same box still reports a move within its window.
    QTest::keyClick(window->first, Qt::Key_Tab);
    EXPECT_EQ(events, QStringList({"first.LostFocus"}));
}

TEST(Controls, KeyPressSeesTheOldCodesAndCanSwallowOrReplaceAKey) {
    forms::TextBox box;
    std::vector<int> codes;
    forms::onKeyPress(&box, [&](int& keyAscii) {
        codes.push_back(keyAscii);
        if (keyAscii == 'x')
            keyAscii = 0;  // refused
        else if (keyAscii >= 'a' && keyAscii <= 'z')
            keyAscii -= 'a' - 'A';  // typed in capitals
    });
    int enters = 0;
    QObject::connect(&box, &QLineEdit::returnPressed, [&] { ++enters; });
    QTest::keyClicks(&box, "ax1");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Left);  // types nothing: no KeyPress
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(codes, (std::vector<int>{'a', 'x', '1', 13, 8}));
    EXPECT_EQ(box.text(), "1");  // "A1", then the character before the cursor erased
    EXPECT_EQ(enters, 1);        // Enter is not swallowed
}

TEST(Controls, AcceleratorsPressButtonsAndMoveToALabelsBox) {
    forms::TestProgram app;
    TwoBoxes* window = app.load<TwoBoxes>();
    auto* accept = forms::control<QPushButton>("cmdaceptar", window->client());
    accept->setText("&Aceptar");
    forms::placeTwips(accept, 1500, 120, 1215, 375);
    auto* label = forms::control<QLabel>("Label1", window->client());
    label->setText("&Boleta:");
    label->setBuddy(window->second);
    int clicks = 0;
    QObject::connect(accept, &QPushButton::clicked, [&] { ++clicks; });
    app.show(*window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->first->setFocus();

    // The button shows itself pressed for a moment, then clicks.
    QTest::keyClick(window, Qt::Key_A, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return clicks == 1; }));
    QTest::keyClick(window, Qt::Key_B, Qt::AltModifier);
    EXPECT_TRUE(window->second->hasFocus());
}

TEST(TextBox, PasswordCharacterShowsStarsAndKeepsTheText) {
    forms::TextBox box;
    box.setPasswordChar('*');
    QTest::keyClicks(&box, "clave");
    EXPECT_EQ(box.text(), "clave");
    EXPECT_EQ(box.displayText(), "*****");
    box.setPasswordChar(QChar());
    EXPECT_EQ(box.displayText(), "clave");
}

TEST(TextBox, ALockedBoxTakesNoTypingButCodeStillSetsIt) {
    forms::TextBox box;
    box.setText("15");
    box.setLocked(true);
    QTest::keyClicks(&box, "9");
    EXPECT_EQ(box.text(), "15");
    box.setText("30");
    EXPECT_EQ(box.text(), "30");
    EXPECT_TRUE(box.locked());
    EXPECT_NE(box.focusPolicy(), Qt::NoFocus);
}

TEST(TextBox, TextSetByCodeShowsItsStartAndTypingKeepsTheCursor) {
    forms::TextBox box;
    box.resize(60, 24);
    box.setText("CENTRAL SUR - INSTALACION");
    EXPECT_EQ(box.cursorPosition(), 0);
    box.setCursorPosition(box.text().size());
    QTest::keyClicks(&box, "ES");
    EXPECT_EQ(box.text(), "CENTRAL SUR - INSTALACIONES");
    EXPECT_EQ(box.cursorPosition(), box.text().size());
    box.setText("CENTRAL NORTE - REPARACION");
    EXPECT_EQ(box.cursorPosition(), 0);
}

TEST(MultiLineTextBox, KeepsTheLineEndsCodeWroteAndReadsTypedLinesAsCrLf) {
    forms::MultiLineTextBox box;
    QStringList changes;
    QObject::connect(&box, &forms::MultiLineTextBox::changed,
                     [&](const QString& t) { changes << t; });
    const QString comment = "1) Boleta a1 cambiada por motivo.\n\r";
    box.setText(comment);
    box.setText(comment);
    EXPECT_EQ(box.text(), comment);
    EXPECT_EQ(box.toPlainText(), "1) Boleta a1 cambiada por motivo.\n");
    EXPECT_EQ(changes.size(), 1);

    box.clear();
    QTest::keyClicks(&box, "uno");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClicks(&box, "dos");
    EXPECT_EQ(box.text(), "uno\r\ndos");
    EXPECT_EQ(changes.last(), "uno\r\ndos");
}

TEST(StatusBar, HasNumberedPanelsWithTextAndAlignment) {
    forms::StatusBar bar;
    bar.setPanelCount(3);
    ASSERT_EQ(bar.panelCount(), 3);
    bar.setPanelText(1, "Generando Archivos...");
    bar.setPanelAlignment(1, forms::StatusBar::Centre);
    EXPECT_EQ(bar.panelText(1), "Generando Archivos...");
    EXPECT_EQ(bar.findChild<QLabel*>("Panel1"), bar.panel(1));
    EXPECT_TRUE(bar.panel(1)->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(bar.panelText(3), "");
    EXPECT_THROW(bar.panel(0), std::out_of_range);
    EXPECT_THROW(bar.panel(4), std::out_of_range);
}

TEST(Menus, EveryMenuAndEntryIsAnActionUnderItsOldName) {
    forms::TestProgram app;
    TwoBoxes* window = app.load<TwoBoxes>();
    QMenu* file = forms::addMenu(window->menuBar(), "mnuarch", "&Archivo");
    QMenu* technicians = forms::addMenu(file, "mnutecnico", "&Técnico");
    QAction* add = forms::addMenuItem(technicians, "mnutecagr", "&Agregar");
    forms::addSeparator(file, "mnuraya");
    QAction* exit = forms::addMenuItem(file, "mnusalir", "&Salir");
    int exits = 0;
    QObject::connect(exit, &QAction::triggered, [&] { ++exits; });

    QAction* submenu = window->findChild<QAction*>("mnutecnico");
    ASSERT_NE(submenu, nullptr);
    submenu->setEnabled(false);
    EXPECT_FALSE(technicians->menuAction()->isEnabled());
    EXPECT_EQ(window->findChild<QAction*>("mnutecagr"), add);
    EXPECT_TRUE(window->findChild<QAction*>("mnuraya")->isSeparator());
    window->findChild<QAction*>("mnusalir")->trigger();
    EXPECT_EQ(exits, 1);
}

}  // namespace
