#include "picture/jpeg_huffman.h"

namespace picture::scan {
namespace {

// The symbol of the next code, -1 for a code the table does not have.
inline int decodeSymbol(BitReader& reader, const HuffmanTable& table)
{
    const std::uint16_t entry = table.fast[static_cast<std::size_t>(reader.peek(LookaheadBits))];
    if (entry != 0) {
        reader.skip(entry >> 8);
        return entry & 0xFF;
    }
    for (int length = LookaheadBits + 1; length <= 16; ++length) {
        const int code = reader.peek(length);
        if (code <= table.maxCode[static_cast<std::size_t>(length)]) {
            reader.skip(length);
            return table
                .symbols[static_cast<std::size_t>((code + table.offset[static_cast<std::size_t>(length)]) & 0xFF)];
        }
    }
    return -1;
}

// The value of a size-bit amplitude as JPEG codes it: the low half of the range stands for the negative values.
inline int extend(int bits, int size)
{
    return bits < (1 << (size - 1)) ? bits - (1 << size) + 1 : bits;
}

} // namespace

failure::Result<HuffmanTable> buildHuffmanTable(const HuffmanSpec& spec)
{
    HuffmanTable table;
    table.symbols = spec.symbols;
    int code = 0;
    int index = 0;
    table.maxCode.fill(-1);
    for (int length = 1; length <= 16; ++length) {
        const int count = spec.counts[static_cast<std::size_t>(length - 1)];
        // The all-ones code of each length is kept free: a table that needs it is no table. Checked before the
        // codes are entered, which would otherwise run past the lookahead table.
        if (code + count >= (1 << length))
            return failure::Failure{failure::What::DamagedJpeg, {}, "a Huffman table with too many codes", {}};
        table.offset[static_cast<std::size_t>(length)] = index - code;
        for (int i = 0; i < count; ++i, ++code, ++index) {
            if (length <= LookaheadBits) {
                const int shift = LookaheadBits - length;
                for (int fill = 0; fill < (1 << shift); ++fill)
                    table.fast[static_cast<std::size_t>(code << shift | fill)] =
                        static_cast<std::uint16_t>(length << 8 | spec.symbols[static_cast<std::size_t>(index)]);
            }
        }
        if (count > 0)
            table.maxCode[static_cast<std::size_t>(length)] = code - 1;
        code <<= 1;
    }
    table.maxCode[17] = 0x7FFFFFFF;
    return table;
}

Restart passRestartMarker(BitReader& reader, int expected)
{
    const std::uint8_t* data = reader.data();
    // From the first byte the scan has not used: how far the reader had read ahead must not matter.
    std::size_t at = reader.state.position;
    for (int bytes = reader.dataBitsLeft() / 8; bytes > 0 && at > 0; --bytes) {
        --at;
        if (at > 0 && data[at] == 0 && data[at - 1] == 0xFF)
            --at;
    }
    // Bytes before the marker (fill bytes, or extraneous ones in a damaged file) are passed over as libjpeg does,
    // up to a limit, so that a file whose markers are gone is not held in memory to its end.
    constexpr std::size_t MaxPassed = 1 << 16;
    const std::size_t limit = at + MaxPassed;
    while (at < limit && at + 1 < reader.size() && !(data[at] == 0xFF && data[at + 1] != 0 && data[at + 1] != 0xFF))
        at += data[at] == 0xFF && data[at + 1] == 0 ? 2 : 1;
    if (at >= limit)
        return Restart::Missing;
    if (at + 1 >= reader.size())
        return Restart::NeedMore;
    if (data[at + 1] != 0xD0 + expected)
        return Restart::Missing;
    reader.state = BitState{};
    reader.state.position = at + 2;
    return Restart::Passed;
}

bool decodeBlock(BitReader& reader, const HuffmanTable& dc, const HuffmanTable& ac, int& predictor,
                 std::int16_t* coefficients)
{
    if (reader.state.count < 32)
        reader.fill();
    const int category = decodeSymbol(reader, dc);
    if (category < 0 || category > 11)
        return false;
    if (category > 0) {
        predictor += extend(reader.peek(category), category);
        reader.skip(category);
    }
    if (coefficients)
        coefficients[0] = static_cast<std::int16_t>(predictor);
    for (int k = 1; k < 64;) {
        if (reader.state.count < 32)
            reader.fill();
        const int symbol = decodeSymbol(reader, ac);
        if (symbol < 0)
            return false;
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0) {
            if (run != 15)
                return true;
            k += 16;
            continue;
        }
        k += run;
        if (k > 63)
            return false;
        if (coefficients)
            coefficients[zigzag[static_cast<std::size_t>(k)]] =
                static_cast<std::int16_t>(extend(reader.peek(size), size));
        reader.skip(size);
        ++k;
    }
    return true;
}

} // namespace picture::scan
