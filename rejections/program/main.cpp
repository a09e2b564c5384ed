// riruzoz: rejected billing samples of the switching centrals. The main
// window is the start window; it opens riruzozs.mdb in the program folder.

#include <QApplication>

#include "Importadat.h"
#include "program.h"
#include "qt_spanish.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    forms::installQtSpanish(app);
    forms::Program program("riruzoz", forms::qtServices());
    program.show<rejections::Importadat>(forms::Modeless);
    return program.run();
}
