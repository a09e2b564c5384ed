#include "FrmCambioArticulo.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "controls.h"
#include "program.h"
#include "rating_image.h"
#include "text_box.h"

namespace quality {

EleccionCambio FrmCambioArticulo::muestra(forms::Program& program, QString& comentarios) {
    // Each showing starts from a new dialog, whatever an earlier one held.
    if (auto* anterior = program.find<FrmCambioArticulo>())
        program.unload(*anterior);
    Resultado resultado;
    program.show<FrmCambioArticulo>(forms::Modal, resultado);
    if (auto* abierto = program.find<FrmCambioArticulo>())
        program.unload(*abierto);
    if (resultado.eleccion != EleccionCambio::Cancelada)
        comentarios += " cambiada por " + resultado.causa + "." + QChar(10) + QChar(13);
    return resultado.eleccion;
}

FrmCambioArticulo::FrmCambioArticulo(forms::Program& program, Resultado& resultado)
    : Form(program, "FrmCambioArticulo"), resultado_(resultado) {
    setWindowTitle("Cambio de Calificación");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setFont(QFont("Tahoma", 8));
    setClientSizeTwips(4935, 3690);

    // The two choices, each beside its picture:
    Image1 = forms::control<forms::Image>("Image1", client());
    Image1->setPicture(forms::drawRatingPicture(forms::Rating::Bien));
    forms::placeTwips(Image1, 360, 225, 705, 345);
    cmdacep = forms::control<QPushButton>("cmdacep", client());
    cmdacep->setText("&Satisfactorio");
    forms::placeTwips(cmdacep, 1200, 120, 2535, 495);
    Image2 = forms::control<forms::Image>("Image2", client());
    Image2->setPicture(forms::drawRatingPicture(forms::Rating::Blanco));
    forms::placeTwips(Image2, 360, 825, 705, 345);
    cmdnocal = forms::control<QPushButton>("cmdnocal", client());
    cmdnocal->setText("&No Calificación");
    forms::placeTwips(cmdnocal, 1200, 720, 2535, 495);

    // The reason:
    Label32 = forms::control<QLabel>("Label32", client());
    Label32->setText("ESCRIBA EL MOTIVO POR EL CUAL CAMBIARA EL ESTADO DEL REPORTE");
    Label32->setWordWrap(true);
    forms::placeTwips(Label32, 240, 1320, 4455, 435);
    txtcausa = forms::control<forms::MultiLineTextBox>("txtcausa", client());
    forms::placeTwips(txtcausa, 240, 1800, 4455, 1095);

    cmdcance = forms::control<QPushButton>("cmdcance", client());
    cmdcance->setText("&Cancelar");
    forms::placeTwips(cmdcance, 1800, 3060, 1335, 495);

    connect(cmdacep, &QPushButton::clicked, this, &FrmCambioArticulo::cmdacep_Click);
    connect(cmdnocal, &QPushButton::clicked, this, &FrmCambioArticulo::cmdnocal_Click);
    connect(cmdcance, &QPushButton::clicked, this, &FrmCambioArticulo::cmdcance_Click);
}

void FrmCambioArticulo::cmdacep_Click() {
    elige(EleccionCambio::Satisfactorio);
}

void FrmCambioArticulo::cmdnocal_Click() {
    elige(EleccionCambio::NoCalificacion);
}

void FrmCambioArticulo::cmdcance_Click() {
    unloadMe();
}

// A reason of blanks only is a reason.
void FrmCambioArticulo::elige(EleccionCambio eleccion) {
    if (txtcausa->text().isEmpty())
        return;
    resultado_.eleccion = eleccion;
    resultado_.causa = txtcausa->text();
    unloadMe();
}

}  // namespace quality
