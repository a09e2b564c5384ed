#include "FrmTecnicos.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "avisos.h"
#include "caption_fit.h"
#include "controls.h"
#include "data_combo.h"
#include "data_control.h"
#include "database_connector.h"
#include "program.h"
#include "text_box.h"

namespace quality {

namespace {

QString baseDeDatos() {
    return QString::fromStdString(MdlTtlQuality::base_de_datos().string());
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int top) {
    auto* l = forms::control<QLabel>(name, parent);
    l->setText(caption);
    // Up to the boxes, and smaller where our font is still wider than that.
    forms::placeTwips(l, 240, top, 1890, 255);
    forms::shrinkToFit(l);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    auto* b = forms::control<QPushButton>(name, parent);
    b->setText(caption);
    forms::placeTwips(b, left, top, 1560, 420);
    return b;
}

}  // namespace

// FrmTecnico ------------------------------------------------------------

FrmTecnico::FrmTecnico(forms::Program& program, MdlTtlQuality& state)
    : Form(program, "FrmTecnico"), state_(state) {
    setWindowTitle("Nuevo Técnico");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(5400, 2400);

    Label5 = label(client(), "Label5", "Iniciales:", 240);
    txtiniciales = forms::control<forms::TextBox>("txtiniciales", client());
    txtiniciales->setMaxLength(3);
    forms::placeTwips(txtiniciales, 2160, 200, 720, 315);
    Label5->setBuddy(txtiniciales);
    Label6 = label(client(), "Label6", "Nombre del Técnico:", 720);
    txtnombre = forms::control<forms::TextBox>("txtnombre", client());
    forms::placeTwips(txtnombre, 2160, 680, 3000, 315);
    Label6->setBuddy(txtnombre);
    Label1 = label(client(), "Label1", "Ubicación del Técnico:", 1200);

    Data1 = forms::bound::dataControl("Data1", client());
    Data1->setVisible(false);
    cmbubic = forms::control<forms::DataCombo>("cmbubic", client());
    cmbubic->setRowSource(Data1);
    forms::placeTwips(cmbubic, 2160, 1160, 3000, 315);
    Label1->setBuddy(cmbubic);

    cmdbut4 = button(client(), "cmdbut4", "&Agregar", 1800, 1800);
    cmdbut4->setEnabled(false);
    cmdbut3 = button(client(), "cmdbut3", "&Cancelar", 3600, 1800);

    for (forms::TextBox* box : {txtiniciales, txtnombre})
        connect(box, &forms::TextBox::changed, this, &FrmTecnico::txtiniciales_Change);
    connect(cmdbut4, &QPushButton::clicked, this,
            [this] { conAviso(*this, [this] { cmdbut4_Click(); }); });
    connect(cmdbut3, &QPushButton::clicked, this, &FrmTecnico::cmdbut3_Click);
}

void FrmTecnico::Form_Load() {
    Data1->setDatabaseName(baseDeDatos());
    Data1->setRecordSource("SELECT * FROM UBICACION");
    Data1->refresh();
    cmbubic->setListField("Ubicacion");
    cmbubic->setBoundColumn("Id");
}

// The same rule for both boxes.
void FrmTecnico::txtiniciales_Change() {
    cmdbut4->setEnabled(!txtiniciales->text().isEmpty() && !txtnombre->text().isEmpty());
}

// The initials are compared by the database, blind to case. No location
// chosen stores an empty one.
void FrmTecnico::cmdbut4_Click() {
    const QString iniciales = txtiniciales->text().toLower();
    {
        db::Transaction transaction(state_.conexion);
        db::Recordset rs = state_.conexion.open_recordset(
            "SELECT * FROM Tecnicos WHERE Iniciales = ?;", db::Cursor::Static,
            {txtiniciales->text().toStdString()});
        if (!rs.eof()) {
            rs.close();
            transaction.commit();
            msgBox("El técnico " + txtiniciales->text() + " ya está registrado.",
                   forms::msg::Exclamation, "Ternova");
            txtiniciales->setText("");
            return;
        }
        rs.add_new();
        rs.set("iniciales", iniciales.toStdString());
        rs.set("nombre", txtnombre->text().toUpper().toStdString());
        rs.set("ubicacion", cmbubic->boundText().toStdString());
        rs.update();
        rs.close();
        transaction.commit();
    }
    const int answer = msgBox("El técnico " + iniciales + " fue guardado exitosamente." +
                                  QChar(10) + "¿Desea agregar otro técnico?",
                              forms::msg::YesNo + forms::msg::Question, "Ternova");
    if (answer == forms::msg::Yes) {
        txtiniciales->setText("");
        txtnombre->setText("");
        txtiniciales->setFocus();
    } else {
        unloadMe();
    }
}

void FrmTecnico::cmdbut3_Click() {
    unloadMe();
}

// FrmTecnicoModi --------------------------------------------------------

FrmTecnicoModi::FrmTecnicoModi(forms::Program& program, MdlTtlQuality& /*state*/)
    : Form(program, "FrmTecnicoModi") {
    setWindowTitle("Modificar Técnico");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(5400, 3480);

    Data1 = forms::bound::dataControl("Data1", client());
    forms::placeTwips(Data1, 240, 120, 4920, 345);

    Label5 = label(client(), "Label5", "Iniciales:", 720);
    txtiniciales = forms::control<forms::TextBox>("txtiniciales", client());
    txtiniciales->setMaxLength(3);
    txtiniciales->setLocked(true);
    forms::placeTwips(txtiniciales, 2160, 680, 720, 315);
    Label5->setBuddy(txtiniciales);
    Label6 = label(client(), "Label6", "Nombre del Técnico:", 1200);
    txtnombre = forms::control<forms::TextBox>("txtnombre", client());
    forms::placeTwips(txtnombre, 2160, 1160, 3000, 315);
    Label6->setBuddy(txtnombre);
    forms::setDataSource(txtiniciales, Data1);
    forms::setDataSource(txtnombre, Data1);

    FameNivel = forms::control<QGroupBox>("FameNivel", client());
    FameNivel->setTitle("Ubicación del Técnico:");
    forms::placeTwips(FameNivel, 240, 1620, 4920, 1020);
    const char* opciones[] = {"&CAR", "&Centros de Mantenimiento"};
    for (int i = 0; i < 2; ++i) {
        Option1[i] = forms::control<QRadioButton>(forms::arrayName("Option1", i), FameNivel);
        Option1[i]->setText(opciones[i]);
        forms::placeTwips(Option1[i], 240, 300 + i * 330, 4400, 300);
    }
    Option1[0]->setChecked(true);

    cmdbut4 = button(client(), "cmdbut4", "&Actualizar", 1800, 2880);
    cmdbut4->setEnabled(false);
    cmdbut3 = button(client(), "cmdbut3", "&Cancelar", 3600, 2880);

    connect(Data1, &forms::DataControl::reposition, this, &FrmTecnicoModi::Data1_Reposition);
    for (forms::TextBox* box : {txtiniciales, txtnombre})
        connect(box, &forms::TextBox::changed, this, &FrmTecnicoModi::txtiniciales_Change);
    connect(cmdbut4, &QPushButton::clicked, this,
            [this] { conAviso(*this, [this] { cmdbut4_Click(); }); });
    connect(cmdbut3, &QPushButton::clicked, this, &FrmTecnicoModi::cmdbut3_Click);
}

void FrmTecnicoModi::Form_Load() {
    Data1->setDatabaseName(baseDeDatos());
    Data1->setRecordSource("SELECT * FROM TECNICOS");
    Data1->refresh();
    forms::setDataField(txtiniciales, "Iniciales");
    forms::setDataField(txtnombre, "Nombre");
    muestraRegistro();
}

void FrmTecnicoModi::muestraRegistro() {
    auto& rs = Data1->recordset();
    Data1->setCaption("Registro " + QString::number(rs.absolutePosition() + 1) + " de " +
                      QString::number(rs.recordCount()));
}

// The location "0" is CAR; any other, an empty one too, the maintenance centres.
void FrmTecnicoModi::Data1_Reposition() {
    auto& rs = Data1->recordset();
    if (rs.eof())
        return;
    Option1[rs.field(2).to_text() == "0" ? 0 : 1]->setChecked(true);
    muestraRegistro();
}

// The same rule for both boxes.
void FrmTecnicoModi::txtiniciales_Change() {
    cmdbut4->setEnabled(!txtiniciales->text().isEmpty() && !txtnombre->text().isEmpty());
}

// The name as edited and the location of the options; the initials stay.
// Without a current technician there is nothing to save.
void FrmTecnicoModi::cmdbut4_Click() {
    auto& rs = Data1->recordset();
    if (rs.eof() || rs.bof())
        return;
    rs.edit();
    rs.set(2, Option1[0]->isChecked() ? "0" : "1");
    rs.update();
    msgBox("El técnico " + txtiniciales->text() + " fue modificado exitosamente.",
           forms::msg::Information, "Ternova");
}

void FrmTecnicoModi::cmdbut3_Click() {
    unloadMe();
}

}  // namespace quality
