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

// The texts of one week column's boxes.
struct TextosColumna {
    std::string boleta, creada, recFecha, recHora, resuelta, prioridad;
};

// The four ticket boxes, week 1 first.
using BoletasDeLasSemanas = std::array<std::string, 4>;

// Placing the chosen ticket.

// yaestaboleta: the chosen ticket stands in one of the four columns.
bool yaestaboleta(const BoletasDeLasSemanas& boletas, std::string_view seleccion);
// The week (1..4) that "&Colocar Boleta" fills: column 1 when columns 1 and
// 4 are empty, else the first empty column after a filled one; nothing when
// the ticket already stands in a column or no column follows that rule.
std::optional<int> columnaParaColocar(const BoletasDeLasSemanas& boletas,
                                      std::string_view seleccion);

// Looking a ticket up.

struct Busqueda {
    enum Resultado {
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

// Showing saved evaluations.

// The week column (1..4) of a saved row; nothing for a row never saved.
std::optional<int> semanaGuardada(const runtime::Value& semana);
// llenacolumna: the texts of a saved row's column.
TextosColumna llenacolumna(const EvaluacionGuardada& fila);
// llenaimagen: the rating a stored value shows; nothing (the image stays as
// it is) for any value but 1, 2 and 3.
std::optional<Valorimagen> calificacionGuardada(const runtime::Value& articulo);

}  // namespace quality
