#pragma once
// frmacerca: Ternova's about window, with the program's title, its credits
// and the button that starts the system-information tool.
//
// `picIcon`, `lblTitle` "Ternova", `lblDescription` "Elaborado por:",
// `Label1` ... `Label6` (credits), `Line1(0)` and `Line1(1)`, `cmdOK`
// "&Aceptar", `cmdSysInfo` "&Sistema..".

#include <QString>

#include "form.h"

class QLabel;
class QPushButton;

namespace quality {

// Where installed programs leave the system-information tool: the tool's
// path itself, or the folder that holds MSINFO32.EXE.
inline constexpr const char* kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr const char* kMsinfoValue = "PATH";
inline constexpr const char* kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr const char* kSharedToolsValue = "MSINFO";
inline constexpr const char* kMsinfoProgram = "MSINFO32.EXE";

class frmacerca : public forms::Form {
public:
    explicit frmacerca(forms::Program& program);

    void Form_Load() override;
    void cmdOK_Click();
    void cmdSysInfo_Click();
    // Finds and starts the system-information tool, or says it is unavailable.
    void StartSysInfo();

private:
    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblDescription;
    QLabel* Label[6];
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;
};

}  // namespace quality
