#pragma once

#include <QImage>
#include <QSize>
#include <vector>

namespace controls {

/// A copy at half the width and half the height (rounded down), each pixel the average of a 2x2 block. Works on
/// RGB32 and premultiplied ARGB32 scan lines; other formats are converted first. An odd last column or row is
/// dropped. Returns a null image when either side is below 2.
QImage halvedCopy(const QImage& source);

/// Rows firstRow to endRow - 1 of result (half of source's size, same format: RGB32 or premultiplied ARGB32) as the
/// 2x2 averages of source; lets a copy be built in bands.
void halveRows(const QImage& source, QImage& result, int firstRow, int endRow);

/// The size of a picture halved log2(divisor) times (divisor 2, 4, 8, ...), each halving rounding down.
QSize reducedSize(QSize source, int divisor);

/// Rows firstRow to endRow - 1 of result (reducedSize(source, divisor), same format) as source halved log2(divisor)
/// times, a band at a time: no reduced copy of the whole source is made on the way.
void reduceRows(const QImage& source, QImage& result, int firstRow, int endRow, int divisor);

/// Reduced copies of one picture, built on demand: each copy is the previous one halved, so all of them together
/// take at most a third of the picture's memory. Drawn sizes are in device pixels, compared with the pictures' own
/// pixels: on a scaled screen a control holds more pixels than its size in the window.
class ReducedCopies
{
public:
    void reset() { m_copies.clear(); }
    /// The smallest of the picture and its halved copies that is at least drawnSize in both directions, building
    /// the copies needed to reach it; the picture itself when it is not larger than drawnSize.
    const QImage& sourceFor(const QImage& picture, QSize drawnSize);
    const std::vector<QImage>& copies() const { return m_copies; }
    /// Appends copies built elsewhere (each the previous one halved, the first the picture halved once or twice).
    void adopt(std::vector<QImage> copies);
    /// Like sourceFor, from the copies there are, building none, and taking a copy down to 2 % smaller than
    /// drawnSize; below half the picture's size the first copy is taken also when it is smaller, stretched (a chain
    /// that starts at a quarter has nothing between). complete is false when a copy still to come would be the
    /// better source.
    const QImage& bestReady(const QImage& picture, QSize drawnSize, bool* complete) const;

private:
    std::vector<QImage> m_copies;
};

} // namespace controls
