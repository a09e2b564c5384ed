#include "reporte_muestras.h"

#include <algorithm>

#include "database/database.h"
#include "new_workbook.h"
#include "runtime/conversions.h"
#include "runtime/format.h"
#include "runtime/still_working.h"

namespace rejections {

namespace {

constexpr const char* kHoja = "Muestras SRT ";

workbook::PageLayout paginas(const std::string& departamento) {
    workbook::PageLayout layout;
    layout.printTitleRows = workbook::PrintTitleRows{1, 1};  // the headers on every page
    layout.orientation = workbook::Orientation::landscape;
    layout.centerHorizontally = true;
    layout.printHeadings = false;
    layout.bottomMargin = workbook::centimetersToPoints(0.8);
    layout.leftFooter = "&08 &B " + departamento;
    layout.centerFooter = "&08 &B &F (&A) ";
    layout.rightFooter = "&08 &B Página: &p de: &N";
    layout.fitToPages = workbook::FitToPages{1, 15};  // one page wide, 15 tall at most
    return layout;
}

void escribe_encabezados(workbook::NewWorkbook& libro) {
    for (int columna = 1; columna <= static_cast<int>(kEncabezados.size()); ++columna)
        libro.setValue(1, columna, kEncabezados[columna - 1]);
}

void escribe_valor(workbook::NewWorkbook& libro, int fila, int columna,
                   const runtime::Value& valor) {
    if (valor.is_null())
        libro.clearValue(fila, columna);
    else if (valor.is_number())
        libro.setValue(fila, columna, valor.to_number());
    else
        libro.setValue(fila, columna, valor.to_text());
}

}  // namespace

const std::array<const char*, 29> kEncabezados{
    "TR",       "RD",   "N° A", "N° B",       "T",           "Hora",         "Fecha",
    "Duración", "IRS",  "IRE",  "CLLI",       "Central",     "Tipo",         "Error",
    "L. Reg",   "CS",   "PA",   "Carrier",    "CF/NI",       "X-Subscriber", "Red Inteligente",
    "STC",      "TRcd", "TRsd", "Tipo Error", "F. Recolec.", "División",     "F. Muestra",
    "Archivo",
};

std::string nombre_hoja(runtime::DateSerial dia) {
    return kHoja + runtime::format_date(dia, "yyyy.mm.dd");
}

int porcentaje_avance(long escritos, long total) {
    const long fila_siguiente = escritos + 2;  // the header takes row 1
    return static_cast<int>(std::min<long long>(100, 100LL * fila_siguiente / total));
}

std::string etiqueta_avance(int porcentaje) {
    return runtime::str(porcentaje) + "% de avance";
}

long escribe_reporte(db::Database& base, const std::string& consulta,
                     const std::filesystem::path& archivo, runtime::DateSerial dia,
                     const std::string& departamento, AvanceReporte& avance,
                     long registros_por_hoja) {
    // The count first, for the progress; then the records, read once from
    // top to bottom, only the one being written held.
    const long total =
        static_cast<long>(base.scalar("select count(*) from (" + consulta + ")").to_number());
    if (total == 0)
        return 0;
    db::Recordset registros = base.open_recordset(consulta, db::Cursor::ForwardOnly);
    const int columnas = static_cast<int>(kEncabezados.size());

    workbook::NewWorkbook libro;
    avance.muestra(total);
    const std::string nombre = nombre_hoja(dia);
    libro.nameSheet(nombre);
    libro.setPageLayout(paginas(departamento));
    // The formats before the rows they reach, as the rows stream to disk:
    libro.formatEveryCell({.borders = true, .alignment = workbook::HorizontalAlignment::center});
    libro.formatRow(1, {.bold = true, .fontSize = 12});
    libro.autoFitColumns();
    escribe_encabezados(libro);

    long escritos = 0;
    int fila = 1;
    int porcentaje = -1;
    std::string etiqueta;
    for (int hoja = 1; !registros.eof(); registros.move_next()) {
        if (fila - 1 == registros_por_hoja) {
            libro.addSheet(nombre + " (" + std::to_string(++hoja) + ")");
            escribe_encabezados(libro);
            fila = 1;
        }
        ++fila;
        for (int j = 0; j < columnas; ++j)
            escribe_valor(libro, fila, j + 1, registros[j]);
        ++escritos;
        if (int ahora = porcentaje_avance(escritos, total); ahora != porcentaje) {
            porcentaje = ahora;
            etiqueta = etiqueta_avance(porcentaje);
        }
        avance.avance(std::min(escritos + 2, total), total, etiqueta);
        runtime::still_working();
    }
    registros.close();

    libro.saveAs(archivo);
    libro.close();
    return escritos;
}

}  // namespace rejections
