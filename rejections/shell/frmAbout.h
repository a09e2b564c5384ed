#pragma once
// The about window: the product's title, version and credits, and a button
// that starts the machine's system-information tool.
//
// frmAbout, caption "Acerca de " and the product: `picIcon`, `lblTitle`,
// `Label1` (version), `Label2` to `Label5` and `Label8` (credits),
// `lblDisclaimer`, `cmdOK` "Aceptar", `cmdSysInfo` "&Información...".
//
// The tool is found where installed programs leave it among the machine's
// settings (sys::Settings::machineValue): the value "PATH" of
// "SOFTWARE\Microsoft\Shared Tools\MSINFO", or else the folder "MSINFO" of
// "SOFTWARE\Microsoft\Shared Tools Location" when it holds MSINFO32.EXE.

#include <QString>

#include "form.h"
#include "product_texts.h"

class QLabel;
class QPushButton;

namespace shell {

// The root of the machine-wide settings that GetKeyValue reads; no other
// root holds values here.
inline const QString HKEY_LOCAL_MACHINE = "HKEY_LOCAL_MACHINE";

// The message shown when the tool can't be found or started.
inline const QString kSysInfoUnavailable = "System Information Is Unavailable At This Time";

class frmAbout : public forms::Form {
public:
    frmAbout(forms::Program& program, const ProductTexts& texts);

    // Shows the about window modeless, beside the main window (to its
    // right), which stays visible; returns it.
    static frmAbout* showBeside(forms::Program& program, const ProductTexts& texts,
                                const forms::Form& mainWindow);

    // Event procedures, as the old form had them.
    void cmdOK_Click();
    void cmdSysInfo_Click();

    // Starts the system-information tool, or shows kSysInfoUnavailable and
    // leaves the window open.
    void StartSysInfo();

    // Reads the value SubKeyRef of the key KeyName under KeyRoot into KeyVal;
    // false, with KeyVal emptied, when the key or the value is absent.
    bool GetKeyValue(const QString& KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                     QString& KeyVal) const;

private:
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* Label1;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

}  // namespace shell
