#pragma once
// FrmContraseña, caption "Contraseña": the login. A supervisor is known by
// the password alone; the login of the supervisor SUPERVISOR also enables
// the administration entries of the main window.
//
// `Label1` "Escriba su contraseña:", `txtclave` (shows "*"; Enter accepts),
// `cmdaceptar` "&Aceptar" (enabled while the box holds text), `cmdsalir`
// "&Salir", `Picture1`. Its close box ends the program as "&Salir" does.

#include <functional>

#include "MdlTtlQuality.h"
#include "form.h"

class QLabel;
class QPushButton;

namespace forms {
class TextBox;
}

namespace quality {

class FrmContraseña : public forms::Form {
public:
    // `habilitaAdministracion` runs when the supervisor SUPERVISOR logs in.
    FrmContraseña(forms::Program& program, MdlTtlQuality& state,
                  std::function<void()> habilitaAdministracion);

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override;
    void txtclave_Change();
    void txtclave_KeyPress(int& keyAscii);
    void cmdaceptar_Click();
    void cmdsalir_Click();

private:
    MdlTtlQuality& state_;
    std::function<void()> habilitaAdministracion_;

    QLabel* Label1;
    forms::TextBox* txtclave;
    QPushButton* cmdaceptar;
    QPushButton* cmdsalir;
    QLabel* Picture1;
};

}  // namespace quality
