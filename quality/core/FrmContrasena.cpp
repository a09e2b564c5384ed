#include "FrmContrasena.h"

#include <QLabel>
#include <QPushButton>

#include "controls.h"
#include "ingreso.h"
#include "pictures.h"
#include "program.h"
#include "text_box.h"

namespace quality {

FrmContraseña::FrmContraseña(forms::Program& program, MdlTtlQuality& state,
                             std::function<void()> habilitaAdministracion)
    : Form(program, "FrmContraseña"),
      state_(state),
      habilitaAdministracion_(std::move(habilitaAdministracion)) {
    setWindowTitle("Contraseña");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(4800, 1920);

    // The picture:
    Picture1 = forms::control<QLabel>("Picture1", client());
    Picture1->setPixmap(picture(Picture::Contrasena).pixmap(32, 32));
    forms::placeTwips(Picture1, 240, 240, 720, 720);

    // The password, with its label:
    Label1 = forms::control<QLabel>("Label1", client());
    Label1->setText("Escriba su contraseña:");
    forms::placeTwips(Label1, 1200, 240, 3360, 285);
    txtclave = forms::control<forms::TextBox>("txtclave", client());
    forms::placeTwips(txtclave, 1200, 600, 3360, 315);
    Label1->setBuddy(txtclave);

    // The buttons:
    cmdaceptar = forms::control<QPushButton>("cmdaceptar", client());
    cmdaceptar->setText("&Aceptar");
    cmdaceptar->setEnabled(false);
    forms::placeTwips(cmdaceptar, 1200, 1260, 1560, 420);
    cmdsalir = forms::control<QPushButton>("cmdsalir", client());
    cmdsalir->setText("&Salir");
    forms::placeTwips(cmdsalir, 3000, 1260, 1560, 420);

    // The event procedures:
    connect(txtclave, &forms::TextBox::changed, this, &FrmContraseña::txtclave_Change);
    forms::onKeyPress(txtclave, [this](int& keyAscii) { txtclave_KeyPress(keyAscii); });
    connect(cmdaceptar, &QPushButton::clicked, this, &FrmContraseña::cmdaceptar_Click);
    connect(cmdsalir, &QPushButton::clicked, this, &FrmContraseña::cmdsalir_Click);
}

void FrmContraseña::Form_Load() {
    txtclave->setPasswordChar('*');
}

// The close box leaves the program, as "&Salir" does.
void FrmContraseña::Form_QueryUnload(bool& /*cancel*/, forms::UnloadMode mode) {
    if (mode == forms::UnloadMode::ControlMenu)
        program().end();
}

void FrmContraseña::txtclave_Change() {
    cmdaceptar->setEnabled(!txtclave->text().isEmpty());
}

void FrmContraseña::txtclave_KeyPress(int& keyAscii) {
    if (keyAscii == 13)
        cmdaceptar_Click();
}

// The supervisor is the first one whose password was typed; the supervisor
// SUPERVISOR, whatever the letter case typed, may also administer.
void FrmContraseña::cmdaceptar_Click() {
    const QString clave = txtclave->text();
    if (clave.isEmpty())
        return;
    Ingreso ingreso;
    try {
        ingreso = busca_supervisor(state_.conexion, clave.toStdString());
    } catch (const db::Error& error) {
        msgBox(QString::fromStdString(error.what()), forms::msg::Critical);
        return;
    }
    if (!ingreso.usuario) {
        msgBox("La clave que introdujo no es correcta.", forms::msg::Critical, "Ternova");
        return;
    }
    state_.usuario = *ingreso.usuario;
    if (!ingreso.hay_supervisor)
        msgBox("El usuario supervisor no existe. Por favor consulte a su administrador.",
               forms::msg::Information);
    else if (ingreso.administrador)
        habilitaAdministracion_();
    unloadMe();
}

void FrmContraseña::cmdsalir_Click() {
    program().end();
}

}  // namespace quality
