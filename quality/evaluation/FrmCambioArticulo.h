#pragma once
// FrmCambioArticulo, caption "Cambio de Calificación": the modal dialog in
// which the supervisor overturns an unsatisfactory time criterion (1 or 4)
// of the evaluation window, giving the reason.
//
// `cmdacep` "&Satisfactorio" with the satisfactory picture `Image1`,
// `cmdnocal` "&No Calificación" with the not-rated picture `Image2`,
// `Label32` asking for the reason, `txtcausa` the reason (empty at each
// showing), `cmdcance` "&Cancelar". The close box acts as "&Cancelar".
//
// The evaluation window's criterion 1 and 4 clicks call muestra() after
// appending linea_de_cambio() to their comments; cambio_elegido() of the
// answer tells what becomes of the criterion.

#include <QString>

#include "CalificaArticulos.h"
#include "form.h"

class QLabel;
class QPushButton;

namespace forms {
class Image;
class MultiLineTextBox;
}  // namespace forms

namespace quality {

class FrmCambioArticulo : public forms::Form {
public:
    // What the dialog hands back to the window that showed it.
    struct Resultado {
        EleccionCambio eleccion = EleccionCambio::Cancelada;
        QString causa;
    };

    // Shows the dialog modally, loaded afresh, and returns the choice. A
    // choice appends to `comentarios` " cambiada por ", the reason, "." and a
    // line feed followed by a carriage return; a cancelled dialog (or one
    // still open when the modal wait returns) appends nothing.
    static EleccionCambio muestra(forms::Program& program, QString& comentarios);

    FrmCambioArticulo(forms::Program& program, Resultado& resultado);

    void cmdacep_Click();
    void cmdnocal_Click();
    void cmdcance_Click();

private:
    // A choice needs a reason: without one the dialog stays open.
    void elige(EleccionCambio eleccion);

    Resultado& resultado_;

    QPushButton* cmdacep;
    forms::Image* Image1;
    QPushButton* cmdnocal;
    forms::Image* Image2;
    QLabel* Label32;
    forms::MultiLineTextBox* txtcausa;
    QPushButton* cmdcance;
};

}  // namespace quality
