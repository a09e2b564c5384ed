#pragma once
// The splash window: the product's name and credits, handed over to the
// program's main window by the button, any key, or after five seconds.
//
// frmSplash, caption the product: `Frame1` holding `imgLogo`,
// `lblProductName`, `lblCompanyProduct`, `lblLicenseTo`, `lblWarning`,
// `lblCopyright`, `Label1`; `Command1` "&Aceptar"; `Timer1` (5000 ms).

#include <QString>

#include <functional>

#include "form.h"
#include "product_texts.h"

class QKeyEvent;
class QLabel;
class QGroupBox;
class QPushButton;
class QTimer;

namespace shell {

class frmSplash : public forms::Form {
public:
    // showMainWindow shows the program's main window modeless; the splash
    // calls it once, after unloading itself.
    frmSplash(forms::Program& program, const ProductTexts& texts,
              std::function<void()> showMainWindow);

    // Event procedures, as the old form had them. Each unloads the splash
    // and shows the main window.
    void Command1_Click();
    void Form_KeyPress(int& keyAscii);
    void Timer1_Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void handOver();

    QGroupBox* Frame1;
    QLabel* imgLogo;
    QLabel* lblProductName;
    QPushButton* Command1;
    QTimer* Timer1;

    std::function<void()> showMainWindow_;
    bool handedOver_ = false;
};

}  // namespace shell
