#include "frmSplash.h"

#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "controls.h"
#include "placement.h"
#include "shell_widgets.h"

namespace shell {

namespace {
// The old KeyPress code of a key event: its character, or 0 for keys that
// type none (the arrows, the function keys).
int keyAsciiOf(const QKeyEvent& event) {
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.at(0).unicode();
}
}  // namespace

frmSplash::frmSplash(forms::Program& program, const ProductTexts& texts,
                     std::function<void()> showMainWindow)
    : Form(program, "frmSplash"), showMainWindow_(std::move(showMainWindow)) {
    setWindowTitle(texts.product);
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(7380, 4770);

    // The frame with the picture and the texts:
    Frame1 = forms::control<QGroupBox>("Frame1", client());
    forms::placeTwips(Frame1, 150, 60, 7080, 4050);
    imgLogo = forms::control<QLabel>("imgLogo", Frame1);
    imgLogo->setPixmap(productPicture(texts.product, 100));
    forms::placeTwips(imgLogo, 360, 795, 1500, 1500);
    lblProductName = fixedLabel("lblProductName", Frame1, texts.product, 2280, 1140, 4500, 765);
    QFont big = lblProductName->font();
    big.setPointSize(24);
    big.setBold(true);
    lblProductName->setFont(big);
    fixedLabel("lblCompanyProduct", Frame1, texts.company, 2280, 600, 4500, 435);
    fixedLabel("lblLicenseTo", Frame1, texts.department, 240, 240, 6600, 285);
    fixedLabel("Label1", Frame1, texts.directorate, 2280, 2040, 4500, 285);
    fixedLabel("lblCopyright", Frame1, texts.copyright, 2280, 2880, 4500, 285);
    fixedLabel("lblWarning", Frame1, "Programa para uso interno del " + texts.department + ".", 240,
               3360, 6600, 495);

    // The button:
    Command1 = forms::control<QPushButton>("Command1", client());
    Command1->setText("&Aceptar");
    forms::placeTwips(Command1, 5880, 4230, 1335, 420);
    Command1->installEventFilter(this);

    // The timer that hands over by itself:
    Timer1 = forms::control<QTimer>("Timer1", this);
    Timer1->setInterval(5000);
    Timer1->start();

    // The event procedures:
    connect(Command1, &QPushButton::clicked, this, &frmSplash::Command1_Click);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::Command1_Click() {
    handOver();
}

void frmSplash::Form_KeyPress(int& /*keyAscii*/) {
    handOver();
}

void frmSplash::Timer1_Timer() {
    Timer1->setInterval(5000);
    handOver();
}

// A key pressed anywhere in the window, the button included, is the form's
// key press; the button's own keys (Enter, Space) are the same way out.
bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        int keyAscii = keyAsciiOf(static_cast<QKeyEvent&>(*event));
        Form_KeyPress(keyAscii);
        return true;
    }
    return Form::eventFilter(watched, event);
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    int keyAscii = keyAsciiOf(*event);
    Form_KeyPress(keyAscii);
}

// The three ways out meet here; whichever comes first hands over, once.
void frmSplash::handOver() {
    if (handedOver_)
        return;
    handedOver_ = true;
    Timer1->stop();
    unloadMe();
    if (showMainWindow_)
        showMainWindow_();
}

}  // namespace shell
