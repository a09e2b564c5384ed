#pragma once
// The one place through which windows reach everything that a headless test
// cannot drive: message boxes, the bell, the hourglass, the file and printer
// dialogs, printing, modal windows, settings, other programs and the help.
// The program gets the Qt implementations; tests give doubles instead
// (testing/test_program.h).

#include <memory>

#include "beep.h"
#include "file_dialog.h"
#include "help_viewer.h"
#include "message_box.h"
#include "modal_loop.h"
#include "printer.h"
#include "program_starter.h"
#include "settings.h"
#include "wait_cursor.h"

namespace forms {

struct Services {
    std::unique_ptr<MessageBox> messageBox;
    std::unique_ptr<Beep> beep;
    std::unique_ptr<WaitCursor> waitCursor;
    std::unique_ptr<FileDialog> fileDialog;
    std::unique_ptr<Printer> printer;
    std::unique_ptr<ModalLoop> modalLoop;
    std::unique_ptr<sys::Settings> settings;
    std::unique_ptr<sys::ProgramStarter> programStarter;
    std::unique_ptr<sys::HelpViewer> helpViewer;

    // Whether every service is in place.
    bool complete() const;
};

// The real services: Qt's dialogs and printers, the settings at their
// standard places (sys::FileSettings::atStandardPlaces), detached programs,
// the help window.
Services qtServices();

}  // namespace forms
