#include "services.h"

namespace forms {

bool Services::complete() const {
    return messageBox && beep && waitCursor && fileDialog && printer && modalLoop && settings &&
           programStarter && helpViewer;
}

Services qtServices() {
    Services services;
    services.messageBox = std::make_unique<QtMessageBox>();
    services.beep = std::make_unique<QtBeep>();
    services.waitCursor = std::make_unique<QtWaitCursor>();
    services.fileDialog = std::make_unique<QtFileDialog>();
    services.printer = std::make_unique<QtPrinter>();
    services.modalLoop = std::make_unique<QtModalLoop>();
    services.settings = sys::FileSettings::atStandardPlaces();
    services.programStarter = std::make_unique<sys::DetachedProgramStarter>();
    services.helpViewer = std::make_unique<sys::HelpWindow>();
    return services;
}

}  // namespace forms
