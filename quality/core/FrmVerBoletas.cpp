#include "FrmVerBoletas.h"

#include <QLabel>
#include <QPushButton>

#include "controls.h"
#include "data_control.h"
#include "data_grid.h"
#include "database_connector.h"
#include "runtime/format.h"
#include "runtime/program_folder.h"
#include "text_box.h"

namespace quality {

namespace {

QLabel* label(const char* name, const QString& caption, QWidget* parent, int left, int top) {
    auto* control = forms::control<QLabel>(name, parent);
    control->setText(caption);
    forms::placeTwips(control, left, top, 1455, 255);
    return control;
}

forms::TextBox* box(const char* name, QWidget* parent, int left, int top) {
    auto* control = forms::control<forms::TextBox>(name, parent);
    forms::placeTwips(control, left, top, 1455, 315);
    control->setLocked(true);
    return control;
}

}  // namespace

FrmVerBoletas::FrmVerBoletas(forms::Program& program) : Form(program, "FrmVerBoletas") {
    setWindowTitle("Totales por Técnico");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(7200, 5280);

    // The week:
    label("Label1", "De:", client(), 120, 180);
    Text1 = box("Text1", client(), 1680, 120);
    label("Label2", "A:", client(), 3600, 180);
    Text2 = box("Text2", client(), 5160, 120);
    label("Label3", "Boletas Totales:", client(), 120, 600);
    Text3 = box("Text3", client(), 1680, 540);
    Data2 = forms::bound::dataControl("Data2", client());
    Data2->setVisible(false);
    for (forms::TextBox* week : {Text1, Text2, Text3})
        forms::setDataSource(week, Data2);

    // The totals, with the record navigator under them:
    Data1 = forms::bound::dataControl("Data1", client());
    Data1->setCaption("Totales por técnico");
    DBGrid1 = forms::control<forms::DataGrid>("DBGrid1", client());
    DBGrid1->setDataSource(Data1);
    forms::placeTwips(DBGrid1, 120, 1020, 6960, 3015);
    forms::placeTwips(Data1, 120, 4140, 4800, 360);

    // The exit:
    Command1 = forms::control<QPushButton>("Command1", client());
    Command1->setText("Sa&lir");
    forms::placeTwips(Command1, 5400, 4740, 1680, 420);

    // The event procedures:
    connect(Data1, &forms::DataControl::reposition, this, &FrmVerBoletas::Data1_Reposition);
    connect(Text3, &forms::TextBox::changed, this, &FrmVerBoletas::Text3_Change);
    connect(Command1, &QPushButton::clicked, this, &FrmVerBoletas::Command1_Click);
}

void FrmVerBoletas::Form_Load() {
    const QString base =
        QString::fromStdString(runtime::program_folder().string()) + "/Ternova.mdb";
    Data1->setDatabaseName(base);
    Data1->setRecordSource("Porcentaje_Tecnicos");
    Data1->refresh();
    muestraPosicion();  // an empty query shows "Registro 0 de 0"
    Data2->setDatabaseName(base);
    Data2->setRecordSource("Datos_General");
    Data2->refresh();
    forms::setDataField(Text1, "fechaini");
    forms::setDataField(Text2, "fechaend");
    forms::setDataField(Text3, "boletas_totales");
}

void FrmVerBoletas::muestraPosicion() {
    const forms::DataRecordset& rs = Data1->recordset();
    Data1->setCaption("Registro " + QString::number(rs.absolutePosition() + 1) + " de " +
                      QString::number(rs.recordCount()));
}

void FrmVerBoletas::Data1_Reposition() {
    if (!Data1->recordset().eof())
        muestraPosicion();
}

// The total with its thousands: 15234 shows "15,234".
void FrmVerBoletas::Text3_Change() {
    if (formateando_)
        return;
    formateando_ = true;
    Text3->setText(QString::fromStdString(
        runtime::format(runtime::Value(Text3->text().toStdString()), "##,##0")));
    formateando_ = false;
}

void FrmVerBoletas::Command1_Click() {
    unloadMe();
}

}  // namespace quality
