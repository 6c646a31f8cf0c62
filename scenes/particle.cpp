#include "scenes/particle.h"

#include "platform/win32.h"

int ParticleSeeder::draw(std::uint32_t index) {
    random.seed(GetTickCount() + index + carry);
    const int value = random.next();
    carry = static_cast<std::uint32_t>(value);
    return value;
}
