#include "picture/jpeg_scanner.h"

#include <algorithm>
#include <cstring>

namespace picture::scan {
namespace {

// Bytes kept before the decoder's position when the buffer is trimmed: a resume point walks back over the bytes its
// unused bits came from, at most 8 data bytes, 16 with stuffing.
constexpr std::size_t History = 16;

} // namespace

JpegScanner::JpegScanner(int mcusPerPoint, ScanSink* sink) : m_sink(sink)
{
    m_index.mcusPerPoint = std::max(1, mcusPerPoint);
}

failure::Result<void> JpegScanner::feed(const std::uint8_t* data, std::size_t size)
{
    if (m_done)
        return {};
    m_buffer.insert(m_buffer.end(), data, data + size);
    if (!m_inScan)
        TRY(readHeader());
    if (m_inScan)
        TRY(decodeAvailable(false));
    return {};
}

failure::Result<void> JpegScanner::finish()
{
    if (!m_inScan) {
        if (m_bufferStart == 0 && m_buffer.empty())
            return failure::Failure{failure::What::PictureEmpty, {}, {}, {}};
        return failure::Failure{failure::What::DamagedJpeg, {}, "the file ends before its scan", {}};
    }
    if (!m_done)
        TRY(decodeAvailable(true));
    return {};
}

failure::Result<void> JpegScanner::readHeader()
{
    std::size_t consumed = 0;
    const bool scanStarts = TRY(m_markers.read(m_buffer.data(), m_buffer.size(), consumed));
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(consumed));
    m_bufferStart += consumed;
    if (!scanStarts)
        return {};
    Frame& frame = m_index.frame;
    frame = m_markers.frame();
    const std::array<bool, MaxComponents> whole =
        m_sink ? TRY(m_sink->frameRead(frame)) : std::array<bool, MaxComponents>{};
    for (std::size_t c = 0; c < frame.components.size(); ++c) {
        const Component& component = frame.components[c];
        m_dc[c] = TRY(buildHuffmanTable(frame.dc[static_cast<std::size_t>(component.dcTable)]));
        m_ac[c] = TRY(buildHuffmanTable(frame.ac[static_cast<std::size_t>(component.acTable)]));
        m_stride[c] = whole[c] ? 64 : 1;
        m_rowBlocks[c].assign(static_cast<std::size_t>(frame.mcusWide() * component.h * component.v * m_stride[c]), 0);
    }
    m_index.pointsPerRow = (frame.mcusWide() + m_index.mcusPerPoint - 1) / m_index.mcusPerPoint;
    if (frame.height > 0)
        m_index.points.reserve(static_cast<std::size_t>(frame.mcusHigh()) *
                               static_cast<std::size_t>(m_index.pointsPerRow));
    m_at.toRestart = frame.restartInterval;
    m_inScan = true;
    return {};
}

failure::Result<void> JpegScanner::decodeAvailable(bool final)
{
    m_reader.setBytes(m_buffer.data(), m_buffer.size());
    // Zeros put in where the bytes ran out stand for nothing now that more bytes may be here.
    BitState& bits = m_at.bits;
    if (bits.starved && !bits.atMarker) {
        bits.bits >>= bits.padding;
        bits.count -= bits.padding;
        bits.padding = 0;
        bits.starved = false;
    }
    m_reader.state = bits;
    while (!m_done) {
        if (m_index.frame.height == 0 && m_column == 0 && checkForHeight(final) == Step::NeedMore)
            break;
        if (m_done || decodeMcu(final) == Step::NeedMore)
            break;
    }
    // Trim the bytes before the last good position, a little history kept.
    const std::size_t drop = m_at.bits.position > History ? m_at.bits.position - History : 0;
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(drop));
    m_bufferStart += drop;
    m_at.bits.position -= drop;
    m_index.scanEnd = m_bufferStart + m_at.bits.position;
    return {};
}

ResumePoint JpegScanner::pointHere() const
{
    const BitState& bits = m_reader.state;
    const int left = bits.count - bits.padding;
    std::size_t at = bits.position;
    for (int bytes = (left + 7) / 8; bytes > 0 && at > 0; --bytes) {
        --at;
        if (at > 0 && m_buffer[at] == 0 && m_buffer[at - 1] == 0xFF)
            --at;
    }
    ResumePoint point;
    point.bitOffset = (m_bufferStart + at) * 8 + static_cast<std::uint64_t>((8 - left % 8) % 8);
    for (std::size_t c = 0; c < MaxComponents; ++c)
        point.predictors[c] = static_cast<std::int16_t>(m_at.predictors[c]);
    return point;
}

