#pragma once
// The rating of one criterion of an evaluated ticket, in its stored form
// (the articulo1 .. articulo5 columns of Historico_Boletas_Calidad): the
// evaluation window shows it as one of its three reference pictures and
// hands it to the rating rules and the save as this number.

#include <cstdint>

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

}  // namespace quality
