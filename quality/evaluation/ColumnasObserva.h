#pragma once
// The rules of the evaluation window's four week columns, apart from any
// widget: which column a chosen ticket goes to, what a ticket lookup fills
// in and what a saved evaluation shows. The counters and the month's totals
// follow CalificaArticulos.h.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Calificacion.h"
#include "ObservaDatos.h"
#include "runtime/value.h"

namespace quality {

// The four ticket boxes, week 1 first.
using BoletasDeLasSemanas = std::array<std::string, 4>;

// What the window keeps of a week column besides its boxes.
struct MemoriaColumna {
    // The column shows a saved evaluation (loaded or saved): its values stay
    // as they are, no lookup replaces them.
    bool guardada = false;
    // The ticket whose data the boxes and ratings hold ("" for none).
    std::string boleta;
    // The acknowledgement criteria 1 and 4 were rated from, or loaded with.
    std::string reconocimientoCalificado;

    // Whether the column holds another ticket's data than `nueva`'s, to be
    // emptied before `nueva` is shown.
    bool tieneOtraBoleta(std::string_view nueva) const {
        return !boleta.empty() && boleta != nueva;
    }
};

// Placing the chosen ticket.

// yaestaboleta: the chosen ticket stands in one of the four columns.
bool yaestaboleta(const BoletasDeLasSemanas& boletas, std::string_view seleccion);
// The week (1..4) that "&Colocar Boleta" fills: column 1 when columns 1 and
// 4 are empty, else the first empty column after a filled one; nothing when
// the ticket already stands in a column or no column follows that rule.
std::optional<int> columnaParaColocar(const BoletasDeLasSemanas& boletas,
                                      std::string_view seleccion);
// The information message when no column takes the chosen ticket.
std::string mensajeYaColocada(std::string_view seleccion);
// Whether all four ticket boxes hold a ticket (nothing more to save then).
bool todasLlenas(const BoletasDeLasSemanas& boletas);

// Looking a ticket up.

struct Busqueda {
    enum Resultado {
        Repetida,     // stands in another column already
        Desconocida,  // never sampled
        Ajena,        // of another technician, or resolved in another month
        Aceptada,
    };
    Resultado resultado = Desconocida;
    // The year of the ticket's creation (Ajena and Aceptada).
    std::string año;
    // Aceptada: the creation, resolution and priority, and the acknowledgement
    // boxes at the creation's date and minute.
    TextosColumna textos;
};

// The lookup's verdict on a sampled ticket for the chosen technician and
// month name (both compared exactly); the month is that of the resolution.
Busqueda traefechas(const std::optional<BoletaMuestreada>& fila, std::string_view tecnico,
                    std::string_view mes);
// The lookup of ticket `boleta` typed or placed in week `semana`: refused
// when another column holds it, else traefechas() of its sampled row.
// Raises db::Error when the database fails.
Busqueda buscaBoleta(db::Database& conexion, const BoletasDeLasSemanas& boletas, int semana,
                     std::string_view boleta, std::string_view tecnico, std::string_view mes);
// The critical message that refuses a ticket; nullptr for an accepted one.
const char* mensajeDeRechazo(Busqueda::Resultado resultado);

// Showing saved evaluations.

// The week column (1..4) of a saved row; nothing for a row never saved.
std::optional<int> semanaGuardada(const runtime::Value& semana);
// llenacolumna: the texts of a saved row's column.
TextosColumna llenacolumna(const EvaluacionGuardada& fila);
// llenaimagen: the rating a stored value shows; nothing (the image stays as
// it is) for any value but 1, 2 and 3.
std::optional<Valorimagen> calificacionGuardada(const runtime::Value& articulo);

}  // namespace quality