JpegScanner::Step JpegScanner::decodeMcu(bool final)
{
    const Frame& frame = m_index.frame;
    if (m_index.damagedFrom >= 0 && m_column == 0 && frame.height > 0) {
        // Past the damage every MCU is grey: the rows go whole.
        if (!m_rowBlocksZero) {
            for (std::size_t c = 0; c < frame.components.size(); ++c)
                std::fill(m_rowBlocks[c].begin(), m_rowBlocks[c].end(), std::int16_t{0});
            m_rowBlocksZero = true;
        }
        m_mcu += frame.mcusWide();
        emitRow(true);
        return Step::Decoded;
    }
    const Position before = m_at;
    m_reader.state = m_at.bits;
    if (m_index.damagedFrom < 0 && frame.restartInterval > 0 && m_mcu > 0 && m_at.toRestart == 0 &&
        restart(final) == Step::NeedMore)
        return Step::NeedMore;
    const bool record = m_index.damagedFrom < 0 && m_column % m_index.mcusPerPoint == 0;
    const ResumePoint point = record ? pointHere() : ResumePoint{};
    bool good = m_index.damagedFrom < 0;
    for (std::size_t c = 0; good && c < frame.components.size(); ++c) {
        const Component& component = frame.components[c];
        const int stride = m_stride[c];
        const int wide = frame.mcusWide() * component.h;
        for (int y = 0; good && y < component.v; ++y) {
            for (int x = 0; good && x < component.h; ++x) {
                std::int16_t* block =
                    m_rowBlocks[c].data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(wide) +
                                             static_cast<std::size_t>(m_column * component.h + x)) *
                                                static_cast<std::size_t>(stride);
                if (stride == 64)
                    std::memset(block, 0, 64 * sizeof(std::int16_t));
                int& predictor = m_at.predictors[c];
                good = decodeBlock(m_reader, m_dc[c], m_ac[c], predictor, stride == 64 ? block : nullptr);
                if (stride == 1)
                    *block = static_cast<std::int16_t>(predictor);
            }
        }
    }
    if (m_index.damagedFrom < 0 && (m_reader.usedPadding() || !good)) {
        if (m_reader.state.starved && !final) {
            m_at = before;
            return Step::NeedMore;
        }
        // libjpeg's way with a truncated file: the MCU the data ends in is decoded from zeros, the rest is grey.
        if (!good)
            zeroMcu();
        markDamaged(good ? m_mcu + 1 : m_mcu);
    } else if (m_index.damagedFrom >= 0) {
        zeroMcu();
    }
    if (record)
        m_index.points.push_back(point);
    m_at.bits = m_reader.state;
    --m_at.toRestart;
    ++m_mcu;
    if (++m_column == frame.mcusWide())
        emitRow();
    return Step::Decoded;
}

JpegScanner::Step JpegScanner::restart(bool final)
{
    const Restart passed = passRestartMarker(m_reader, m_at.nextRestart);
    if (passed == Restart::NeedMore && !final)
        return Step::NeedMore;
    if (passed != Restart::Passed) {
        markDamaged(m_mcu);
        return Step::Decoded;
    }
    m_at.predictors.fill(0);
    m_at.toRestart = m_index.frame.restartInterval;
    m_at.nextRestart = (m_at.nextRestart + 1) & 7;
    return Step::Decoded;
}

JpegScanner::Step JpegScanner::checkForHeight(bool final)
{
    m_reader.state = m_at.bits;
    m_reader.fill();
    const BitState& bits = m_reader.state;
    const std::size_t at = bits.position;
    const bool restartMarker = bits.atMarker && (m_buffer[at + 1] & 0xF8) == 0xD0;
    const bool damaged = m_index.damagedFrom >= 0;
    if (!damaged && (m_reader.dataBitsLeft() >= 8 || restartMarker))
        return Step::Decoded;
    if (damaged) {
        // Past damaged data no height is looked for (the rows would be grey however many): the rows decoded are the
        // picture.
        m_index.frame.height = m_row * m_index.frame.mcuHeight();
    } else if (bits.atMarker && m_buffer[at + 1] == 0xDC) {
        if (at + 6 > m_buffer.size())
            return final ? (markDamaged(m_mcu), Step::Decoded) : Step::NeedMore;
        const int height = m_buffer[at + 4] << 8 | m_buffer[at + 5];
        m_index.frame.height = height > 0 ? height : m_row * m_index.frame.mcuHeight();
    } else if (bits.starved && !final) {
        return Step::NeedMore;
    } else if (!bits.atMarker && !bits.starved) {
        return Step::Decoded;
    } else {
        m_index.frame.height = m_row * m_index.frame.mcuHeight(); // no DNL: the rows decoded are the picture
    }
    if (m_index.frame.height == 0) {
        m_index.frame.height = 1;
        markDamaged(m_mcu);
    }
    if (m_sink)
        m_sink->heightKnown(m_index.frame.height);
    if (m_row >= m_index.frame.mcusHigh())
        m_done = true;
    return Step::Decoded;
}

void JpegScanner::zeroMcu()
{
    const Frame& frame = m_index.frame;
    for (std::size_t c = 0; c < frame.components.size(); ++c) {
        const Component& component = frame.components[c];
        const std::size_t wide = static_cast<std::size_t>(frame.mcusWide() * component.h);
        const std::size_t run = static_cast<std::size_t>(component.h * m_stride[c]);
        for (int y = 0; y < component.v; ++y) {
            std::int16_t* first = m_rowBlocks[c].data() + (static_cast<std::size_t>(y) * wide +
                                                           static_cast<std::size_t>(m_column * component.h)) *
                                                              static_cast<std::size_t>(m_stride[c]);
            std::fill_n(first, run, std::int16_t{0});
        }
    }
}

void JpegScanner::markDamaged(std::int64_t from)
{
    if (m_index.damagedFrom < 0)
        m_index.damagedFrom = from;
}

void JpegScanner::emitRow(bool grey)
{
    const Frame& frame = m_index.frame;
    if (m_sink) {
        McuRow row;
        row.row = m_row;
        row.grey = grey;
        for (std::size_t c = 0; c < frame.components.size(); ++c) {
            row.blocks[c] = m_rowBlocks[c].data();
            row.blocksWide[c] = frame.mcusWide() * frame.components[c].h;
            row.stride[c] = m_stride[c];
        }
        m_sink->rowDecoded(row);
    }
    m_column = 0;
    ++m_row;
    if (frame.height > 0 && m_row >= frame.mcusHigh())
        m_done = true;
}

} // namespace picture::scan
