#include "prueba.h"

#include <QPushButton>

#include <algorithm>
#include <exception>
#include <utility>

#include "Filtra.h"
#include "Module1.h"
#include "controls.h"
#include "data_control.h"
#include "data_grid.h"
#include "database/database.h"
#include "database_connector.h"
#include "long_job.h"
#include "program.h"
#include "reporte_registros.h"
#include "runtime/clock.h"
#include "runtime/program_folder.h"
#include "workbook_error.h"

namespace billing {

namespace {

constexpr int kAltoBotones = 555;
constexpr int kAltoDatos = 360;
// The old grid left this much below it, in twips.
constexpr int kMargenGrid = 5;
// The spreadsheet's own number for a workbook it could not make or save.
constexpr int kErrorLibro = 1004;

QString engineError(int number, const char* description) {
    return "Error: " + QString::number(number) + " " + QString::fromUtf8(description);
}

}  // namespace

prueba::prueba(forms::Program& program, Module1& modulo, FiltroRegistros filtros)
    : Form(program, "prueba"), modulo_(modulo), filtros_(std::move(filtros)) {
    setWindowTitle("Registro de Facturación");
    setClientSizeTwips(11400, 6600);

    // The strip with the buttons:
    PicBox = forms::control<QWidget>("PicBox", client());
    Reporte = forms::control<QPushButton>("Reporte", PicBox);
    Reporte->setText("&Reporte");
    forms::placeTwips(Reporte, 120, 60, 1695, 435);
    Filtros = forms::control<QPushButton>("Filtros", PicBox);
    Filtros->setText("Ver &filtros");
    forms::placeTwips(Filtros, 1935, 60, 1695, 435);

    // The records, and the data control that counts them:
    Data1 = forms::bound::dataControl("Data1", client());
    DBGrid1 = forms::control<forms::DataGrid>("DBGrid1", client());
    DBGrid1->setDataSource(Data1);
    Form_Resize();

    // The event procedures:
    connect(Data1, &forms::DataControl::reposition, this, &prueba::Data1_Reposition);
    connect(Reporte, &QPushButton::clicked, this, &prueba::Reporte_Click);
    connect(Filtros, &QPushButton::clicked, this, &prueba::Filtros_Click);
}

// A query that can't run (the file gone, say) shows the engine's words and
// counts as one that found nothing.
void prueba::Form_Load() {
    hay_registros_ = true;
    Data1->setDatabaseName(QString::fromStdString(Module1::archivo_base().string()));
    Data1->setRecordSource(QString::fromStdString(consulta_prueba(filtros_)));
    try {
        Data1->refresh();
    } catch (const forms::DataError& error) {
        msgBox(engineError(error.number(), error.what()));
        hay_registros_ = false;
    }
}

void prueba::Form_Activate() {
    if (!hay_registros_)
        unloadMe();
}

// The grid takes the window's height but for the strip and the data control.
void prueba::Form_Resize() {
    const int ancho = clientWidthTwips();
    const int alto = clientHeightTwips();
    forms::placeTwips(PicBox, 0, 0, ancho, kAltoBotones);
    forms::placeTwips(DBGrid1, 0, kAltoBotones, ancho,
                      std::max(0, alto - kAltoDatos - kAltoBotones - kMargenGrid));
    forms::placeTwips(Data1, 0, std::max(0, alto - kAltoDatos), ancho, kAltoDatos);
}

void prueba::Form_Unload(bool& /*cancel*/) {
    if (auto* filtros = program().find<Filtra>())
        program().show(*filtros);
}

// The counter, without blanks: "Registro: 1 de: 25", "Registro: 0 de: 0".
void prueba::Data1_Reposition() {
    setHourglass(false);
    try {
        auto& registros = Data1->recordset();
        if (registros.recordCount() == 0) {
            msgBox("No existe información en la base de datos");
            hay_registros_ = false;
        }
        Data1->setCaption("Registro: " + QString::number(registros.absolutePosition() + 1) +
                          " de: " + QString::number(registros.recordCount()));
    } catch (const std::exception&) {
        // The counter is left as it was.
    }
}

// Every stored record, whatever the filters; a failure is told as it is and
// no report is announced then.
void prueba::Reporte_Click() {
    const auto archivo = runtime::program_file(kArchivoReporte);
    forms::LongJob reporte;
    setHourglass(true);
    QString error;
    try {
        escribe_reporte(modulo_.base_datos, archivo, runtime::today());
    } catch (const db::Error& fallo) {
        error = engineError(fallo.number(), fallo.what());
    } catch (const std::exception& fallo) {
        error = engineError(kErrorLibro, fallo.what());
    }
    setHourglass(false);
    if (!error.isEmpty()) {
        msgBox(error);
        return;
    }
    msgBox("El archivo de reporte es: " + QString::fromStdString(archivo.string()),
           forms::msg::OkOnly, "Fin de Reporte");
}

void prueba::Filtros_Click() {
    unloadMe();
}

}  // namespace billing
