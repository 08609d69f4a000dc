#include "platform/random_source.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace ovant {

int RandomSource::draw(int n) {
    if (n <= 1) {
        return 1;
    }
    const int value = static_cast<int>(std::floor(next() * n)) + 1;
    // A generator that hands back exactly 1 must not produce n + 1.
    return std::clamp(value, 1, n);
}

int RandomSource::between(int low, int high) {
    if (high <= low) {
        return low;
    }
    return low + draw(high - low + 1) - 1;
}

SystemRandom::SystemRandom() {
    std::random_device device;
    const auto clock =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::seed_seq seeds{device(), device(), static_cast<unsigned>(clock),
                        static_cast<unsigned>(clock >> 32)};
    engine_.seed(seeds);
}

SystemRandom::SystemRandom(std::uint64_t seed) : engine_(seed) {}

double SystemRandom::next() {
    // 53 random bits scaled by 2^-53: exactly representable, always below 1.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

int randomNumber(RandomSource& random) {
    return random.between(18425, 964812);
}

}  // namespace ovant
