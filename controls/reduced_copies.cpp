#include "controls/reduced_copies.h"

namespace controls {
namespace {

// Averages four 0xAARRGGBB pixels channel by channel, rounding to nearest: two channels at a time in 16-bit lanes,
// whose 10-bit sums cannot carry into the next lane.
inline quint32 average4(quint32 a, quint32 b, quint32 c, quint32 d)
{
    constexpr quint32 Mask = 0x00FF00FF;
    constexpr quint32 Half = 0x00020002;
    const quint32 rb = (((a & Mask) + (b & Mask) + (c & Mask) + (d & Mask) + Half) >> 2) & Mask;
    const quint32 ag =
        ((((a >> 8) & Mask) + ((b >> 8) & Mask) + ((c >> 8) & Mask) + ((d >> 8) & Mask) + Half) >> 2) & Mask;
    return rb | (ag << 8);
}

} // namespace

QImage halvedCopy(const QImage& source)
{
    if (source.width() < 2 || source.height() < 2)
        return {};
    const QImage::Format format = source.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied) {
        return halvedCopy(source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                          : QImage::Format_RGB32));
    }
    QImage result(source.width() / 2, source.height() / 2, format);
    if (result.isNull())
        return {};
    halveRows(source, result, 0, result.height());
    return result;
}

void halveRows(const QImage& source, QImage& result, int firstRow, int endRow)
{
    const int width = result.width();
    // Lines through the const pointers: scanLine() of a shared picture would copy it.
    const uchar* sourceBits = source.constBits();
    uchar* resultBits = result.bits();
    for (int y = firstRow; y < endRow; ++y) {
        const auto* upper = reinterpret_cast<const quint32*>(sourceBits + qsizetype(2 * y) * source.bytesPerLine());
        const auto* lower = reinterpret_cast<const quint32*>(sourceBits + qsizetype(2 * y + 1) * source.bytesPerLine());
        auto* out = reinterpret_cast<quint32*>(resultBits + qsizetype(y) * result.bytesPerLine());
        for (int x = 0; x < width; ++x)
            out[x] = average4(upper[2 * x], upper[2 * x + 1], lower[2 * x], lower[2 * x + 1]);
    }
}

QSize reducedSize(QSize source, int divisor)
{
    for (; divisor > 1; divisor /= 2)
        source = QSize(source.width() / 2, source.height() / 2);
    return source;
}

void reduceRows(const QImage& source, QImage& result, int firstRow, int endRow, int divisor)
{
    if (divisor <= 2) {
        halveRows(source, result, firstRow, endRow);
        return;
    }
    if (endRow <= firstRow)
        return;
    // The band of source these rows come from, halved once; then the rest of the way down.
    const int halfRows = (divisor / 2) * (endRow - firstRow);
    const QImage sourceBand(source.constBits() + qsizetype(divisor) * firstRow * source.bytesPerLine(), source.width(),
                            2 * halfRows, source.bytesPerLine(), source.format());
    QImage halfBand(source.width() / 2, halfRows, source.format());
    if (halfBand.isNull())
        return;
    halveRows(sourceBand, halfBand, 0, halfRows);
    QImage resultBand(result.bits() + qsizetype(firstRow) * result.bytesPerLine(), result.width(), endRow - firstRow,
                      result.bytesPerLine(), result.format());
    reduceRows(halfBand, resultBand, 0, endRow - firstRow, divisor / 2);
}

const QImage& ReducedCopies::sourceFor(const QImage& picture, QSize drawnSize)
{
    auto fitsHalved = [drawnSize](const QImage& image) {
        return image.width() / 2 >= drawnSize.width() && image.height() / 2 >= drawnSize.height() &&
               image.width() >= 2 && image.height() >= 2;
    };
    const QImage* best = &picture;
    for (const QImage& copy : m_copies) {
        if (copy.width() < drawnSize.width() || copy.height() < drawnSize.height())
            return *best;
        best = &copy;
    }
    while (fitsHalved(*best)) {
        QImage next = halvedCopy(*best);
        if (next.isNull())
            break;
        m_copies.push_back(std::move(next));
        best = &m_copies.back();
    }
    return *best;
}

void ReducedCopies::adopt(std::vector<QImage> copies)
{
    for (QImage& copy : copies)
        m_copies.push_back(std::move(copy));
}

const QImage& ReducedCopies::bestReady(const QImage& picture, QSize drawnSize, bool* complete) const
{
    // A copy a hair smaller than the drawn size is still taken: stretching it by 2 % costs no visible sharpness,
    // while the next larger source would be four times the memory to read (a zoom to 50.4 % would read the picture
    // itself instead of its half).
    const QSize near(drawnSize.width() * 49 / 50, drawnSize.height() * 49 / 50);
    // Drawn from the picture itself below half its size, Qt's bilinear filter would skip pixels.
    const bool belowHalf = 2 * drawnSize.width() < picture.width() && 2 * drawnSize.height() < picture.height();
    const QImage* best = &picture;
    for (const QImage& copy : m_copies) {
        const bool nearEnough = copy.width() >= near.width() && copy.height() >= near.height();
        if (!nearEnough && (best != &picture || !belowHalf)) {
            *complete = true;
            return *best;
        }
        best = &copy;
        if (!nearEnough) {
            *complete = true; // the first copy, stretched
            return *best;
        }
    }
    *complete = !(best->width() / 2 >= near.width() && best->height() / 2 >= near.height() && best->width() >= 2 &&
                  best->height() >= 2);
    return *best;
}

} // namespace controls
