#pragma once
// What the evaluation window's rules share: the rating of one criterion of
// an evaluated ticket, in its stored form (the articulo1 .. articulo5
// columns of Historico_Boletas_Calidad), which the window shows as one of
// its three reference pictures; the counts of a week; and the texts of a
// week column's boxes, as the rules read them.

#include <array>
#include <cstdint>
#include <string>

namespace quality {

using Valorimagen = std::uint8_t;

inline constexpr Valorimagen kBlanco = 1;  // not rated
inline constexpr Valorimagen kBien = 2;    // satisfactory
inline constexpr Valorimagen kMal = 3;     // unsatisfactory
// An image that shows none of the three pictures (the rules leave it alone).
inline constexpr Valorimagen kSinCalificacion = 0;

// The counts of a week: its satisfactory and unsatisfactory criteria.
struct Cuentas {
    int sat = 0;
    int insat = 0;
    friend bool operator==(const Cuentas&, const Cuentas&) = default;
};

// The ratings of a week's criteria 1 to 5.
using CalificacionesSemana = std::array<Valorimagen, 5>;

// The texts of one week column's boxes: the ticket, its creation and
// resolution ("dd/mm/yy hh:mm"), its priority, and the acknowledgement's
// date and time boxes as the masked boxes read them ("__/__/__" and "__:__"
// when empty).
struct TextosColumna {
    std::string boleta, creada, recFecha, recHora, resuelta, prioridad;
};

}  // namespace quality
