#include "FrmPlanBoletas.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "caption_fit.h"
#include "controls.h"
#include "data_combo.h"
#include "data_control.h"
#include "database/sql_text.h"
#include "database_connector.h"
#include "runtime/conversions.h"
#include "runtime/format.h"
#include "runtime/program_folder.h"
#include "text_box.h"

namespace quality {

namespace {

QString folderText() {
    return QString::fromStdString(runtime::program_folder().string());
}

QString text(const runtime::Value& value) {
    return QString::fromStdString(value.to_text());
}

QString numberText(double number) {
    return QString::fromStdString(runtime::number_to_text(number));
}

forms::TextBox* box(const char* name, QWidget* parent, int left, int top, int width,
                    bool locked = true) {
    auto* control = forms::control<forms::TextBox>(name, parent);
    forms::placeTwips(control, left, top, width, 315);
    control->setLocked(locked);
    return control;
}

QLabel* label(const char* name, const QString& caption, QWidget* parent, int left, int top,
              int width) {
    auto* control = forms::control<QLabel>(name, parent);
    control->setText(caption);
    forms::placeTwips(control, left, top, width, 255);
    return control;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent, int left, int top) {
    auto* control = forms::control<QPushButton>(name, parent);
    control->setText(caption);
    forms::placeTwips(control, left, top, 1695, 375);
    return control;
}

}  // namespace

FrmPlanBoletas::FrmPlanBoletas(forms::Program& program, MdlTtlQuality& state,
                               runtime::Value ultimafecha)
    : Form(program, "FrmPlanBoletas"), state_(state), ultimafecha_(std::move(ultimafecha)) {
    setWindowTitle("Boletas Ternova");
    setBorderStyle(forms::BorderStyle::FixedSingle);
    setClientSizeTwips(7560, 6840);

    // The data controls, hidden:
    Data1 = forms::bound::dataControl("Data1", client());
    Data2 = forms::bound::dataControl("Data2", client());
    Data2->setRecordSource("Tecnico_All_Information");
    Data3 = forms::bound::dataControl("Data3", client());
    for (forms::DataControl* data : {Data1, Data2, Data3})
        data->setVisible(false);

    // The month and the technician:
    label("Label9", "Mes:", client(), 120, 180, 1200);
    cmbmes = forms::control<QComboBox>("cmbmes", client());
    for (const char* mes : kMeses)
        cmbmes->addItem(QString::fromUtf8(mes));
    cmbmes->setCurrentIndex(0);
    forms::placeTwips(cmbmes, 1440, 120, 2055, 315);
    label("Label4", "Técnico:", client(), 120, 600, 1200);
    DBCombo2 = forms::control<forms::DataCombo>("DBCombo2", client());
    DBCombo2->setEditable(true);
    DBCombo2->setRowSource(Data1);
    forms::setDataSource(DBCombo2, Data1);
    forms::placeTwips(DBCombo2, 1440, 540, 3615, 315);
    label("Label3", "Iniciales:", client(), 5280, 600, 840);
    Text16 = box("Text16", client(), 6180, 540, 1215, false);
    forms::setDataSource(Text16, Data1);

    // The technician's row, hidden:
    Text1 = box("Text1", client(), 0, 0, 100);
    Text17 = box("Text17", client(), 0, 0, 100);
    Text4 = box("Text4", client(), 0, 0, 100);
    for (forms::TextBox* hidden : {Text1, Text17, Text4}) {
        forms::setDataSource(hidden, Data2);
        hidden->setVisible(false);
    }

    // The week:
    Frame3 = forms::control<QGroupBox>("Frame3", client());
    Frame3->setTitle("Información semanal:");
    forms::placeTwips(Frame3, 120, 1020, 7320, 1575);
    label("Label5", "De:", Frame3, 120, 360, 600);
    Text7 = box("Text7", Frame3, 720, 300, 1455);
    label("Label6", "A:", Frame3, 2400, 360, 480);
    Text8 = box("Text8", Frame3, 2880, 300, 1455);
    // Longer at our font than the room the old one had: up to its box, then smaller.
    forms::shrinkToFit(label("Label1", "Cantidad de Boletas Resueltas:", Frame3, 120, 840, 2700));
    Text3 = box("Text3", Frame3, 2880, 780, 855);
    forms::setDataSource(Text3, Data2);
    label("Label2", "Boletas Resueltas:", Frame3, 3960, 840, 1680);
    Text6 = box("Text6", Frame3, 5760, 780, 1215);
    Text9 = box("Text9", Frame3, 0, 0, 100);
    Text9->setVisible(false);

    // The ticket:
    Frame2 = forms::control<QGroupBox>("Frame2", client());
    Frame2->setTitle("Información de la boleta para examinar:");
    forms::placeTwips(Frame2, 120, 2700, 7320, 2175);
    label("Label7", "Lista de Trabajo:", Frame2, 120, 360, 1560);
    Text2 = box("Text2", Frame2, 1800, 300, 1935);
    label("Label8", "Boleta:", Frame2, 3960, 360, 840);
    Text5 = box("Text5", Frame2, 4920, 300, 1935);
    Text13 = box("Text13", Frame2, 120, 780, 1560);
    Text13->setText("Fecha Creada:");
    Text10 = box("Text10", Frame2, 1800, 780, 1935);
    Text11 = box("Text11", Frame2, 120, 1200, 1560);
    Text11->setText("Fecha Resuelta:");
    Text12 = box("Text12", Frame2, 1800, 1200, 1935);
    Text15 = box("Text15", Frame2, 120, 1620, 1560);
    Text15->setText("Prioridad:");
    Text14 = box("Text14", Frame2, 1800, 1620, 1935);
    for (forms::TextBox* ticket : {Text2, Text5, Text10, Text12, Text14})
        forms::setDataSource(ticket, Data2);

    // The note on the share:
    auto* Label10 = label("Label10",
                          "El porcentaje de boletas resueltas refleja los valores de la última "
                          "semana que fue generada. Para ver los valores por cada semana "
                          "consulte el archivo bol_resv_tec_(carmmdd).xls",
                          client(), 120, 4980, 7320);
    Label10->setWordWrap(true);
    forms::placeTwips(Label10, 120, 4980, 7320, 735);

    // The buttons:
    cmdbut4 = button("cmdbut4", "&Anterior", client(), 120, 5880);
    cmdbut3 = button("cmdbut3", "&Siguiente", client(), 1920, 5880);
    cmdsele = button("cmdsele", "Seleccionar &Boleta", client(), 3720, 5880);
    forms::placeTwips(cmdsele, 3720, 5880, 1800, 375);  // wider, into the gap before "Salir"
    Command1 = button("Command1", "Sa&lir", client(), 5640, 5880);

    // The event procedures:
    connect(cmbmes, &QComboBox::activated, this, &FrmPlanBoletas::cmbmes_Click);
    connect(DBCombo2, &QComboBox::editTextChanged, this, &FrmPlanBoletas::DBCombo2_Change);
    connect(Text3, &forms::TextBox::changed, this, &FrmPlanBoletas::Text3_Change);
    connect(cmdbut3, &QPushButton::clicked, this, &FrmPlanBoletas::cmdbut3_Click);
    connect(cmdbut4, &QPushButton::clicked, this, &FrmPlanBoletas::cmdbut4_Click);
    connect(cmdsele, &QPushButton::clicked, this, &FrmPlanBoletas::cmdsele_Click);
    connect(Command1, &QPushButton::clicked, this, &FrmPlanBoletas::Command1_Click);
}

QString FrmPlanBoletas::consultaDelMes() const {
    return "SELECT * FROM TECNICO_ALL_INFORMATION WHERE "
           "month(format(fecha_resuelta,\"dd/mm/yy\")) = " +
           QString::number(state_.mesactual) + ";";
}

// Opens on the month of the week's last resolution day.
void FrmPlanBoletas::Form_Load() {
    const QString base = folderText() + "/Ternova.mdb";
    state_.mesactual = static_cast<std::uint8_t>(
        runtime::month(runtime::Value(runtime::format(ultimafecha_, "dd/mm/yy"))));
    cmbmes->setCurrentIndex(state_.mesactual - 1);

    const QString mes = QString::number(state_.mesactual);
    Data1->setDatabaseName(base);
    Data1->setRecordSource("SELECT * FROM Tecnicos_Semanales WHERE MES = " + mes + ";");
    Data1->refresh();
    Data2->setDatabaseName(base);
    Data2->setRecordSource("SELECT * FROM Tecnico_All_Information WHERE MES = " + mes + ";");
    Data2->refresh();
    DBCombo2->setListField("Nombre");
    DBCombo2->setBoundColumn("Nombre");
    forms::setDataField(DBCombo2, "Nombre");
    Data3->setDatabaseName(base);

    forms::setDataField(Text1, "Nombre");
    forms::setDataField(Text2, "Wklist");
    forms::setDataField(Text3, "BolresvCar");
    forms::setDataField(Text4, "Iniciales");
    forms::setDataField(Text5, "RndBoleta");
    Text9->setText(numberText(totalsemanal));
    forms::setDataField(Text10, "Fecha_creada");
    forms::setDataField(Text12, "Fecha_resuelta");
    forms::setDataField(Text14, "Prioridad");
    forms::setDataField(Text16, "Iniciales");
    forms::setDataField(Text17, "Nombre");

    // From here on the window browses the tickets by their resolution day.
    Data2->setRecordSource(consultaDelMes());
    Data2->refresh();

    db::Recordset datos =
        state_.conexion.open_recordset("Select * from Datos_General", db::Cursor::Static);
    if (!datos.eof() && !Data2->recordset().eof()) {
        const runtime::Value total = datos["boletas_totales"];
        totalsemanal = total.is_null() ? 0 : total.to_number();
        porcentaje();
        Text7->setText(text(datos["fechaini"]));
        Text8->setText(text(datos["fechaend"]));
    }
    datos.close();
    cmdbut4->setEnabled(false);
}

void FrmPlanBoletas::obtenmes() {
    state_.obtenmes(cmbmes->currentText().toStdString());
}

bool FrmPlanBoletas::hayFila() const {
    const forms::DataRecordset& rs = Data2->recordset();
    return rs.isOpen() && !rs.eof() && !rs.bof();
}

QString FrmPlanBoletas::tecnicoDeLaFila() const {
    // A row without initials counts as the technician "".
    return text(Data2->recordset().field(0));
}

// The share: the count over the week's total, as "2.50%" (".50%" below one).
// Without a count or a week's total the box keeps its text.
void FrmPlanBoletas::porcentaje() {
    if (Text3->text().isEmpty() || totalsemanal <= 0)
        return;
    const double cantidad = runtime::integer_part(runtime::val(Text3->text().toStdString()));
    const double valor = cantidad / totalsemanal * 100;
    Text6->setText(QString::fromStdString(runtime::number_to_text(valor)).trimmed());
    Text6->setText(QString::fromStdString(
                       runtime::format(runtime::Value(Text6->text().toStdString()), "##.00")) +
                   "%");
}

void FrmPlanBoletas::cmbmes_Click() {
    obtenmes();
    Data2->setRecordSource(consultaDelMes());
    Data2->refresh();
    if (Data2->recordset().eof()) {
        Text6->setText("");
        cmdbut3->setEnabled(false);
        cmdbut4->setEnabled(false);
        return;
    }
    DBCombo2->setText(Text1->text());
    Text9->setText(numberText(totalsemanal));
    Text3->setText(text(Data2->recordset().field(5)));
    cmdbut3->setEnabled(true);
    cmdbut4->setEnabled(false);
}

// The technician's first ticket; a name of no ticket leaves the row as it was.
void FrmPlanBoletas::DBCombo2_Change() {
    if (!Data2->recordset().isOpen())
        return;
    const QString nombre = DBCombo2->text();
    Data2->recordset().findFirst("[nombre] like " +
                                 QString::fromStdString(db::quote(nombre.toStdString())));
    if (!nombre.isEmpty() && hayFila()) {
        Text16->setText(tecnicoDeLaFila());
        Text9->setText(numberText(totalsemanal));
        // The share shown is always that of the technician shown.
        Text3_Change();
    }
}

// "&Siguiente": the technician's next ticket; the window never leaves the technician.
void FrmPlanBoletas::cmdbut3_Click() {
    forms::DataRecordset& rs = Data2->recordset();
    if (!hayFila()) {
        cmdbut3->setEnabled(false);
        return;
    }
    tecnicoactual = tecnicoDeLaFila();
    rs.moveNext();
    if (!cmdbut4->isEnabled())
        cmdbut4->setEnabled(true);
    if (rs.eof()) {
        cmdbut3->setEnabled(false);
        rs.movePrevious();
        if (Text2->text().isEmpty())
            rs.moveLast();
        return;
    }
    if (tecnicoDeLaFila() != tecnicoactual) {
        cmdbut3->setEnabled(false);
        rs.movePrevious();
    }
    porcentaje();
}

// "&Anterior": the technician's previous ticket.
void FrmPlanBoletas::cmdbut4_Click() {
    forms::DataRecordset& rs = Data2->recordset();
    if (!hayFila()) {
        cmdbut4->setEnabled(false);
        return;
    }
    tecnicoactual = tecnicoDeLaFila();
    rs.movePrevious();
    if (!cmdbut3->isEnabled())
        cmdbut3->setEnabled(true);
    if (rs.bof()) {
        cmdbut4->setEnabled(false);
        if (Text2->text().isEmpty())
            rs.moveFirst();
        return;
    }
    if (tecnicoDeLaFila() != tecnicoactual) {
        cmdbut4->setEnabled(false);
        rs.moveNext();
    }
    porcentaje();
}

void FrmPlanBoletas::Text3_Change() {
    if (!Text9->text().isEmpty() && !Text3->text().isEmpty() &&
        runtime::integer_part(runtime::val(Text9->text().toStdString())) > 0)
        porcentaje();
}

void FrmPlanBoletas::cmdsele_Click() {
    state_.seleccion = Text5->text().toStdString();
}

void FrmPlanBoletas::Command1_Click() {
    unloadMe();
}

}  // namespace quality
