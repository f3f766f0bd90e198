#pragma once

#include <QImage>
#include <QSize>
#include <vector>

namespace controls {

/// A copy at half the width and half the height (rounded down), each pixel the average of a 2x2 block. Works on
/// RGB32 and premultiplied ARGB32 scan lines; other formats are converted first. An odd last column or row is
/// dropped. Returns a null image when either side is below 2.
QImage halvedCopy(const QImage& source);

/// Reduced copies of one picture, built on demand: each copy is the previous one halved, so all of them together
/// take at most a third of the picture's memory.
class ReducedCopies
{
public:
    void reset() { m_copies.clear(); }
    /// The smallest of the picture and its halved copies that is at least drawnSize in both directions, building
    /// the copies needed to reach it; the picture itself when it is not larger than drawnSize.
    const QImage& sourceFor(const QImage& picture, QSize drawnSize);
    const std::vector<QImage>& copies() const { return m_copies; }

private:
    std::vector<QImage> m_copies;
};

} // namespace controls
