#include "picture/jpeg_markers.h"

#include <algorithm>
#include <string>

namespace picture::scan {

const std::array<std::uint8_t, 64> zigzag = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

namespace {

failure::Failure damaged(const char* why)
{
    return failure::Failure{failure::What::DamagedJpeg, {}, why, {}};
}

failure::Failure unsupported(const char* why)
{
    return failure::Failure{failure::What::UnsupportedJpeg, {}, why, {}};
}

int bigEndian16(const std::uint8_t* at)
{
    return at[0] << 8 | at[1];
}

// How libjpeg guesses the colours when the file does not say: a JFIF marker means YCbCr, Adobe's transform flag
// decides otherwise, and three components without either are told by their identifiers.
StoredColours guessColours(const Frame& frame)
{
    switch (frame.components.size()) {
    case 1:
        return StoredColours::Gray;
    case 3:
        if (frame.jfif)
            return StoredColours::YCbCr;
        if (frame.adobe)
            return frame.adobeTransform == 0 ? StoredColours::Rgb : StoredColours::YCbCr;
        if (frame.components[0].id == 'R' && frame.components[1].id == 'G' && frame.components[2].id == 'B')
            return StoredColours::Rgb;
        return StoredColours::YCbCr;
    default:
        return frame.adobe && frame.adobeTransform == 2 ? StoredColours::Ycck : StoredColours::Cmyk;
    }
}

} // namespace

int Frame::blocksInMcu() const
{
    int blocks = 0;
    for (const Component& component : components)
        blocks += component.h * component.v;
    return blocks;
}

failure::Result<bool> MarkerReader::read(const std::uint8_t* data, std::size_t size, std::size_t& consumed)
{
    consumed = 0;
    const auto skipped = std::min(m_skipping, size);
    m_skipping -= skipped;
    consumed = skipped;
    if (!m_started) {
        if (size - consumed < 2)
            return false;
        if (data[consumed] != 0xFF || data[consumed + 1] != 0xD8)
            return failure::Failure{failure::What::NotJpeg, {}, "no start-of-image marker", {}};
        m_started = true;
        consumed += 2;
    }
    while (m_skipping == 0 && size - consumed >= 2) {
        const std::uint8_t* at = data + consumed;
        if (at[0] != 0xFF)
            return damaged("bytes between the marker segments");
        const int marker = at[1];
        if (marker == 0xFF) { // a fill byte
            ++consumed;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) { // stand-alone markers of no meaning here
            consumed += 2;
            continue;
        }
        if (marker == 0xD8 || marker == 0xD9 || marker == 0x00)
            return damaged("the file ends or restarts before its scan");
        if (size - consumed < 4)
            return false;
        const std::size_t length = static_cast<std::size_t>(bigEndian16(at + 2));
        if (length < 2)
            return damaged("a marker segment shorter than its length field");
        const bool ofInterest = marker == 0xE0 || marker == 0xEE || (marker >= 0xC0 && marker <= 0xDF);
        if (!ofInterest) {
            const std::size_t available = std::min(size - consumed, length + 2);
            m_skipping = length + 2 - available;
            consumed += available;
            continue;
        }
        if (size - consumed < length + 2)
            return false;
        const bool scanStarts = TRY(segment(marker, at + 4, length - 2));
        consumed += length + 2;
        if (scanStarts)
            return true;
    }
    return false;
}

failure::Result<bool> MarkerReader::segment(int marker, const std::uint8_t* body, std::size_t length)
{
    switch (marker) {
    case 0xC0:
    case 0xC1:
        TRY(startOfFrame(body, length));
        return false;
    case 0xC2:
    case 0xC6:
        return unsupported("progressive");
    case 0xC3:
    case 0xC7:
        return unsupported("lossless");
    case 0xC5:
        return unsupported("hierarchical");
    case 0xC4:
    case 0xDB:
    case 0xDD:
        TRY(tables(marker, body, length));
        return false;
    case 0xDA:
        TRY(startOfScan(body, length));
        return true;
    case 0xE0:
        m_frame.jfif = m_frame.jfif || (length >= 5 && std::equal(body, body + 5, "JFIF"));
        return false;
    case 0xEE:
        if (length >= 12 && std::equal(body, body + 5, "Adobe")) {
            m_frame.adobe = true;
            m_frame.adobeTransform = body[11];
        }
        return false;
    default:
        if (marker >= 0xC8 && marker <= 0xCF)
            return unsupported("arithmetic coding");
        return false; // DNL, DHP, EXP and reserved markers before the scan say nothing this reader needs
    }
}

failure::Result<void> MarkerReader::startOfFrame(const std::uint8_t* body, std::size_t length)
{
    if (m_sawFrame)
        return damaged("two frame headers");
    if (length < 6)
        return damaged("a short frame header");
    if (body[0] != 8)
        return failure::Failure{failure::What::JpegPrecision, {}, {}, {body[0]}};
    m_frame.height = bigEndian16(body + 1);
    m_frame.width = bigEndian16(body + 3);
    const int count = body[5];
    if (m_frame.width == 0)
        return failure::Failure{failure::What::NoPixels, {}, {}, {}};
    if (count != 1 && count != 3 && count != 4)
        return unsupported("a number of components other than 1, 3 or 4");
    if (length < 6 + 3 * static_cast<std::size_t>(count))
        return damaged("a short frame header");
    for (int i = 0; i < count; ++i) {
        const std::uint8_t* at = body + 6 + 3 * i;
        Component component;
        component.id = at[0];
        component.h = at[1] >> 4;
        component.v = at[1] & 15;
        component.quantTable = at[2];
        if (component.h < 1 || component.h > 4 || component.v < 1 || component.v > 4 || component.quantTable > 3)
            return damaged("bad sampling factors or quantisation table");
        m_frame.components.push_back(component);
    }
    if (count == 1)
        m_frame.components[0].h = m_frame.components[0].v = 1;
    for (const Component& component : m_frame.components) {
        m_frame.maxH = std::max(m_frame.maxH, component.h);
        m_frame.maxV = std::max(m_frame.maxV, component.v);
    }
    for (const Component& component : m_frame.components) {
        if (m_frame.maxH % component.h != 0 || m_frame.maxV % component.v != 0)
            return unsupported("fractional sampling factors");
    }
    if (m_frame.blocksInMcu() > 10)
        return damaged("more than 10 blocks in an MCU");
    m_sawFrame = true;
    return {};
}

failure::Result<void> MarkerReader::tables(int marker, const std::uint8_t* body, std::size_t length)
{
    if (marker == 0xDD) {
        if (length != 2)
            return damaged("a restart interval segment of the wrong length");
        m_frame.restartInterval = bigEndian16(body);
        return {};
    }
    std::size_t at = 0;
    while (at < length) {
        const int kind = body[at] >> 4;
        const int index = body[at] & 15;
        ++at;
        if (marker == 0xDB) {
            const std::size_t bytes = kind == 0 ? 64 : 128;
            if (kind > 1 || index > 3 || length - at < bytes)
                return damaged("a bad quantisation table");
            for (int k = 0; k < 64; ++k)
                m_frame.quant[index][zigzag[k]] = kind == 0 ? body[at + k] : bigEndian16(body + at + 2 * k);
            m_frame.quantPresent[index] = true;
            at += bytes;
            continue;
        }
        if (kind > 1 || index > 3 || length - at < 16)
            return damaged("a bad Huffman table");
        HuffmanSpec& spec = kind == 0 ? m_frame.dc[index] : m_frame.ac[index];
        int count = 0;
        for (int i = 0; i < 16; ++i) {
            spec.counts[i] = body[at + i];
            count += spec.counts[i];
        }
        at += 16;
        if (count > 256 || length - at < static_cast<std::size_t>(count))
            return damaged("a bad Huffman table");
        std::copy_n(body + at, count, spec.symbols.begin());
        spec.symbolCount = count;
        spec.present = true;
        at += count;
    }
    return {};
}

failure::Result<void> MarkerReader::startOfScan(const std::uint8_t* body, std::size_t length)
{
    if (!m_sawFrame)
        return damaged("a scan before the frame header");
    const std::size_t count = length > 0 ? body[0] : 0;
    if (count != m_frame.components.size()) {
        if (count == 1)
            return unsupported("one scan per component");
        return damaged("a scan of a different number of components");
    }
    if (length != 4 + 2 * count)
        return damaged("a bad scan header");
    for (std::size_t i = 0; i < count; ++i) {
        Component& component = m_frame.components[i];
        if (body[1 + 2 * i] != component.id)
            return unsupported("components scanned out of the frame's order");
        component.dcTable = body[2 + 2 * i] >> 4;
        component.acTable = body[2 + 2 * i] & 15;
        if (component.dcTable > 3 || component.acTable > 3 || !m_frame.dc[component.dcTable].present ||
            !m_frame.ac[component.acTable].present)
            return damaged("a scan without its Huffman tables");
        if (!m_frame.quantPresent[component.quantTable])
            return damaged("a component without its quantisation table");
    }
    const std::uint8_t* spectral = body + 1 + 2 * count;
    if (spectral[0] != 0 || spectral[1] != 63 || spectral[2] != 0)
        return damaged("a sequential scan with a partial spectral band");
    m_frame.colours = guessColours(m_frame);
    return {};
}

} // namespace picture::scan
