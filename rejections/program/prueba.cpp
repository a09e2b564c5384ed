#include "prueba.h"

#include <QLabel>
#include <QPushButton>

#include "Filtra.h"
#include "Module1.h"
#include "controls.h"
#include "data_control.h"
#include "data_grid.h"
#include "database/sql_text.h"
#include "database_connector.h"
#include "grid_window.h"
#include "placement.h"
#include "product_texts.h"
#include "program.h"

namespace rejections {

namespace {

struct Comparacion {
    const char* texto;  // what comes before "like"
    const char* etiqueta;
};

// The columns of "prueba" in the order of the statement, and their labels.
constexpr Comparacion kComparaciones[] = {
    {"select * from prueba where [RD]", "rd"},
    {" and [# de A]", "na"},
    {" and [# de B]", "nb"},
    {" and [Hora]", "hi"},
    {" and [Fecha]", "fi"},
    {" and [Duración]", "df"},
    {" and [IRS]", "irs"},
    {" and [IRE]", "ire"},
    {" and [CLLI]", "cl"},
    {" and [ERR]", "ce"},
    {" and [LR]", "ff"},
    {" and [PA]", "pa"},
    {" and [Carrier]", "cas"},
    {" and [T Error]", "filtr"},
    {" and [F Recolección]", "fyr"},
    {" and [CS]", "cs"},
    {" and [ID Trafico]", "idt"},
    {" and [Archivo]", "am"},
};

}  // namespace

// The labels' texts are typed by the user: each reaches the statement only
// quoted, its quotes doubled.
std::string consulta_prueba(const Filtra& filtros, bool negada) {
    std::string sql;
    for (const Comparacion& c : kComparaciones) {
        std::string valor = filtros.etiqueta(c.etiqueta).toStdString();
        if (!negada)
            valor += "*";
        sql += c.texto;
        sql += negada ? " not like " : " like ";
        sql += db::quote(valor);
    }
    return sql + filtros.etiqueta("Resto").toStdString();
}

prueba::prueba(forms::Program& program) : Form(program, "prueba") {
    setWindowTitle("Registros Muestra");

    DBGrid1 = forms::control<forms::DataGrid>("DBGrid1", client());
    Data1 = forms::bound::dataControl("Data1", client());
    DBGrid1->setDataSource(Data1);
    PicBox = forms::control<QWidget>("PicBox", client());
    cmdrepor = forms::control<QPushButton>("cmdrepor", PicBox);
    cmdrepor->setText("&Reporte ...");
    forms::placeTwips(cmdrepor, 120, 60, 1695, 435);
    Filtros = forms::control<QPushButton>("Filtros", PicBox);
    Filtros->setText("Ver &filtros");
    forms::placeTwips(Filtros, 1920, 60, 1695, 435);
    Label1 = forms::control<QLabel>("Label1", PicBox);
    Label1->setText(shell::dovraneTexts().department);
    forms::placeTwips(Label1, 3840, 60, 6000, 435);

    setClientSizeTwips(11880, 6480);

    connect(Data1, &forms::DataControl::reposition, this, &prueba::Data1_Reposition);
    connect(Filtros, &QPushButton::clicked, this, &prueba::Filtros_Click);
    connect(cmdrepor, &QPushButton::clicked, this, &prueba::cmdrepor_Click);
}

// The data control opens its statement right after this, before the window
// shows.
void prueba::Form_Load() {
    hay_datos = true;
    Data1->setDatabaseName(QString::fromStdString(archivo_base().string()));
    if (const Filtra* filtros = program().find<Filtra>())
        Data1->setRecordSource(
            QString::fromStdString(consulta_prueba(*filtros, filtros->excluye())));
}

void prueba::Data1_Reposition() {
    setHourglass(false);
    auto& rs = Data1->recordset();
    if (rs.recordCount() == 0) {
        msgBox("No existe información en la base de datos", forms::msg::OkOnly);
        hay_datos = false;
    }
    Data1->setCaption(contador_registros(rs));
}

void prueba::Form_Activate() {
    if (!hay_datos)
        unloadMe();
}

void prueba::Form_Resize() {
    acomoda_rejilla(client(), DBGrid1, Data1, PicBox, cmdrepor->height());
}

void prueba::Form_Unload(bool& /*cancel*/) {
    if (auto* filtros = program().find<Filtra>())
        filtros->setVisible(true);
}

// "Ver &filtros"
void prueba::Filtros_Click() {
    unloadMe();
}

// "&Reporte ..." writes the records into a workbook.
void prueba::cmdrepor_Click() {}

}  // namespace rejections
