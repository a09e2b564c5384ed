// Ternova: the quality plan of trouble-ticket technicians. The program is
// its main window; the program-wide state lives as long as the program.

#include <QApplication>

#include "MdlTtlQuality.h"
#include "frmMain.h"
#include "pictures.h"
#include "program.h"
#include "qt_spanish.h"
#include "services.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    forms::installQtSpanish(app);
    app.setWindowIcon(quality::picture(quality::Picture::Programa));
    quality::MdlTtlQuality state;
    forms::Program program("Ternova", forms::qtServices());
    program.show<quality::frmMain>(forms::Modeless, state);
    return program.run();
}
