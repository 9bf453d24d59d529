#pragma once

#include <cstdint>
#include <random>

namespace lingomat {

// The one source of chance in the game. Seeded from the clock at start-up; tests fix the seed.
class Random {
public:
    explicit Random(std::uint32_t seed = 1) : engine(seed) {}
    virtual ~Random() = default;

    void Seed(std::uint32_t seed) { engine.seed(seed); }

    // Uniform in 0..n-1; 0 when n is 0, so that callers never divide by zero.
    std::uint32_t Draw(std::uint32_t n) {
        if (n <= 1) {
            return 0;
        }
        return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(engine);
    }

    // A chance of 1 in n.
    bool OneIn(std::uint32_t n) { return Draw(n) == 0; }

private:
    std::mt19937 engine;
};

} // namespace lingomat
