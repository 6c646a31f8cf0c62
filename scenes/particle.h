// The drifting lights of the main and about screens, and the small seeded
// generator they are scattered with.
#pragma once

#include <cstdint>

// Five fields, whose meaning each screen gives its own.
struct Particle {
    float field1;
    float field2;
    float field3;
    float field4;
    float field5;
};

// Integers 0..32767 from a seed that can be set; the same seed gives the same
// numbers on every machine, so headless runs repeat exactly.
class Random15 {
public:
    void seed(std::uint32_t value) { state = value; }
    int next() {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t state = 1;
};

// The screens reseed before every draw with the tick count, the particle's
// index and the number drawn before, which carries on from draw to draw.
class ParticleSeeder {
public:
    explicit ParticleSeeder(std::uint32_t firstCarry) : carry(firstCarry) {}
    int draw(std::uint32_t index);

private:
    Random15 random;
    std::uint32_t carry;
};
