#pragma once

// The marker segments of a sequential Huffman-coded JPEG file up to its scan: the frame, the tables, the restart
// interval and how the colours are stored. What libjpeg decodes and this reader does not is refused, so that the
// caller falls back to libjpeg.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "failure/result.h"

namespace picture::scan {

constexpr int MaxComponents = 4;

/// A Huffman table as a DHT segment gives it: how many codes of each length 1 to 16, then the symbols in code order.
struct HuffmanSpec
{
    bool present = false;
    std::array<std::uint8_t, 16> counts{};
    std::array<std::uint8_t, 256> symbols{};
    int symbolCount = 0;
};

enum class StoredColours { Gray, YCbCr, Rgb, Cmyk, Ycck };

struct Component
{
    int id = 0;
    int h = 1; // sampling factors; a file of one component counts as 1 x 1, as its scan has one block an MCU
    int v = 1;
    int quantTable = 0;
    int dcTable = 0;
    int acTable = 0;
};

struct Frame
{
    int width = 0;
    int height = 0; // 0 until the DNL segment after the scan gives it
    std::vector<Component> components;
    int maxH = 1;
    int maxV = 1;
    int restartInterval = 0;                              // MCUs between restart markers; 0: none
    std::array<std::array<std::uint16_t, 64>, 4> quant{}; // natural order
    std::array<bool, 4> quantPresent{};
    std::array<HuffmanSpec, 4> dc;
    std::array<HuffmanSpec, 4> ac;
    StoredColours colours = StoredColours::YCbCr;
    bool jfif = false;
    bool adobe = false;
    int adobeTransform = 0;

    int mcuWidth() const { return 8 * maxH; }
    int mcuHeight() const { return 8 * maxV; }
    int mcusWide() const { return (width + mcuWidth() - 1) / mcuWidth(); }
    int mcusHigh() const { return (height + mcuHeight() - 1) / mcuHeight(); }
    int blocksInMcu() const;
};

/// Reads the segments before the scan from the bytes as they arrive.
class MarkerReader
{
public:
    /// Consumes whole segments from the front of data (more bytes than a segment holds are left for the next call);
    /// true once the scan header is read: the entropy-coded data starts after the bytes consumed.
    failure::Result<bool> read(const std::uint8_t* data, std::size_t size, std::size_t& consumed);
    const Frame& frame() const { return m_frame; }

private:
    failure::Result<bool> segment(int marker, const std::uint8_t* body, std::size_t length);
    failure::Result<void> startOfFrame(const std::uint8_t* body, std::size_t length);
    failure::Result<void> tables(int marker, const std::uint8_t* body, std::size_t length);
    failure::Result<void> startOfScan(const std::uint8_t* body, std::size_t length);

    Frame m_frame;
    bool m_started = false;
    bool m_sawFrame = false;
    std::size_t m_skipping = 0; // bytes of a segment of no interest still to pass
};

/// The zigzag order: the natural index of the k-th coefficient of a block as stored.
extern const std::array<std::uint8_t, 64> zigzag;

} // namespace picture::scan
