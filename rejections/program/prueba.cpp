#include "prueba.h"

#include <QLabel>

#include "Filtra.h"
#include "controls.h"
#include "database/sql_text.h"
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

}  // namespace rejections
