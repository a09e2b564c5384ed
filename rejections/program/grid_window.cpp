#include "grid_window.h"

#include <QPushButton>

#include <algorithm>

#include "Module1.h"
#include "controls.h"
#include "data_control.h"
#include "data_grid.h"
#include "database_connector.h"
#include "placement.h"

namespace rejections {

VentanaRejilla::VentanaRejilla(forms::Program& program, const QString& name, const QString& caption,
                               const QString& filtros_caption)
    : Form(program, name) {
    setWindowTitle(caption);

    DBGrid1 = forms::control<forms::DataGrid>("DBGrid1", client());
    Data1 = forms::bound::dataControl("Data1", client());
    DBGrid1->setDataSource(Data1);
    PicBox = forms::control<QWidget>("PicBox", client());
    cmdrepor = forms::control<QPushButton>("cmdrepor", PicBox);
    cmdrepor->setText("&Reporte ...");
    forms::placeTwips(cmdrepor, 120, 60, 1695, 435);
    Filtros = forms::control<QPushButton>("Filtros", PicBox);
    Filtros->setText(filtros_caption);
    forms::placeTwips(Filtros, 1920, 60, 1695, 435);

    connect(Data1, &forms::DataControl::reposition, this, &VentanaRejilla::Data1_Reposition);
    connect(Filtros, &QPushButton::clicked, this, &VentanaRejilla::Filtros_Click);
    connect(cmdrepor, &QPushButton::clicked, this, [this] { cmdrepor_Click(); });
}

void VentanaRejilla::muestra_consulta(const QString& sql) {
    hay_datos = true;
    Data1->setDatabaseName(QString::fromStdString(archivo_base().string()));
    Data1->setRecordSource(sql);
}

void VentanaRejilla::Data1_Reposition() {
    setHourglass(false);
    auto& rs = Data1->recordset();
    if (rs.recordCount() == 0) {
        msgBox("No existe información en la base de datos", forms::msg::OkOnly);
        hay_datos = false;
    }
    Data1->setCaption("Registro: " + QString::number(rs.absolutePosition() + 1) +
                      " de: " + QString::number(rs.recordCount()));
}

void VentanaRejilla::Form_Activate() {
    if (!hay_datos)
        unloadMe();
}

// The grid takes the height that the data control and the button strip leave.
void VentanaRejilla::Form_Resize() {
    const int width = client()->width();
    const int data = Data1->sizeHint().height();
    const int strip = cmdrepor->height() + 8;
    const int grid = std::max(0, client()->height() - data - strip - 1);
    DBGrid1->setGeometry(0, 0, width, grid);
    Data1->setGeometry(0, grid, width, data);
    PicBox->setGeometry(0, grid + data, width, strip);
}

void VentanaRejilla::Filtros_Click() {
    unloadMe();
}

}  // namespace rejections
