#include "Totales.h"

#include <QPushButton>

#include "Importadat.h"
#include "Module1.h"
#include "controls.h"
#include "data_control.h"
#include "data_grid.h"
#include "database_connector.h"
#include "grid_window.h"
#include "placement.h"
#include "program.h"

namespace rejections {

Totales::Totales(forms::Program& program) : Form(program, "Totales") {
    setWindowTitle("Total de Errores por Central");

    DBGrid1 = forms::control<forms::DataGrid>("DBGrid1", client());
    Data1 = forms::bound::dataControl("Data1", client());
    DBGrid1->setDataSource(Data1);
    PicBox = forms::control<QWidget>("PicBox", client());
    cmdrepor = forms::control<QPushButton>("cmdrepor", PicBox);
    cmdrepor->setText("&Reporte ...");
    forms::placeTwips(cmdrepor, 120, 60, 1695, 435);
    Filtros = forms::control<QPushButton>("Filtros", PicBox);
    Filtros->setText("&Cerrar");
    forms::placeTwips(Filtros, 1920, 60, 1695, 435);

    setClientSizeTwips(7680, 5280);

    connect(Data1, &forms::DataControl::reposition, this, &Totales::Data1_Reposition);
    connect(Filtros, &QPushButton::clicked, this, &Totales::Filtros_Click);
    connect(cmdrepor, &QPushButton::clicked, this, &Totales::cmdrepor_Click);
}

void Totales::Form_Load() {
    hay_datos = true;
    Data1->setDatabaseName(QString::fromStdString(archivo_base().string()));
    Data1->setRecordSource("select * from Totales");
}

void Totales::Data1_Reposition() {
    setHourglass(false);
    auto& rs = Data1->recordset();
    if (rs.recordCount() == 0) {
        msgBox("No existe información en la base de datos", forms::msg::OkOnly);
        hay_datos = false;
    }
    Data1->setCaption(contador_registros(rs));
}

void Totales::Form_Activate() {
    if (!hay_datos)
        unloadMe();
}

void Totales::Form_Resize() {
    acomoda_rejilla(client(), DBGrid1, Data1, PicBox, cmdrepor->height());
}

void Totales::Form_Unload(bool& /*cancel*/) {
    if (auto* main = program().find<Importadat>())
        main->setVisible(true);
}

// "&Cerrar"
void Totales::Filtros_Click() {
    unloadMe();
}

// "&Reporte ...": the totals report file is outside the program and no
// report component stands here, so the button does nothing.
void Totales::cmdrepor_Click() {}

}  // namespace rejections
