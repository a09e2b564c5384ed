#pragma once
// The time criteria of a week of the evaluation window: criterion 1
// (acknowledged in time) and criterion 4 (resolved and closed in time),
// computed from the ticket's creation, acknowledgement and resolution
// moments against the limits of its priority band.
//
// The window calls calificatiempos() when a week's acknowledgement passed
// its checks, then shows the two ratings and the counts it returns (or the
// message when the acknowledgement is out of order). The save calls
// califica_tiempos() to rate a week again whose acknowledgement changed.
//
// Moments are texts "dd/mm/yy hh:mm" (day first). Elapsed times are counted
// in exact whole minutes from each moment's day and minute of the day, so a
// ticket exactly at its limit is always satisfactory and one minute past it
// always unsatisfactory.

#include <array>
#include <optional>
#include <string_view>

#include "Calificacion.h"
#include "database/database.h"

namespace quality {

// Moments.

// A moment to the minute: its day (the date serial's day number) and its
// minute of the day. An hour "24" (which the time box admits) is read as the
// end of the day, that is the next day's first hour.
struct Momento {
    long dia = 0;
    int minuto = 0;
    // Minutes since the start of the date serials: exact, comparable.
    long long minutos() const { return static_cast<long long>(dia) * 1440 + minuto; }
};

// The moment of "dd/mm/yy hh:mm": the day of the date read day first and the
// minute of the last five characters "hh:mm"; nothing when either is not
// readable.
std::optional<Momento> lee_momento(std::string_view texto);
// The day of a date text read day first ("dd/mm/yy"); nothing when it is no date.
std::optional<long> lee_dia(std::string_view texto);
// The minute of the day of "hh:mm" (hours 00..24, minutes 00..59); nothing otherwise.
std::optional<int> lee_minuto(std::string_view hora);

// Whole minutes from `desde` to `hasta` (negative when `hasta` comes first).
long long minutos_transcurridos(const Momento& desde, const Momento& hasta);

// Priorities and limits.

// The priority number of the priority box's text: its leading number
// rounded to the nearest whole number, halves to the even neighbour (33.5
// reads 34, 34.5 reads 34); an empty or non-numeric text gives 0.
int prioridad_de(std::string_view prioridad);

// The limits in minutes by band (elements 0..2 used), as the program read
// them at start: acknowledgement and resolution.
struct Limites {
    std::array<double, 4> tiemposrec{};
    std::array<double, 4> tiemposres{};
};

// The rating of an elapsed time against the limit of the priority's band:
// kBien at or under the limit, kMal over it, kBlanco when no band covers the
// priority (0, 100 and above, negative).
Valorimagen califica_contra_limite(long long minutos, int prioridad,
                                   const std::array<double, 4>& limites);

// The three moments of a week.
struct MomentosBoleta {
    Momento creada;
    Momento reconocida;
    Momento resuelta;
};

// Criterion 1: creation to acknowledgement against tiemposrec.
Valorimagen Califica_reconocida(int prioridad, const MomentosBoleta& momentos,
                                const Limites& limites);
// Criterion 4: creation to resolution against tiemposres.
Valorimagen califica_resuelta(int prioridad, const MomentosBoleta& momentos,
                              const Limites& limites);

// cuentalosdemas: the counts of the criteria rated by hand (2, 3 and 5):
// each satisfactory one adds to sat, each unsatisfactory one to insat.
Cuentas cuentalosdemas(Valorimagen articulo2, Valorimagen articulo3, Valorimagen articulo5);

// Rating a week.

// What a time rating of a week came to.
struct CalificacionTiempos {
    enum class Estado {
        // The ticket's saved evaluation holds a time rating already, or there
        // is no acknowledgement: the week is left as it is.
        SinCambio,
        // The acknowledgement lies before the creation or after the
        // resolution (or a moment is unreadable): the window shows
        // kMensajeReconocimientoIncorrecto (16, "Ternova"); criteria 1 and 4
        // are not rated and both counts are 0.
        Incorrecto,
        // Criteria 1 and 4 rated; the counts are those of the whole week.
        Calificada,
    };
    Estado estado = Estado::SinCambio;
    Valorimagen articulo1 = kBlanco;
    Valorimagen articulo4 = kBlanco;
    Cuentas cuentas;
};

inline constexpr const char* kMensajeReconocimientoIncorrecto =
    "El tiempo o la fecha de reconocimiento es incorrecto.";

// The texts of a week as its boxes show them.
struct TiemposSemana {
    std::string_view reconocida;  // date box & " " & time box
    std::string_view creada;      // creation box
    std::string_view resuelta;    // resolution box
    std::string_view prioridad;   // priority box
};

// Rates criteria 1 and 4 of a week from its texts (never SinCambio unless
// the acknowledgement is empty); `articulo2`, `articulo3`, `articulo5` are
// the week's ratings by hand, counted with the two computed ones. Both ends
// of the creation..resolution span are allowed.
CalificacionTiempos califica_tiempos(const TiemposSemana& semana, const Limites& limites,
                                     Valorimagen articulo2, Valorimagen articulo3,
                                     Valorimagen articulo5);

// calificada: whether the ticket's evaluation row already holds a time
// rating (articulo1 or articulo4 not Null); nothing when the ticket has no
// row. Raises db::Error when the lookup fails.
std::optional<bool> calificada(db::Database& conexion, std::string_view boleta);

// calificatiempos: califica_tiempos() unless the ticket's saved evaluation
// holds a time rating already (then SinCambio: once a week is saved with
// its time criteria they are never recomputed).
CalificacionTiempos calificatiempos(db::Database& conexion, std::string_view boleta,
                                    const TiemposSemana& semana, const Limites& limites,
                                    Valorimagen articulo2, Valorimagen articulo3,
                                    Valorimagen articulo5);
// The same for a week column: its boxes, and its ratings of which criteria
// 2, 3 and 5 are counted.
CalificacionTiempos calificatiempos(db::Database& conexion, const TextosColumna& semana,
                                    const Limites& limites,
                                    const CalificacionesSemana& calificaciones);

}  // namespace quality
