#pragma once
// The random numbers of the sampling, as Randomize and Rnd gave them: seeded
// from the clock's Timer at every randomize(), or, for tests, from a fixed
// seed that randomize() leaves alone.

#include <cstdint>
#include <random>

namespace quality {

class Aleatorio {
public:
    // Seeded from the clock in use (runtime::timer()) at every randomize().
    Aleatorio();
    // Seeded once from `semilla`; randomize() keeps the sequence going.
    explicit Aleatorio(std::uint32_t semilla);

    // Randomize: a new seed from the clock (unless the seed is fixed).
    void randomize();
    // Rnd: the next number, 0 <= n < 1.
    double rnd();

private:
    bool fija_;
    std::mt19937 motor_;
};

}  // namespace quality
