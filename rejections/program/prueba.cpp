#include "prueba.h"

#include <QLabel>

#include <exception>

#include "B_Avance.h"
#include "Filtra.h"
#include "Module1.h"
#include "controls.h"
#include "data_control.h"
#include "database/sql_text.h"
#include "long_job.h"
#include "placement.h"
#include "product_texts.h"
#include "program.h"
#include "reporte_muestras.h"
#include "runtime/clock.h"
#include "runtime/program_folder.h"

namespace rejections {

namespace {

// The spreadsheet's own number for a workbook it could not make or save.
constexpr int kErrorLibro = 1004;

QString mensaje_error(long number, const char* description) {
    return "Error: " + QString::number(number) + " " + QString::fromUtf8(description);
}

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

prueba::prueba(forms::Program& program)
    : VentanaRejilla(program, "prueba", "Registros Muestra", "Ver &filtros") {
    Label1 = forms::control<QLabel>("Label1", PicBox);
    Label1->setText(shell::dovraneTexts().department);
    forms::placeTwips(Label1, 3840, 60, 6000, 435);

    setClientSizeTwips(11880, 6480);
}

void prueba::Form_Load() {
    if (const Filtra* filtros = program().find<Filtra>())
        muestra_consulta(QString::fromStdString(consulta_prueba(*filtros, filtros->excluye())));
}

void prueba::Form_Unload(bool& /*cancel*/) {
    if (auto* filtros = program().find<Filtra>())
        filtros->setVisible(true);
}

// The grid's own statement, so that the report holds the rows the grid shows
// in either mode of the filters.
void prueba::cmdrepor_Click() {
    const auto archivo = runtime::program_file(kArchivoReporte);
    QString error;
    long registros = 0;
    {
        forms::LongJob reporte;  // the windows drawn, the user's input held
        AvanceEnB_Avance avance(program());
        try {
            registros = escribe_reporte(base_datos, Data1->recordSource().toStdString(), archivo,
                                        runtime::today(),
                                        shell::dovraneTexts().department.toStdString(), avance);
        } catch (const db::Error& fallo) {
            error = mensaje_error(fallo.number(), fallo.what());
        } catch (const std::exception& fallo) {
            error = mensaje_error(kErrorLibro, fallo.what());
        }
    }  // the progress window hides, the job ends
    if (!error.isEmpty())
        msgBox(error, forms::msg::OkOnly);
    else if (registros == 0)
        msgBox("No existe información en la base de datos", forms::msg::OkOnly);
    else
        msgBox("El archivo de reporte es: " + QString::fromStdString(archivo.string()),
               forms::msg::OkOnly, "Fin de Reporte");
}

}  // namespace rejections
