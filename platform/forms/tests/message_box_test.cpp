#include "message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include "modal_helper.h"
#include "qt_printers.h"

namespace {

struct StyleCase {
    int style;
    std::vector<int> answers;
    int defaultAnswer;
};

TEST(MessageBoxStyle, ChoosesButtonsAndDefaultAnswer) {
    using namespace forms::msg;
    const StyleCase cases[] = {
        {OkOnly, {Ok}, Ok},
        {Critical, {Ok}, Ok},
        {Exclamation, {Ok}, Ok},
        {Information, {Ok}, Ok},
        {YesNo | Question, {Yes, No}, Yes},  // 36
        {YesNo | Question | DefaultButton2, {Yes, No}, No},
        {YesNoCancel | DefaultButton3, {Yes, No, Cancel}, Cancel},
        {OkCancel, {Ok, Cancel}, Ok},
        {AbortRetryIgnore, {Abort, Retry, Ignore}, Abort},
        {RetryCancel | DefaultButton3, {Retry, Cancel}, Retry},  // no third button
    };
    for (const StyleCase& c : cases) {
        const forms::Buttons buttons = forms::buttonsOf(c.style);
        EXPECT_EQ(std::vector<int>(buttons.answers, buttons.answers + buttons.count), c.answers)
            << "style " << c.style;
        EXPECT_EQ(forms::defaultAnswer(c.style), c.defaultAnswer) << "style " << c.style;
    }
}

// What the user saw in a real message box, and the button pressed.
struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QString defaultButton;
};

int pressIn(const QString& text, int style, QMessageBox::StandardButton press, Seen& seen) {
    formstest::whenModalShows([&seen, press](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        seen = {box->windowTitle(), box->text(), box->icon(),
                static_cast<int>(box->buttons().size()),
                box->defaultButton() ? box->defaultButton()->text() : QString()};
        box->button(press)->click();
    });
    return forms::QtMessageBox().show(text, style, "Ternova");
}

TEST(QtMessageBox, ShowsTheQuestionAndAnswersTheButtonPressed) {
    Seen seen;
    const int answer = pressIn(
        "La fecha de creación de la boleta y la fecha de reconocimiento son iguales.\r¿Es "
        "correcto?",
        36, QMessageBox::No, seen);
    EXPECT_EQ(answer, forms::msg::No);
    EXPECT_EQ(seen.title, "Ternova");
    EXPECT_EQ(seen.text,
              "La fecha de creación de la boleta y la fecha de reconocimiento son iguales.\n"
              "¿Es correcto?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, 2);
    EXPECT_EQ(seen.defaultButton, QMessageBox().addButton(QMessageBox::Yes)->text());
}

TEST(QtMessageBox, PlainBoxesShowTheirIconAndAnswerOk) {
    const std::pair<int, QMessageBox::Icon> icons[] = {
        {0, QMessageBox::NoIcon},
        {16, QMessageBox::Critical},
        {48, QMessageBox::Warning},
        {64, QMessageBox::Information},
    };
    for (const auto& [style, icon] : icons) {
        Seen seen;
        EXPECT_EQ(pressIn("La Base de datos Ternova.mdb está abierta o no existe.\r\n"
                          "No se pudo compactar.",
                          style, QMessageBox::Ok, seen),
                  forms::msg::Ok);
        EXPECT_EQ(seen.icon, icon) << "style " << style;
        EXPECT_EQ(seen.buttons, 1);
        EXPECT_EQ(seen.text,
                  "La Base de datos Ternova.mdb está abierta o no existe.\n"
                  "No se pudo compactar.");
    }
}

}  // namespace
