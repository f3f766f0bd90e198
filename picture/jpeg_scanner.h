#pragma once

// One streaming pass over a sequential Huffman-coded JPEG file: the marker segments, then every MCU of its scan
// entropy-decoded, with a resume point every so many MCUs (an index a region is later decoded from) and each row of
// MCUs handed to a sink (the overview is made from them). The file's bytes are taken in pieces as they arrive.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "failure/result.h"
#include "picture/jpeg_huffman.h"
#include "picture/jpeg_markers.h"

namespace picture::scan {

/// Where the decoder can start again at an MCU: the bit of the file its first code starts at, and the DC
/// predictors of each component there. Restart markers before the MCU are already passed.
struct ResumePoint
{
    std::uint64_t bitOffset = 0; // byte offset * 8 + bit (0 is the byte's most significant)
    std::array<std::int16_t, MaxComponents> predictors{};
};

struct ScanIndex
{
    Frame frame;
    std::uint64_t scanEnd = 0; // the file offset past the last byte the scan was read to
    int mcusPerPoint = 1;
    int pointsPerRow = 1;
    std::vector<ResumePoint> points; // row by row, pointsPerRow to a row of MCUs
    /// The first MCU with no data for it (a truncated or damaged file): it and every MCU after are grey. -1: none.
    std::int64_t damagedFrom = -1;

    const ResumePoint& point(int mcuRow, int mcuColumn) const
    {
        return points[static_cast<std::size_t>(mcuRow) * static_cast<std::size_t>(pointsPerRow) +
                      static_cast<std::size_t>(mcuColumn / mcusPerPoint)];
    }
};

/// One row of MCUs as decoded: per component its blocks, blocksWide x v of them, each stride coefficients (the whole
/// block in natural order, or the DC only), not dequantised.
struct McuRow
{
    int row = 0;
    std::array<const std::int16_t*, MaxComponents> blocks{};
    std::array<int, MaxComponents> blocksWide{};
    std::array<int, MaxComponents> stride{};
    bool grey = false; // past the damage of a file: every block is zero
};

class ScanSink
{
public:
    virtual ~ScanSink() = default;
    /// The header is read; the result says which components' blocks are wanted whole (the rest give their DC).
    virtual failure::Result<std::array<bool, MaxComponents>> frameRead(const Frame& frame) = 0;
    virtual void rowDecoded(const McuRow& row) = 0;
    /// The DNL segment or the scan's end has given the height of a file whose frame header left it open.
    virtual void heightKnown(int height) = 0;
};

class JpegScanner
{
public:
    /// A resume point every mcusPerPoint MCUs of each row (and at each row's start); sink may be null.
    JpegScanner(int mcusPerPoint, ScanSink* sink);

    /// Takes the next piece of the file and decodes as far as it reaches.
    failure::Result<void> feed(const std::uint8_t* data, std::size_t size);
    /// The file has ended: decodes what is left, the MCUs with no data grey; fails when the scan never started.
    failure::Result<void> finish();
    bool done() const { return m_done; }
    const ScanIndex& index() const { return m_index; }

private:
    struct Position
    {
        BitState bits;
        std::array<int, MaxComponents> predictors{};
        int toRestart = 0;
        int nextRestart = 0;
    };
    enum class Step { Decoded, NeedMore };

    failure::Result<void> readHeader();
    failure::Result<void> decodeAvailable(bool final);
    Step decodeMcu(bool final);
    Step restart(bool final);
    Step checkForHeight(bool final);
    ResumePoint pointHere() const;
    void emitRow(bool grey = false);
    void zeroMcu();
    void markDamaged(std::int64_t from);

    ScanSink* m_sink;
    MarkerReader m_markers;
    ScanIndex m_index;
    std::vector<std::uint8_t> m_buffer; // the bytes from m_bufferStart on that are still needed
    std::uint64_t m_bufferStart = 0;
    bool m_inScan = false;
    bool m_done = false;
    BitReader m_reader;
    Position m_at;
    std::array<HuffmanTable, MaxComponents> m_dc;
    std::array<HuffmanTable, MaxComponents> m_ac;
    std::array<std::vector<std::int16_t>, MaxComponents> m_rowBlocks;
    std::array<int, MaxComponents> m_stride{};
    int m_row = 0;
    int m_column = 0;
    bool m_rowBlocksZero = false; // the row blocks hold only zeros, set for the grey rows past the damage
    std::int64_t m_mcu = 0;
};

} // namespace picture::scan
