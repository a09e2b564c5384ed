#include "Aleatorio.h"

#include <cstring>

#include "runtime/clock.h"

namespace quality {

Aleatorio::Aleatorio() : fija_(false) {
    randomize();
}

Aleatorio::Aleatorio(std::uint32_t semilla) : fija_(true), motor_(semilla) {}

void Aleatorio::randomize() {
    if (fija_)
        return;
    // Every bit of the Timer's seconds since midnight counts, its fraction included.
    const double segundos = runtime::timer();
    std::uint32_t partes[2];
    static_assert(sizeof partes == sizeof segundos);
    std::memcpy(partes, &segundos, sizeof partes);
    std::seed_seq semilla{partes[0], partes[1]};
    motor_.seed(semilla);
}

double Aleatorio::rnd() {
    // 53 random bits, so that the number is never 1.
    const double alto = double(motor_() >> 5), bajo = double(motor_() >> 6);
    return (alto * 67108864.0 + bajo) / 9007199254740992.0;
}

}  // namespace quality
