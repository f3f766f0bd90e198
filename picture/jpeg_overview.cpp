#include "picture/jpeg_overview.h"

#include <algorithm>

#include "picture/jpeg_cmyk.h"

namespace picture {
namespace {

// libjpeg's range limit after its inverse DCT (jdmaster.c): a clamp of value + 128 to 0..255 within -512..511, and
// beyond that, where only damaged data reaches, the wrap of its table, taken modulo 1024.
inline std::uint8_t clampSample(std::int64_t value)
{
    const int wrapped = static_cast<int>(value & 1023);
    if (wrapped < 128)
        return static_cast<std::uint8_t>(wrapped + 128);
    if (wrapped < 512)
        return 255;
    if (wrapped < 896)
        return 0;
    return static_cast<std::uint8_t>(wrapped - 896);
}

inline std::int64_t descale(std::int64_t value, int bits)
{
    return (value + (std::int64_t{1} << (bits - 1))) >> bits;
}

// libjpeg's reduced inverse DCTs (jidctred.c, 13-bit constants), without its shortcuts for blocks whose AC terms are
// zero (they give the same samples). The 2 x 2 one reads rows and columns 0, 1, 3, 5 and 7.
std::int64_t oddOf2x2(std::int64_t c1, std::int64_t c3, std::int64_t c5, std::int64_t c7)
{
    return c7 * -5906 + c5 * 6967 + c3 * -10426 + c1 * 29692;
}

void inverseDct2x2(const std::int16_t* block, const std::uint16_t* quant, std::uint8_t* out, int outStride)
{
    std::int64_t work[2][8] = {};
    for (int column : {0, 1, 3, 5, 7}) {
        const auto at = [&](int row) { return std::int64_t{block[8 * row + column]} * quant[8 * row + column]; };
        const std::int64_t even = at(0) << 15;
        const std::int64_t sum = oddOf2x2(at(1), at(3), at(5), at(7));
        work[0][column] = descale(even + sum, 13);
        work[1][column] = descale(even - sum, 13);
    }
    for (int row = 0; row < 2; ++row) {
        const std::int64_t* w = work[row];
        const std::int64_t even = w[0] << 15;
        const std::int64_t sum = oddOf2x2(w[1], w[3], w[5], w[7]);
        out[row * outStride] = clampSample(descale(even + sum, 20));
        out[row * outStride + 1] = clampSample(descale(even - sum, 20));
    }
}

// One 4-point pass of the 4 x 4 transform over terms 0 to 7 (term 4 unused), descaled by `bits`.
void fourPoint(const std::int64_t t[8], int bits, std::int64_t out[4])
{
    const std::int64_t first = t[0] << 14;
    const std::int64_t even = t[2] * 15137 + t[6] * -6270;
    const std::int64_t sum10 = first + even, sum12 = first - even;
    const std::int64_t z1 = t[7], z2 = t[5], z3 = t[3], z4 = t[1];
    const std::int64_t odd0 = z1 * -1730 + z2 * 11893 + z3 * -17799 + z4 * 8697;
    const std::int64_t odd2 = z1 * -4176 + z2 * -4926 + z3 * 7373 + z4 * 20995;
    out[0] = descale(sum10 + odd2, bits);
    out[3] = descale(sum10 - odd2, bits);
    out[1] = descale(sum12 + odd0, bits);
    out[2] = descale(sum12 - odd0, bits);
}

void inverseDct4x4(const std::int16_t* block, const std::uint16_t* quant, std::uint8_t* out, int outStride)
{
    std::int64_t work[4][8] = {};
    for (int column = 0; column < 8; ++column) {
        if (column == 4)
            continue;
        std::int64_t terms[8];
        for (int row = 0; row < 8; ++row)
            terms[row] = std::int64_t{block[8 * row + column]} * quant[8 * row + column];
        std::int64_t samples[4];
        fourPoint(terms, 12, samples);
        for (int row = 0; row < 4; ++row)
            work[row][column] = samples[row];
    }
    for (int row = 0; row < 4; ++row) {
        std::int64_t samples[4];
        fourPoint(work[row], 19, samples);
        for (int x = 0; x < 4; ++x)
            out[row * outStride + x] = clampSample(samples[x]);
    }
}

// libjpeg's YCbCr to RGB tables (jdcolor.c, 16-bit fixed point).
struct ColourTables
{
    int crRed[256];
    int cbBlue[256];
    std::int32_t crGreen[256];
    std::int32_t cbGreen[256];
    ColourTables()
    {
        const auto fix = [](double x) { return static_cast<std::int32_t>(x * 65536 + 0.5); };
        for (int i = 0; i < 256; ++i) {
            const std::int32_t x = i - 128;
            crRed[i] = (fix(1.40200) * x + 32768) >> 16;
            cbBlue[i] = (fix(1.77200) * x + 32768) >> 16;
            crGreen[i] = -fix(0.71414) * x;
            cbGreen[i] = -fix(0.34414) * x + 32768;
        }
    }
};

const ColourTables& colourTables()
{
    static const ColourTables tables;
    return tables;
}

inline int clamp255(int value)
{
    return std::clamp(value, 0, 255);
}

} // namespace

JpegOverview::JpegOverview(qint64 budgetBytes) : m_budget(budgetBytes) {}

failure::Result<std::array<bool, scan::MaxComponents>> JpegOverview::frameRead(const scan::Frame& frame)
{
    m_frame = frame;
    m_eighthWidth = (frame.width + 7) / 8;
    const qint64 eighthHeight = frame.height > 0 ? (frame.height + 7) / 8 : 1;
    const auto bytesAt = [&](qint64 r) { return ((frame.width + r - 1) / r) * ((eighthHeight * 8 + r - 1) / r) * 4; };
    while (bytesAt(m_reduction) > m_budget && m_reduction < 65536)
        m_reduction *= 2;
    if (bytesAt(m_reduction) > m_budget)
        return failure::Failure{failure::What::PictureTooLarge, {}, {}, {frame.width, frame.height, 0}};
    const int height = frame.height > 0 ? (frame.height + m_reduction - 1) / m_reduction : 64;
    adopt(QImage((frame.width + m_reduction - 1) / m_reduction, height, QImage::Format_RGB32));
    if (m_image.isNull())
        return failure::Failure{failure::What::NoMemoryForPicture, {}, {}, {m_image.width(), height}};
    std::array<bool, scan::MaxComponents> whole{};
    for (std::size_t c = 0; c < frame.components.size(); ++c) {
        const scan::Component& component = frame.components[c];
        // libjpeg decodes a subsampled component with a larger reduced DCT where that saves upsampling it.
        int size = 1;
        while (size < 8 && frame.maxH % (component.h * size * 2) == 0 && frame.maxV % (component.v * size * 2) == 0)
            size *= 2;
        // Samplings allow 1, 2 (as in 4:2:0) and 4 (a 1 x 1 component beside a 4 x 1 and a 1 x 4 one).
        m_dctSize[c] = size;
        whole[c] = size > 1;
    }
    m_line.assign(static_cast<std::size_t>(m_eighthWidth), 0);
    m_sums.assign(static_cast<std::size_t>(m_image.width()) * 3, 0);
    return whole;
}

void JpegOverview::makeSamples(const scan::McuRow& row, std::size_t c)
{
    const scan::Component& component = m_frame.components[c];
    const int size = m_dctSize[c];
    const int wide = row.blocksWide[c];
    m_samplesWide[c] = wide * size;
    std::vector<std::uint8_t>& samples = m_samples[c];
    samples.resize(static_cast<std::size_t>(m_samplesWide[c] * component.v * size));
    const std::uint16_t* quant = m_frame.quant[static_cast<std::size_t>(component.quantTable)].data();
    for (int by = 0; by < component.v; ++by) {
        for (int bx = 0; bx < wide; ++bx) {
            const std::int16_t* block = row.blocks[c] + (by * wide + bx) * row.stride[c];
            std::uint8_t* out = samples.data() + by * size * m_samplesWide[c] + bx * size;
            if (size == 1)
                *out = clampSample(descale(std::int64_t{block[0]} * quant[0], 3));
            else if (size == 2)
                inverseDct2x2(block, quant, out, m_samplesWide[c]);
            else
                inverseDct4x4(block, quant, out, m_samplesWide[c]);
        }
    }
}

// The 1/8 pixels of row y of the current MCU row into m_line, as libjpeg's colour conversion makes them.
void JpegOverview::convertLine(int y)
{
    const std::size_t count = m_frame.components.size();
    std::array<const std::uint8_t*, scan::MaxComponents> rows{};
    std::array<int, scan::MaxComponents> step{};
    for (std::size_t c = 0; c < count; ++c) {
        const scan::Component& component = m_frame.components[c];
        const int across = m_frame.maxH / component.h / m_dctSize[c]; // 1/8 pixels a sample covers each way
        const int down = m_frame.maxV / component.v / m_dctSize[c];
        rows[c] = m_samples[c].data() + (y / down) * m_samplesWide[c];
        step[c] = across;
    }
    const ColourTables& tables = colourTables();
    const auto sample = [&](std::size_t c, int x) { return rows[c][x / step[c]]; };
    for (int x = 0; x < m_eighthWidth; ++x) {
        QRgb& pixel = m_line[static_cast<std::size_t>(x)];
        if (count == 1) {
            const int g = sample(0, x);
            pixel = qRgb(g, g, g);
            continue;
        }
        int r = sample(0, x), g = sample(1, x), b = sample(2, x);
        if (m_frame.colours == scan::StoredColours::YCbCr || m_frame.colours == scan::StoredColours::Ycck) {
            const int luma = r, cb = g, cr = b;
            r = clamp255(luma + tables.crRed[cr]);
            g = clamp255(luma + ((tables.cbGreen[cb] + tables.crGreen[cr]) >> 16));
            b = clamp255(luma + tables.cbBlue[cb]);
        }
        if (count == 3) {
            pixel = qRgb(r, g, b);
            continue;
        }
        uchar* bytes = reinterpret_cast<uchar*>(&pixel);
        const bool ycck = m_frame.colours == scan::StoredColours::Ycck;
        bytes[0] = static_cast<uchar>(ycck ? 255 - r : r);
        bytes[1] = static_cast<uchar>(ycck ? 255 - g : g);
        bytes[2] = static_cast<uchar>(ycck ? 255 - b : b);
        bytes[3] = sample(3, x);
    }
    if (count == 4)
        cmykLineToRgb32(reinterpret_cast<uchar*>(m_line.data()), m_eighthWidth, m_frame.adobe);
}

void JpegOverview::rowDecoded(const scan::McuRow& row)
{
    // The grey rows past a file's damage all give one line, made once.
    const bool greyKnown = row.grey && !m_greyLine.empty();
    if (!greyKnown) {
        for (std::size_t c = 0; c < m_frame.components.size(); ++c)
            makeSamples(row, c);
    }
    const int eighthHeight = m_frame.height > 0 ? (m_frame.height + 7) / 8 : 1 << 30;
    for (int y = 0; y < m_frame.maxV; ++y) {
        const int eighthRow = row.row * m_frame.maxV + y;
        if (eighthRow >= eighthHeight)
            break;
        if (greyKnown) {
            m_line = m_greyLine;
        } else {
            convertLine(y);
            if (row.grey)
                m_greyLine = m_line;
        }
        putLine(eighthRow);
    }
}

void JpegOverview::putLine(int eighthRow)
{
    const int factor = m_reduction / 8;
    const int row = eighthRow / factor;
    if (row >= m_image.height()) {
        // A file whose height comes after its scan (DNL): the overview grows as its rows arrive.
        QImage taller(m_image.width(), m_image.height() * 2, QImage::Format_RGB32);
        if (taller.isNull())
            return;
        for (int y = 0; y < m_rowsReady; ++y)
            std::copy_n(m_image.constScanLine(y), m_image.bytesPerLine(), taller.scanLine(y));
        adopt(std::move(taller));
    }
    auto* out = reinterpret_cast<QRgb*>(m_bits + row * m_bytesPerLine);
    if (factor == 1) {
        std::copy(m_line.begin(), m_line.end(), out);
    } else {
        for (int x = 0; x < m_eighthWidth; ++x) {
            const QRgb pixel = m_line[static_cast<std::size_t>(x)];
            std::uint32_t* sum = m_sums.data() + (x / factor) * 3;
            sum[0] += qRed(pixel);
            sum[1] += qGreen(pixel);
            sum[2] += qBlue(pixel);
        }
        const int eighthHeight = m_frame.height > 0 ? (m_frame.height + 7) / 8 : 1 << 30;
        if (++m_summedRows < factor && eighthRow + 1 < eighthHeight)
            return;
        for (int x = 0; x < m_image.width(); ++x) {
            const int columns = std::min(factor, m_eighthWidth - x * factor);
            const std::uint32_t n = static_cast<std::uint32_t>(columns * m_summedRows);
            std::uint32_t* sum = m_sums.data() + x * 3;
            out[x] = qRgb(static_cast<int>((sum[0] + n / 2) / n), static_cast<int>((sum[1] + n / 2) / n),
                          static_cast<int>((sum[2] + n / 2) / n));
        }
        std::fill(m_sums.begin(), m_sums.end(), 0);
        m_summedRows = 0;
    }
    m_rowsReady = row + 1;
    if (rowsFilled)
        rowsFilled(row, row + 1);
}

void JpegOverview::adopt(QImage image)
{
    m_image = std::move(image);
    m_bits = m_image.isNull() ? nullptr : m_image.bits(); // not shared yet: no copy
    m_bytesPerLine = m_image.bytesPerLine();
}

void JpegOverview::heightKnown(int height)
{
    m_frame.height = height;
    const int rows = (height + m_reduction - 1) / m_reduction;
    if (rows != m_image.height())
        adopt(m_image.copy(0, 0, m_image.width(), rows));
    m_rowsReady = std::min(m_rowsReady, rows);
}

} // namespace picture
