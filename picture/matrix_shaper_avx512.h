#pragma once

#include <array>
#include <cstdint>

namespace picture::detail {

/// A matrix-and-curve conversion in the shape the wide-register path needs: each channel's curve as two 256-byte
/// tables (the low and high bytes of linear light in 1/32768), the matrix in 16-bit fixed point, and sRGB's encoding
/// as two 64-segment tables of linear pieces: fine ones for the darkest sixteenth, where the curve bends most, and
/// coarse ones above. Channels are indexed by their byte in an RGB32 pixel: 0 blue, 1 green, 2 red.
struct WideMatrixShaper
{
    alignas(64) std::array<std::array<std::uint8_t, 256>, 3> linearLow{};
    alignas(64) std::array<std::array<std::uint8_t, 256>, 3> linearHigh{};
    alignas(64) std::array<std::int16_t, 64> fineBase{}, fineSlope{}, coarseBase{}, coarseSlope{};
    std::array<std::array<std::int16_t, 3>, 3> matrix{}; ///< [output channel][input channel], 1.0 = 2^sumBits
    int sumBits = 14;                                    ///< linear light 1.0 in the sums: 2^13 or 2^14
};

/// True when this processor has the byte-permute instructions the wide path needs (AVX-512 VBMI).
bool wideMatrixShaperAvailable();

/// Converts the first width / 64 * 64 pixels of an RGB32 line in place and returns how many it converted; the caller
/// converts the rest. Only to be called when wideMatrixShaperAvailable().
int convertWide(const WideMatrixShaper& tables, unsigned char* line, int width);

} // namespace picture::detail
