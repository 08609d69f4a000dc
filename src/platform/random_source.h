#pragma once

#include <cstdint>
#include <random>

namespace ovant {

// Every random draw of the program goes through one of these, so that tests
// can script the values. next() is uniform in [0, 1) and never returns 1.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;

    // A whole number from 1 to n, each equally likely: floor(r * n) + 1.
    int draw(int n);
    // A whole number from low to high (both included).
    int between(int low, int high);
};

// The process-wide generator: seeded once, never reseeded per draw (reseeding
// from the clock before each draw repeats values within one clock tick).
class SystemRandom final : public RandomSource {
public:
    SystemRandom();
    explicit SystemRandom(std::uint64_t seed);
    double next() override;

private:
    std::mt19937_64 engine_;
};

// The number shown on the frame's number captions: 18425 to 964812.
int randomNumber(RandomSource& random);

}  // namespace ovant
