#pragma once
// The users' windows, both on table SUPERVISORES:
//
// FrmCambiar, caption "Cambiar Contraseña...": changes the password of the
// supervisor whose current password is typed. `txtclave` "Contraseña
// Actual:", `txtnueva` "Contraseña Nueva:", `txtconfirma` "Confirme nueva
// contraseña:" (10 characters each, shown as "*"), `cmdaceptar` "&Aceptar"
// (enabled while the three hold text), `cmdsalir` "&Salir".
//
// FrmSuper, caption "Nuevo Supervisor": adds a supervisor, the name in
// capitals and the password in small letters. `txtnombre` "Nombre del
// Supervisor:" (50 characters), `txtcontra` "Contraseña:", `txtconfir`
// "Confirmar Contraseña:" (10 characters each, shown as "*"), `cmdbut4`
// "&Agregar" (enabled while the three hold text), `cmdbut3` "&Cancelar".

#include "MdlTtlQuality.h"
#include "form.h"

class QLabel;
class QPushButton;

namespace forms {
class TextBox;
}

namespace quality {

class FrmCambiar : public forms::Form {
public:
    FrmCambiar(forms::Program& program, MdlTtlQuality& state);

    void Form_Load() override;
    void txtclave_Change();
    void cmdaceptar_Click();
    void cmdsalir_Click();

private:
    MdlTtlQuality& state_;

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    forms::TextBox* txtclave;
    forms::TextBox* txtnueva;
    forms::TextBox* txtconfirma;
    QPushButton* cmdaceptar;
    QPushButton* cmdsalir;
};

class FrmSuper : public forms::Form {
public:
    FrmSuper(forms::Program& program, MdlTtlQuality& state);

    void txtnombre_Change();
    void cmdbut4_Click();
    void cmdbut3_Click();

private:
    MdlTtlQuality& state_;

    QLabel* Label6;
    QLabel* Label5;
    QLabel* Label1;
    forms::TextBox* txtnombre;
    forms::TextBox* txtcontra;
    forms::TextBox* txtconfir;
    QPushButton* cmdbut4;
    QPushButton* cmdbut3;
};

}  // namespace quality
