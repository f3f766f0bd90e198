#include "picture/matrix_shaper_avx512.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define MAPCATALOGUE_WIDE_PATH 1
#endif

namespace picture::detail {

#ifdef MAPCATALOGUE_WIDE_PATH

// 64 pixels at a time in 512-bit registers: the pixels are split into a plane of bytes a channel, each plane looked up
// in its curve's tables with byte permutes (four registers hold a 256-entry table), the three linear planes mixed by
// the matrix in 16-bit lanes, each sum encoded by the linear piece of sRGB's curve its range falls in, and the planes
// woven back into pixels with 0xFF in the fourth byte. Every step is a register operation; nothing is looked up in
// memory per pixel, which is what keeps it near half a nanosecond a pixel where the one-pixel-at-a-time tables take
// one and a half.
#define WIDE_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi")))

namespace {

struct Indices
{
    alignas(64) unsigned char plane[3][64];   // the bytes of one channel from two registers of 16 pixels
    alignas(64) unsigned char pairs[4][64];   // blue and green of pixels 16q.. into their places in four pixels
    alignas(64) unsigned char withRed[4][64]; // those two bytes kept, red added
};

constexpr Indices makeIndices()
{
    Indices indices{};
    for (int channel = 0; channel < 3; ++channel)
        for (int j = 0; j < 64; ++j)
            indices.plane[channel][j] = static_cast<unsigned char>(4 * (j % 32) + channel);
    for (int quarter = 0; quarter < 4; ++quarter) {
        for (int i = 0; i < 16; ++i) {
            const int pixel = 16 * quarter + i;
            indices.pairs[quarter][4 * i] = static_cast<unsigned char>(pixel);
            indices.pairs[quarter][4 * i + 1] = static_cast<unsigned char>(64 + pixel);
            indices.withRed[quarter][4 * i] = static_cast<unsigned char>(4 * i);
            indices.withRed[quarter][4 * i + 1] = static_cast<unsigned char>(4 * i + 1);
            indices.withRed[quarter][4 * i + 2] = static_cast<unsigned char>(64 + pixel);
        }
    }
    return indices;
}

constexpr Indices TheIndices = makeIndices();

struct Table256
{
    __m512i quarter[4];
};

WIDE_TARGET inline Table256 loadTable(const std::array<std::uint8_t, 256>& table)
{
    Table256 loaded;
    for (int i = 0; i < 4; ++i)
        loaded.quarter[i] = _mm512_load_si512(table.data() + 64 * i);
    return loaded;
}

// Each byte of index looked up in a 256-entry table; upper is the mask of indices of 128 and more.
WIDE_TARGET inline __m512i lookup256(const Table256& table, __m512i index, __mmask64 upper)
{
    const __m512i lower = _mm512_permutex2var_epi8(table.quarter[0], index, table.quarter[1]);
    const __m512i higher = _mm512_permutex2var_epi8(table.quarter[2], index, table.quarter[3]);
    return _mm512_mask_blend_epi8(upper, lower, higher);
}

struct Encoding
{
    __m512i fineBase[2], fineSlope[2], coarseBase[2], coarseSlope[2];
};

WIDE_TARGET inline void loadHalves(__m512i (&halves)[2], const std::array<std::int16_t, 64>& table)
{
    halves[0] = _mm512_load_si512(table.data());
    halves[1] = _mm512_load_si512(table.data() + 32);
}

// A register of 32 linear sums (1.0 is 2^SumBits) to sRGB samples: the piece's start plus its rise times the place
// within it, in 1/128 of a level, rounded to a level (each base holds the half level that rounds). Fine pieces cover
// the darkest sixteenth, coarse ones the rest.
template <int SumBits> WIDE_TARGET inline __m512i encode(const Encoding& e, __m512i sum)
{
    constexpr int FineShift = SumBits - 10, CoarseShift = SumBits - 6;
    sum = _mm512_min_epi16(_mm512_max_epi16(sum, _mm512_setzero_si512()), _mm512_set1_epi16((1 << SumBits) - 1));
    const __m512i placeMask = _mm512_set1_epi16(0x7FFF);
    const __m512i coarse = _mm512_srli_epi16(sum, CoarseShift);
    __m512i base = _mm512_permutex2var_epi16(e.coarseBase[0], coarse, e.coarseBase[1]);
    __m512i slope = _mm512_permutex2var_epi16(e.coarseSlope[0], coarse, e.coarseSlope[1]);
    // The place within the piece scaled to 2^15, so that a rounding multiply gives slope * place.
    __m512i place = _mm512_and_si512(_mm512_slli_epi16(sum, 15 - CoarseShift), placeMask);
    const __mmask32 fine = _mm512_cmplt_epi16_mask(sum, _mm512_set1_epi16(1 << (SumBits - 4)));
    if (fine) {
        const __m512i fineIndex = _mm512_srli_epi16(sum, FineShift);
        base = _mm512_mask_blend_epi16(fine, base, _mm512_permutex2var_epi16(e.fineBase[0], fineIndex, e.fineBase[1]));
        slope =
            _mm512_mask_blend_epi16(fine, slope, _mm512_permutex2var_epi16(e.fineSlope[0], fineIndex, e.fineSlope[1]));
        place =
            _mm512_mask_blend_epi16(fine, place, _mm512_and_si512(_mm512_slli_epi16(sum, 15 - FineShift), placeMask));
    }
    return _mm512_srli_epi16(_mm512_add_epi16(base, _mm512_mulhrs_epi16(slope, place)), 7); // bases hold the half
}

template <int SumBits> WIDE_TARGET int convertBlocks(const WideMatrixShaper& tables, unsigned char* line, int width)
{
    Table256 low[3], high[3];
    for (int channel = 0; channel < 3; ++channel) {
        low[channel] = loadTable(tables.linearLow[channel]);
        high[channel] = loadTable(tables.linearHigh[channel]);
    }
    __m512i matrix[3][3];
    for (int out = 0; out < 3; ++out)
        for (int in = 0; in < 3; ++in)
            matrix[out][in] = _mm512_set1_epi16(tables.matrix[out][in]);
    Encoding e{};
    loadHalves(e.fineBase, tables.fineBase);
    loadHalves(e.fineSlope, tables.fineSlope);
    loadHalves(e.coarseBase, tables.coarseBase);
    loadHalves(e.coarseSlope, tables.coarseSlope);
    __m512i planeIndex[3], pairIndex[4], redIndex[4];
    for (int i = 0; i < 3; ++i)
        planeIndex[i] = _mm512_load_si512(TheIndices.plane[i]);
    for (int i = 0; i < 4; ++i) {
        pairIndex[i] = _mm512_load_si512(TheIndices.pairs[i]);
        redIndex[i] = _mm512_load_si512(TheIndices.withRed[i]);
    }
    const __m512i opaque = _mm512_set1_epi32(static_cast<int>(0xFF000000U));

    const int blocks = width / 64;
    for (int block = 0; block < blocks; ++block) {
        unsigned char* pixels = line + 256 * block;
        __m512i in[4];
#pragma GCC unroll 4
        for (int i = 0; i < 4; ++i)
            in[i] = _mm512_loadu_si512(pixels + 64 * i);
        // Linear light of each channel in two registers of 16-bit lanes: pixels 0-7, 16-23, 32-39, 48-55 in the
        // first, the others in the second (the order unpacking gives; packing restores it).
        __m512i linear[3][2];
#pragma GCC unroll 4
        for (int channel = 0; channel < 3; ++channel) {
            const __m512i firstHalf = _mm512_permutex2var_epi8(in[0], planeIndex[channel], in[1]);
            const __m512i secondHalf = _mm512_permutex2var_epi8(in[2], planeIndex[channel], in[3]);
            const __m512i plane = _mm512_mask_blend_epi64(0xF0, firstHalf, secondHalf); // both hold their 32 twice
            const __mmask64 upper = _mm512_movepi8_mask(plane);
            const __m512i lowBytes = lookup256(low[channel], plane, upper);
            const __m512i highBytes = lookup256(high[channel], plane, upper);
            linear[channel][0] = _mm512_unpacklo_epi8(lowBytes, highBytes);
            linear[channel][1] = _mm512_unpackhi_epi8(lowBytes, highBytes);
        }
        __m512i encoded[3];
#pragma GCC unroll 4
        for (int out = 0; out < 3; ++out) {
            __m512i samples[2];
#pragma GCC unroll 4
            for (int half = 0; half < 2; ++half) {
                const __m512i sum =
                    _mm512_add_epi16(_mm512_add_epi16(_mm512_mulhrs_epi16(linear[0][half], matrix[out][0]),
                                                      _mm512_mulhrs_epi16(linear[1][half], matrix[out][1])),
                                     _mm512_mulhrs_epi16(linear[2][half], matrix[out][2]));
                samples[half] = encode<SumBits>(e, sum);
            }
            encoded[out] = _mm512_packus_epi16(samples[0], samples[1]);
        }
#pragma GCC unroll 4
        for (int quarter = 0; quarter < 4; ++quarter) {
            const __m512i blueGreen = _mm512_permutex2var_epi8(encoded[0], pairIndex[quarter], encoded[1]);
            const __m512i woven = _mm512_permutex2var_epi8(blueGreen, redIndex[quarter], encoded[2]);
            _mm512_storeu_si512(pixels + 64 * quarter, _mm512_or_si512(woven, opaque));
        }
    }
    return 64 * blocks;
}

} // namespace

WIDE_TARGET int convertWide(const WideMatrixShaper& tables, unsigned char* line, int width)
{
    return tables.sumBits == 14 ? convertBlocks<14>(tables, line, width) : convertBlocks<13>(tables, line, width);
}

bool wideMatrixShaperAvailable()
{
    static const bool available =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
    return available;
}

#else

int convertWide(const WideMatrixShaper&, unsigned char*, int)
{
    return 0;
}

bool wideMatrixShaperAvailable()
{
    return false;
}

#endif

} // namespace picture::detail
