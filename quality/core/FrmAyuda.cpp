#include "FrmAyuda.h"

#include <QLabel>
#include <QPushButton>

#include "controls.h"

namespace quality {

FrmAyuda::FrmAyuda(forms::Program& program) : Form(program, "FrmAyuda") {
    setWindowTitle("Ayuda");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(5400, 2280);

    // The text:
    Label1 = forms::control<QLabel>("Label1", client());
    Label1->setText(QString::fromUtf8(kAyudaArchivo));
    Label1->setWordWrap(true);
    forms::placeTwips(Label1, 240, 240, 4920, 1215);

    // The exit:
    Command1 = forms::control<QPushButton>("Command1", client());
    Command1->setText("Sa&lir");
    forms::placeTwips(Command1, 3480, 1680, 1680, 420);

    connect(Command1, &QPushButton::clicked, this, &FrmAyuda::Command1_Click);
}

void FrmAyuda::Command1_Click() {
    unloadMe();
}

}  // namespace quality
