#pragma once

#include <cstdint>

namespace toolcommon {

/// A small deterministic generator (SplitMix64): the same seed gives the same pictures on every machine and library.
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    /// Uniform in [0, 1).
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double low, double high) { return low + (high - low) * unit(); }
    /// Uniform integer in [low, high].
    int between(int low, int high) { return low + int(next() % std::uint64_t(high - low + 1)); }
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t m_state;
};

/// A stateless hash of a pixel position, for grain that does not depend on drawing order.
inline std::uint32_t pixelHash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

} // namespace toolcommon
