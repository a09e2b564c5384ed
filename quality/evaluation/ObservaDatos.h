#pragma once
// What the evaluation window reads from Ternova.mdb: the evaluations saved
// for a technician, month and year, and the sampled ticket that a week
// column receives. Every value the user chose or typed is bound.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "database/database.h"
#include "runtime/value.h"

namespace quality {

// The saved evaluations of a technician (by name) whose tickets were created
// in month `mes` of year `año`, in the order of the saved query.
inline constexpr const char* kEvaluacionesDelMesSql =
    "SELECT * FROM Boletas_Random_Historico WHERE Nombre = ? AND "
    "month(format(fecha_creada,\"dd/mm/yy\")) = ? AND year(fecha_creada) = ?;";

// A sampled ticket of the whole history with its technician's name.
inline constexpr const char* kBoletaMuestreadaSql =
    "SELECT * FROM Tecnico_All_Information WHERE RndBoleta = ?;";

// One row of Boletas_Random_Historico, as the window shows it.
struct EvaluacionGuardada {
    std::string boleta, fecha_creada, fecha_resuelta, fecha_reconoce, prioridad;
    runtime::Value supervisor, semana, comentarios;
    // articulo1 .. articulo5 as stored (Null until first saved).
    std::array<runtime::Value, 5> articulos;
};

// The row of Tecnico_All_Information that a ticket number finds.
struct BoletaMuestreada {
    std::string nombre;
    runtime::Value fecha_creada, fecha_resuelta, prioridad;
};

// Reading the month and a ticket. Both raise db::Error when the database fails.

// The evaluations of `nombre` created in `mes` (1..12) of `año` (0 finds nothing).
std::vector<EvaluacionGuardada> evaluacionesDelMes(db::Database& conexion, std::string_view nombre,
                                                   int mes, double año);

// The first row of the sampled ticket `boleta`; nothing when it was never sampled.
std::optional<BoletaMuestreada> boletaMuestreada(db::Database& conexion, std::string_view boleta);

}  // namespace quality
