#pragma once
// The criterion ratings of the evaluation window's weeks, apart from the
// window: what a click on a criterion does, how a week's counts follow each
// rating change, and the month's totals and percentage.
//
// The window calls, on a criterion click: se_puede_calificar() with the
// week's six boxes; for criteria 2, 3 and 5 clic_manual() and then
// cuenta_articulos(); for criteria 1 and 4 abre_cambio() and, when true,
// appends linea_de_cambio() to the comments, shows the rating-change dialog
// and, when it chose, takes cambio_elegido() and cuenta_articulos(). On
// every change of a count box it calls totales_del_mes(), and on every
// change of the percentage box porcentaje().

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Calificacion.h"

namespace quality {

// Clicks.

// The common test of a click: the week's ticket, creation, resolution and
// priority boxes hold text and its acknowledgement boxes do not show their
// empty masks. Otherwise a click changes nothing.
bool se_puede_calificar(std::string_view boleta, std::string_view creada, std::string_view resuelta,
                        std::string_view prioridad, std::string_view fecharec,
                        std::string_view horarec);
bool se_puede_calificar(const TextosColumna& semana);

// How `codigocuenta` tells cuenta_articulos() what the rating was before.
enum CodigoCuenta : int {
    kCambioEntreCalificaciones = 1,  // satisfactory <-> unsatisfactory
    kDeMalABlanco = 2,               // unsatisfactory -> not rated
    kSinCalificarAntes = 3,          // not rated before: count the new rating
};

// A rating change: the criterion's new rating and the code to count it with.
struct CambioDeCalificacion {
    Valorimagen nueva = kBlanco;
    int codigocuenta = kSinCalificarAntes;
    friend bool operator==(const CambioDeCalificacion&, const CambioDeCalificacion&) = default;
};

// Criteria 2, 3 and 5: not rated -> satisfactory (3), satisfactory ->
// unsatisfactory (1), unsatisfactory -> not rated (2). Nothing for an image
// that shows none of the three pictures.
std::optional<CambioDeCalificacion> clic_manual(Valorimagen antes);

// Criteria 1 and 4: a click acts only on an unsatisfactory rating.
bool abre_cambio(Valorimagen antes);
// The text the click appends to the comments before the dialog opens,
// directly after what they hold: "1) Boleta " (criterion 1) or "4) Boleta "
// (criterion 4) and the ticket number. It stays when the dialog is cancelled.
std::string linea_de_cambio(int criterio, std::string_view boleta);

// The dialog's answer.
enum class EleccionCambio { Cancelada, Satisfactorio, NoCalificacion };
// What the dialog's answer does to the unsatisfactory criterion:
// "&Satisfactorio" makes it satisfactory (code 1), "&No Calificación" not
// rated (code 2); a cancelled dialog changes nothing.
std::optional<CambioDeCalificacion> cambio_elegido(EleccionCambio eleccion);

// Counting.

// Which count box a write goes to.
enum class Contador { Sat, Insat };
// One write into a count box, in the order the window makes them (each
// fires that box's change handler).
struct Escritura {
    Contador contador;
    std::string texto;
    friend bool operator==(const Escritura&, const Escritura&) = default;
};

// cuenta_articulos: the writes into a week's count boxes after one
// criterion's rating became `nueva`, by `codigocuenta` (0 and other values
// count as 3). `sat` and `insat` are the boxes' texts, read by their
// leading number (an empty text is 0). Each step adds or takes 1 and writes
// the result; a count taken below 0 is written again as "0". An image that
// shows none of the pictures gives no writes.
std::vector<Escritura> cuenta_articulos(Valorimagen nueva, int codigocuenta, std::string_view sat,
                                        std::string_view insat);

// The counts of the ratings a week shows: its satisfactory and its
// unsatisfactory criteria.
Cuentas cuentas_de(const CalificacionesSemana& calificaciones);

// The month.

// What a change of one count box writes into the totals: the sums of the
// four weeks' counts and the share of satisfactory criteria as a plain
// number ("0.75"). With no rated criterion at all the share is "0" after a
// change of a satisfactory count box and stays as it was (nothing) after
// one of an unsatisfactory count box.
struct TotalesDelMes {
    std::string sattotal;
    std::string insattotal;
    std::optional<std::string> total;
};
TotalesDelMes totales_del_mes(const std::array<std::string, 4>& sat,
                              const std::array<std::string, 4>& insat, Contador cambiado);

// The percentage box's text after it changed: a plain number shown with
// "##.0%" ("0.75" shows "75.0%", "0" ".0%"); any other text (the percentage
// just written) stays as it is.
std::string porcentaje(std::string_view total);

}  // namespace quality
