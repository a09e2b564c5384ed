#pragma once
// The message box of the old runtime: a text, a style number that chooses the
// buttons, the icon and the default button, and a title; the answer is the
// number of the button pressed.

#include <QString>

namespace forms {

// Style numbers, added together as the old programs did ("36" is YesNo +
// Question). The low bits choose the buttons, 16 to 64 the icon, 256 and 512
// the default button (the first one otherwise).
namespace msg {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int DefaultButton2 = 256;
constexpr int DefaultButton3 = 512;

// Answers: the button that was pressed.
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace msg

// The answers a style offers, in the order its buttons stand; {Ok} for an
// unknown button code.
struct Buttons {
    int answers[3] = {msg::Ok, 0, 0};
    int count = 1;
};
Buttons buttonsOf(int style);

// The answer of the style's default button.
int defaultAnswer(int style);

class MessageBox {
public:
    virtual ~MessageBox() = default;

    // Shows the message and waits for a button; returns its answer.
    virtual int show(const QString& text, int style, const QString& title) = 0;
};

// The message box as a modal QMessageBox over the active window. Line ends
// of the old texts (CR LF, CR, LF) all break the line.
class QtMessageBox : public MessageBox {
public:
    int show(const QString& text, int style, const QString& title) override;
};

}  // namespace forms
