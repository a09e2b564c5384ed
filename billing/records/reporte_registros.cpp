#include "reporte_registros.h"

#include "database/database.h"
#include "new_workbook.h"
#include "runtime/format.h"
#include "runtime/still_working.h"

namespace billing {

namespace {

constexpr const char* kTodosLosRegistros = "select * from prueba";
constexpr const char* kHoja = "Registros Facturación";
// The department the printed pages name at their foot.
constexpr const char* kDepartamento = "Departamento de Facturación";

workbook::PageLayout paginas() {
    workbook::PageLayout layout;
    layout.printTitleRows = workbook::PrintTitleRows{1, 1};  // the headers on every page
    layout.orientation = workbook::Orientation::landscape;
    layout.centerHorizontally = true;
    layout.printHeadings = false;
    layout.bottomMargin = workbook::centimetersToPoints(0.8);
    layout.leftFooter = std::string("&08 &B ") + kDepartamento;
    layout.centerFooter = "&08 &B &F (&A) ";
    layout.rightFooter = "&08 &B Página: &p de: &N";
    layout.fitToPages = workbook::FitToPages{1, 15};  // one page wide, 15 tall at most
    return layout;
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

const std::array<const char*, 38> kEncabezados{
    "Tipo de servicio",
    "Longitud de registro",
    "Causa de salida",
    "Número de registro",
    "Número para la identificación de la llamada",
    "Número de secuencia de registro",
    "Número de A",
    "Categoría de A",
    "Número de B",
    "Estado de B",
    "Razón de desconexión",
    "Código de falla, parte entrante",
    "Fecha",
    "Hora",
    "Duración",
    "Duración de la interrupción",
    "T. de dur, toma reg => Ini. facturación",
    "Carrier",
    "Ruta de salida",
    "Ruta de entrada",
    "Indicador de reenrutamiento",
    "Estado de la llamada",
    "Ind. de liberación anormal",
    "Indice de ruta de salida",
    "Indice de ruta de entrada",
    "Indice de facilidades de abonado",
    "Número abreviado",
    "Número de llamada relacionada",
    "Ind. ded proc. de marcación correcta",
    "Título de procedimiento",
    "Número de cliente X",
    "Cliente facturado",
    "Indicador de servicio inmediato",
    "Precio",
    "Origen para el cobro",
    "Clase de tarifa",
    "Indicador de tarifa conmutada",
    "Servicio de Red Inteligente",
};

std::string nombre_hoja(runtime::DateSerial dia) {
    return kHoja + runtime::format_date(dia, "yyyy.mm.dd");
}

long escribe_reporte(db::Database& base, const std::filesystem::path& archivo,
                     runtime::DateSerial dia) {
    // Read once from top to bottom: only the row being written is held.
    db::Recordset registros = base.open_recordset(kTodosLosRegistros, db::Cursor::ForwardOnly);
    const int columnas = static_cast<int>(kEncabezados.size());

    workbook::NewWorkbook libro;
    libro.nameSheet(nombre_hoja(dia));
    libro.setPageLayout(paginas());
    // The formats before the rows they reach, as the rows stream to disk:
    libro.formatEveryCell({.borders = true, .alignment = workbook::HorizontalAlignment::center});
    libro.formatRow(1, {.bold = true, .fontSize = 12});
    libro.autoFitColumns();

    for (int columna = 1; columna <= columnas; ++columna)
        libro.setValue(1, columna, kEncabezados[columna - 1]);

    long escritos = 0;
    for (int fila = 2; !registros.eof(); ++fila, registros.move_next()) {
        for (int j = 0; j < columnas; ++j)
            escribe_valor(libro, fila, j + 1, registros[j]);
        ++escritos;
        runtime::still_working();
    }
    registros.close();

    libro.saveAs(archivo);
    libro.close();
    return escritos;
}

}  // namespace billing
