#pragma once
// A program for the windows' tests: every service is a double the test can
// script and read.
//
//     forms::TestProgram app("Ternova");
//     app.messages.answer({forms::msg::No});
//     auto* window = app.show<frmMain>(forms::Modeless, ...);
//     EXPECT_EQ(app.messages.shown.back().text, "...");

#include "forms_doubles.h"
#include "program.h"
#include "system_doubles.h"

namespace forms {

class TestProgram : public Program {
    struct Doubles;

public:
    explicit TestProgram(const QString& title = "Ternova");
    ~TestProgram() override;

    MessageBoxDouble& messages;
    BeepDouble& beeps;
    WaitCursorDouble& cursor;
    FileDialogDouble& files;
    PrinterDouble& printer;
    ModalLoopDouble& modal;
    sys::SettingsDouble& settings;
    sys::ProgramStarterDouble& programs;
    sys::HelpViewerDouble& help;

private:
    TestProgram(const QString& title, Doubles doubles);
};

// Deletes the windows unloaded so far, as the event loop would once their
// handlers returned (a QPointer to one reads null afterwards).
void deleteUnloadedWindows();

}  // namespace forms
