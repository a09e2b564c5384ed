// Zovavidevir: imports the hex dumps of the exchange's detailed billing
// records into factura.mdb in the program folder.

#include <QApplication>

#include "Module1.h"
#include "program.h"
#include "qt_spanish.h"
#include "start.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    forms::installQtSpanish(app);
    billing::Module1 modulo;
    forms::Program program("Zovavidevir", forms::qtServices());
    billing::startZovavidevir(program, modulo);
    return program.run();
}
