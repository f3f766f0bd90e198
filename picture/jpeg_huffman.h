#pragma once

// The entropy decoder of a sequential Huffman-coded scan: a bit reader over the scan's bytes (stuffed zero bytes
// removed, stopping at a marker) and the decoding of one block's coefficients.
#include <array>
#include <cstddef>
#include <cstdint>

#include "failure/result.h"
#include "picture/jpeg_markers.h"

namespace picture::scan {

constexpr int LookaheadBits = 9;

struct HuffmanTable
{
    // The symbol and length of each code of at most LookaheadBits bits, indexed by the next LookaheadBits bits:
    // length << 8 | symbol, or 0 for a longer code.
    std::array<std::uint16_t, 1 << LookaheadBits> fast{};
    std::array<std::int32_t, 18> maxCode{}; // the largest code of each length, -1 for none
    std::array<std::int32_t, 17> offset{};  // code + offset[length] is the symbol's index
    std::array<std::uint8_t, 256> symbols{};
};

/// The decoding table of a DHT segment's table; a table whose codes overflow their lengths is refused.
failure::Result<HuffmanTable> buildHuffmanTable(const HuffmanSpec& spec);

/// Where the decoder stands: what a resume point restores, and what a stalled MCU is rolled back to.
struct BitState
{
    std::size_t position = 0; // the next byte to read, in the reader's bytes
    std::uint64_t bits = 0;   // the low count bits are read and not yet used
    int count = 0;
    int padding = 0;       // zero bits put in past the data's end or a marker (the low ones of count)
    bool atMarker = false; // position is at a marker: no more data until it is dealt with
    bool starved = false;  // the bytes ran out before a marker
};

class BitReader
{
public:
    void setBytes(const std::uint8_t* data, std::size_t size)
    {
        m_data = data;
        m_size = size;
    }
    BitState state;

    /// Tops the bits up to more than 56; past a marker or the bytes' end with zeros (noted in the state).
    void fill()
    {
        while (state.count <= 56) {
            std::uint32_t byte = 0;
            if (state.atMarker || state.position >= m_size) {
                state.starved = state.starved || !state.atMarker;
                state.padding += 8;
            } else if ((byte = m_data[state.position]) != 0xFF) {
                ++state.position;
            } else if (state.position + 1 >= m_size) {
                byte = 0;
                state.starved = true;
                state.padding += 8;
            } else if (m_data[state.position + 1] == 0) {
                state.position += 2;
            } else {
                byte = 0;
                state.atMarker = true;
                state.padding += 8;
            }
            state.bits = state.bits << 8 | byte;
            state.count += 8;
        }
    }
    int peek(int n) const { return static_cast<int>((state.bits >> (state.count - n)) & ((1u << n) - 1)); }
    void skip(int n) { state.count -= n; }
    /// True when bits past the data were used: the last MCU decoded from zeros.
    bool usedPadding() const { return state.count < state.padding; }
    /// The data bits not yet used, those of the padding aside.
    int dataBitsLeft() const { return state.count - state.padding; }
    const std::uint8_t* data() const { return m_data; }
    std::size_t size() const { return m_size; }

private:
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
};

enum class Restart { Passed, NeedMore, Missing };

/// Passes the restart marker RSTn (n = expected) the reader stands before, fill bytes allowed; the bits before it are
/// the last byte's padding and dropped. NeedMore when the bytes end first.
Restart passRestartMarker(BitReader& reader, int expected);

/// Decodes one block: the DC difference added to predictor, the coefficients (dequantised nowhere) into coefficients
/// in natural order when it is not null (the caller zeroes it). False on a code no table has.
bool decodeBlock(BitReader& reader, const HuffmanTable& dc, const HuffmanTable& ac, int& predictor,
                 std::int16_t* coefficients);

} // namespace picture::scan
