#pragma once
// SplitMix64: small, fast and the same on every compiler, so one seed gives one neighbourhood
// wherever the stand-in runs.
#include <cstdint>

namespace simrx {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    // In [low, high].
    double between(double low, double high) { return low + (high - low) * unit(); }
    // In [low, high]; the slight bias of the modulo does not matter here.
    std::int32_t between(std::int32_t low, std::int32_t high)
    {
        return low + static_cast<std::int32_t>(next() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool chance(double probability) { return unit() < probability; }

private:
    std::uint64_t state_;
};

}  // namespace simrx
