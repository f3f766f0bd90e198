#pragma once

// The small JPEG file a region is decoded from: the original's frame and quantisation tables, and the region's
// coefficients Huffman-coded anew with libjpeg's standard tables, which hold every symbol (the file's own tables, when
// optimised, may lack the DC difference a region's first block needs).
#include <QByteArray>
#include <array>
#include <cstdint>

#include "failure/result.h"
#include "picture/jpeg_markers.h"

namespace picture::scan {

class RegionEncoder
{
public:
    /// The header of a file of width x height pixels with the frame's components, tables and colour markers.
    static failure::Result<RegionEncoder> start(const Frame& frame, int width, int height);

    /// Codes the next block of component c (natural order, as decoded).
    void addBlock(std::size_t c, const std::int16_t* coefficients);
    /// The complete file.
    QByteArray finish();

private:
    struct Code
    {
        std::array<std::uint16_t, 256> code{};
        std::array<std::uint8_t, 256> size{};
    };
    void put(std::uint32_t bits, int size);

    QByteArray m_bytes;
    Code m_dc;
    Code m_ac;
    std::array<int, MaxComponents> m_predictors{};
    std::uint64_t m_bits = 0;
    int m_count = 0;
};

} // namespace picture::scan
