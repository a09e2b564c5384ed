#include "test_program.h"

#include <QCoreApplication>
#include <QEvent>

namespace forms {

struct TestProgram::Doubles {
    Services services;
    MessageBoxDouble* messages;
    BeepDouble* beeps;
    WaitCursorDouble* cursor;
    FileDialogDouble* files;
    PrinterDouble* printer;
    ModalLoopDouble* modal;
    sys::SettingsDouble* settings;
    sys::ProgramStarterDouble* programs;
    sys::HelpViewerDouble* help;
};

namespace {

template <class T, class Slot>
T* put(Slot& slot) {
    auto made = std::make_unique<T>();
    T* kept = made.get();
    slot = std::move(made);
    return kept;
}

}  // namespace

TestProgram::TestProgram(const QString& title)
    : TestProgram(title, [] {
          Doubles d;
          d.messages = put<MessageBoxDouble>(d.services.messageBox);
          d.beeps = put<BeepDouble>(d.services.beep);
          d.cursor = put<WaitCursorDouble>(d.services.waitCursor);
          d.files = put<FileDialogDouble>(d.services.fileDialog);
          d.printer = put<PrinterDouble>(d.services.printer);
          d.modal = put<ModalLoopDouble>(d.services.modalLoop);
          d.settings = put<sys::SettingsDouble>(d.services.settings);
          d.programs = put<sys::ProgramStarterDouble>(d.services.programStarter);
          d.help = put<sys::HelpViewerDouble>(d.services.helpViewer);
          return d;
      }()) {}

TestProgram::TestProgram(const QString& title, Doubles d)
    : Program(title, std::move(d.services)),
      messages(*d.messages),
      beeps(*d.beeps),
      cursor(*d.cursor),
      files(*d.files),
      printer(*d.printer),
      modal(*d.modal),
      settings(*d.settings),
      programs(*d.programs),
      help(*d.help) {}

TestProgram::~TestProgram() = default;

void deleteUnloadedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace forms
