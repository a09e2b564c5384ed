#include "FrmSupervisores.h"

#include <QLabel>
#include <QPushButton>

#include "avisos.h"
#include "controls.h"
#include "program.h"
#include "text_box.h"

namespace quality {

namespace {

// A box with its label above it.
forms::TextBox* labelledBox(QWidget* parent, QLabel*& label, const char* labelName,
                            const QString& caption, const char* boxName, int top, int maxLength) {
    label = forms::control<QLabel>(labelName, parent);
    label->setText(caption);
    forms::placeTwips(label, 240, top, 3600, 255);
    auto* box = forms::control<forms::TextBox>(boxName, parent);
    box->setMaxLength(maxLength);
    forms::placeTwips(box, 240, top + 285, 3600, 315);
    label->setBuddy(box);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    auto* b = forms::control<QPushButton>(name, parent);
    b->setText(caption);
    forms::placeTwips(b, left, top, 1560, 420);
    return b;
}

std::string texto(const forms::TextBox* box) {
    return box->text().toStdString();
}

}  // namespace

// FrmCambiar ------------------------------------------------------------

FrmCambiar::FrmCambiar(forms::Program& program, MdlTtlQuality& state)
    : Form(program, "FrmCambiar"), state_(state) {
    setWindowTitle("Cambiar Contraseña...");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(4080, 2880);

    txtclave = labelledBox(client(), Label1, "Label1", "Contraseña Actual:", "txtclave", 120, 10);
    txtnueva = labelledBox(client(), Label2, "Label2", "Contraseña Nueva:", "txtnueva", 840, 10);
    txtconfirma = labelledBox(client(), Label3, "Label3",
                              "Confirme nueva contraseña:", "txtconfirma", 1560, 10);
    cmdaceptar = button(client(), "cmdaceptar", "&Aceptar", 240, 2340);
    cmdaceptar->setEnabled(false);
    cmdsalir = button(client(), "cmdsalir", "&Salir", 2280, 2340);

    for (forms::TextBox* box : {txtclave, txtnueva, txtconfirma})
        connect(box, &forms::TextBox::changed, this, &FrmCambiar::txtclave_Change);
    connect(cmdaceptar, &QPushButton::clicked, this,
            [this] { conAviso(*this, [this] { cmdaceptar_Click(); }); });
    connect(cmdsalir, &QPushButton::clicked, this, &FrmCambiar::cmdsalir_Click);
}

void FrmCambiar::Form_Load() {
    for (forms::TextBox* box : {txtclave, txtconfirma, txtnueva})
        box->setPasswordChar('*');
}

// The same rule for the three boxes.
void FrmCambiar::txtclave_Change() {
    cmdaceptar->setEnabled(!txtclave->text().isEmpty() && !txtnueva->text().isEmpty() &&
                           !txtconfirma->text().isEmpty());
}

// The typed current password picks the row, whoever logged in; the new
// password is stored exactly as typed.
void FrmCambiar::cmdaceptar_Click() {
    db::Transaction transaction(state_.conexion);
    db::Recordset rs = state_.conexion.open_recordset(
        "SELECT * FROM SUPERVISORES WHERE contraseña = ?;", db::Cursor::Static, {texto(txtclave)});
    if (rs.eof()) {
        msgBox("La clave que introdujo no es correcta", forms::msg::Critical, "Ternova");
        return;
    }
    if (txtnueva->text() != txtconfirma->text()) {
        msgBox("Confirmación incorrecta.", forms::msg::Critical, "Ternova");
        return;
    }
    rs.set("contraseña", texto(txtconfirma));
    rs.update();
    rs.close();
    transaction.commit();
    msgBox("Contraseña cambiada existosamente.", forms::msg::Information, "Ternova");
    unloadMe();
}

void FrmCambiar::cmdsalir_Click() {
    unloadMe();
}

// FrmSuper --------------------------------------------------------------

FrmSuper::FrmSuper(forms::Program& program, MdlTtlQuality& state)
    : Form(program, "FrmSuper"), state_(state) {
    setWindowTitle("Nuevo Supervisor");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(4080, 2880);

    txtnombre =
        labelledBox(client(), Label6, "Label6", "Nombre del Supervisor:", "txtnombre", 120, 50);
    txtcontra = labelledBox(client(), Label5, "Label5", "Contraseña:", "txtcontra", 840, 10);
    txtcontra->setPasswordChar('*');
    txtconfir =
        labelledBox(client(), Label1, "Label1", "Confirmar Contraseña:", "txtconfir", 1560, 10);
    txtconfir->setPasswordChar('*');
    cmdbut4 = button(client(), "cmdbut4", "&Agregar", 240, 2340);
    cmdbut4->setEnabled(false);
    cmdbut3 = button(client(), "cmdbut3", "&Cancelar", 2280, 2340);

    for (forms::TextBox* box : {txtnombre, txtcontra, txtconfir})
        connect(box, &forms::TextBox::changed, this, &FrmSuper::txtnombre_Change);
    connect(cmdbut4, &QPushButton::clicked, this,
            [this] { conAviso(*this, [this] { cmdbut4_Click(); }); });
    connect(cmdbut3, &QPushButton::clicked, this, &FrmSuper::cmdbut3_Click);
}

// The same rule for the three boxes.
void FrmSuper::txtnombre_Change() {
    cmdbut4->setEnabled(!txtnombre->text().isEmpty() && !txtcontra->text().isEmpty() &&
                        !txtconfir->text().isEmpty());
}

// The name is compared by the database, blind to case; the two passwords
// are compared blind to case too.
void FrmSuper::cmdbut4_Click() {
    db::Transaction transaction(state_.conexion);
    db::Recordset rs = state_.conexion.open_recordset(
        "SELECT * FROM Supervisores WHERE Nombre = ?;", db::Cursor::Static, {texto(txtnombre)});
    if (!rs.eof()) {
        msgBox("El supervisor ya está registrado.", forms::msg::Exclamation, "Ternova");
        return;
    }
    if (txtcontra->text().toUpper() != txtconfir->text().toUpper()) {
        msgBox("Confirmación de contraseña incorrecta.", forms::msg::Critical, "Ternova");
        return;
    }
    rs.add_new();
    rs.set("contraseña", txtcontra->text().toLower().toStdString());
    rs.set("nombre", txtnombre->text().toUpper().toStdString());
    rs.update();
    rs.close();
    transaction.commit();
    msgBox("El supervisor fue guardado exitosamente.", forms::msg::Information, "Ternova");
    unloadMe();
}

void FrmSuper::cmdbut3_Click() {
    unloadMe();
}

}  // namespace quality
