#pragma once
// The filter of the billing records: the leading characters of thirteen of
// their fields, as the filter window's hidden labels hold them, and the
// statement over prueba that the grid opens with them.

#include <array>
#include <string>
#include <string_view>

namespace billing {

// One filtered column: the hidden label that holds its text and the column
// of prueba it narrows.
struct ColumnaFiltro {
    const char* etiqueta;
    const char* columna;
};

inline constexpr int kFiltros = 13;

// The filtered columns in the filter window's order.
inline constexpr std::array<ColumnaFiltro, kFiltros> kColumnasFiltro{{
    {"cs", "Causa de Salida"},
    {"na", "# cliente A"},
    {"cc", "Cat cliente A"},
    {"nb", "# cliente B"},
    {"rd", "Razón desconexión"},
    {"fi", "Fecha inicio fact"},
    {"hi", "Hora inicio fact"},
    {"df", "Duración fact"},
    {"di", "Duración interrupción"},
    {"rs", "Ruta salida"},
    {"re", "Ruta entrada"},
    {"irs", "Ind ruta salida"},
    {"ire", "Ind ruta entrada"},
}};

// The texts of the hidden labels, in the order of kColumnasFiltro; an empty
// one lets every value of its column through.
using FiltroRegistros = std::array<std::string, kFiltros>;

// What the duration label shows for the duration box's text: a short
// duration is completed from the left with "00:00:00" ("5" is "00:00:05",
// "1:30" is "00:01:30"), the box's blanks at either end left out; an empty
// box empties it; eight characters or more pass as typed.
std::string etiqueta_duracion(std::string_view texto);

// The statement over prueba that keeps the records whose every filtered
// column begins with its label's text, with the database's like wildcards
// ("*" any run, "?" one character). Each text is quoted with its quotes
// doubled, so that a quote typed in a box is a character to match.
std::string consulta_prueba(const FiltroRegistros& filtros);

}  // namespace billing
