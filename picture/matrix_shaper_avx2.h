#pragma once

#include <array>
#include <cstdint>

namespace picture::detail {

/// A matrix-and-curve conversion in the shape the 256-bit path needs, where no instruction looks up more than 16 bytes:
/// each channel's curve as sixteen quadratic pieces (one for each high nibble of the sample, in the low nibble),
/// their coefficients split into low and high bytes; the matrix in 16-bit fixed point; and sRGB's encoding as cubic
/// pieces in three tiers of eight: over all of linear light, over its darkest eighth and over its darkest 64th.
/// Channels are indexed by their byte in an RGB32 pixel: 0 blue, 1 green, 2 red.
struct NarrowMatrixShaper
{
    /// curveLow[channel][coefficient] and curveHigh: the bytes of the coefficients of linear light in 1/32768 as
    /// c0 + u * (c1 + u * c2), u the low nibble / 16.
    alignas(32) std::array<std::array<std::array<std::uint8_t, 16>, 3>, 3> curveLow{}, curveHigh{};
    /// encode[tier][coefficient]: sRGB samples in 1/128 of a level (half a level added, so that cutting off the
    /// fraction rounds) as c0 + u * (c1 + u * (c2 + u * c3)), u the place within the piece.
    alignas(32) std::array<std::array<std::array<std::int16_t, 8>, 4>, 3> encode{};
    std::array<std::array<std::int16_t, 3>, 3> matrix{}; ///< [output channel][input channel], 1.0 = 2^sumBits
    int sumBits = 14;                                    ///< linear light 1.0 in the sums: 2^13 or 2^14
};

/// True when this processor has AVX2.
bool narrowMatrixShaperAvailable();

/// Converts the first width / 32 * 32 pixels of an RGB32 line in place and returns how many it converted; the caller
/// converts the rest. Only to be called when narrowMatrixShaperAvailable().
int convertNarrow(const NarrowMatrixShaper& tables, unsigned char* line, int width);

} // namespace picture::detail
