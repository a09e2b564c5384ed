// Zovavidevir: imports the hex dumps of the exchange's detailed billing
// records into factura.mdb in the program folder.

#include <QApplication>

#include "Importadat.h"
#include "Module1.h"
#include "program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    forms::Program program("Zovavidevir", forms::qtServices());
    billing::Module1 modulo;
    program.show<billing::Importadat>(forms::Modeless, modulo);
    return program.run();
}
