#include "map_picture.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace bench {
namespace {

struct Rng
{
    quint32 state;
    quint32 next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<quint32>(n)); }
};

// Scans are grainy; without grain a JPEG of flat colour decodes far faster than a real map does.
void addGrain(QImage& image, Rng& rng)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const quint32 r = rng.next();
            const int d = static_cast<int>(r & 7) - 4;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + d, 255), qBound(0, qGreen(p) + d, 255),
                           qBound(0, qBlue(p) + d + static_cast<int>((r >> 3) & 1), 255));
        }
    }
}

} // namespace

QImage drawMapLike(QSize size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(ParchmentRed, ParchmentGreen, ParchmentBlue));
    Rng rng{seed | 1u};
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = size.width();
    const int h = size.height();
    const int block = 160;

    // Blocks of houses, a shade darker than the parchment, between streets.
    painter.setPen(Qt::NoPen);
    for (int y = 0; y < h; y += block) {
        for (int x = 0; x < w; x += block) {
            if (rng.below(3) == 0)
                continue;
            const int inset = 14 + rng.below(10);
            painter.setBrush(QColor(222 - rng.below(12), 204 - rng.below(12), 166 - rng.below(10)));
            painter.drawRect(x + inset, y + inset, block - 2 * inset - rng.below(20),
                             block - 2 * inset - rng.below(20));
        }
    }
    // Streets: a grid of thin dark lines and a few broad avenues.
    painter.setPen(QPen(QColor(120, 90, 60), 2));
    for (int y = 0; y < h; y += block)
        painter.drawLine(0, y, w, y + rng.below(40) - 20);
    for (int x = 0; x < w; x += block)
        painter.drawLine(x, 0, x + rng.below(40) - 20, h);
    painter.setPen(QPen(QColor(150, 60, 40), 7));
    for (int i = 0; i < 6; ++i)
        painter.drawLine(rng.below(w), 0, rng.below(w), h);
    // A river across the sheet.
    QPainterPath river;
    river.moveTo(0, h * 0.3);
    river.cubicTo(w * 0.3, h * 0.1, w * 0.6, h * 0.9, w, h * 0.6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 180, 200), std::max(8, w / 120)));
    painter.drawPath(river);
    // Lettering.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(22);
    painter.setFont(font);
    painter.setPen(QColor(60, 40, 30));
    const char* const names[] = {"Sadovaya", "Nikolskaya", "Petrovka", "Bolshaya", "Zarechnaya", "Soborna"};
    const int labels = w / 40 * h / 400;
    for (int i = 0; i < labels; ++i)
        painter.drawText(rng.below(w), rng.below(h), QString::fromUtf8(names[rng.below(6)]));
    painter.end();
    addGrain(image, rng);
    return image;
}

namespace {

// Writes a PPM of size whose row y is rowOf(y, line) in RGB.
bool writePpmRows(QFile& file, QSize size, const std::function<void(int y, char* line)>& rowOf)
{
    file.write(QStringLiteral("P6\n%1 %2\n255\n").arg(size.width()).arg(size.height()).toLatin1());
    std::vector<char> line(static_cast<size_t>(size.width()) * 3);
    for (int y = 0; y < size.height(); ++y) {
        rowOf(y, line.data());
        if (file.write(line.data(), static_cast<qint64>(line.size())) != static_cast<qint64>(line.size()))
            return false;
    }
    return file.flush();
}

void putRgb(const QRgb* in, int width, char* out)
{
    for (int x = 0; x < width; ++x) {
        out[3 * x] = static_cast<char>(qRed(in[x]));
        out[3 * x + 1] = static_cast<char>(qGreen(in[x]));
        out[3 * x + 2] = static_cast<char>(qBlue(in[x]));
    }
}

} // namespace

bool writePpm(const QImage& image, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return writePpmRows(file, image.size(), [&image](int y, char* line) {
        putRgb(reinterpret_cast<const QRgb*>(image.constScanLine(y)), image.width(), line);
    });
}

bool writeTiledPpm(QSize size, quint32 seed, const QString& path)
{
    const int tile = std::min({TilePixels, size.width(), size.height()});
    const QImage sheet = drawMapLike(QSize(tile, tile), seed);
    QFile file;
    if (path == QLatin1String("-") ? !file.open(stdout, QIODevice::WriteOnly)
                                   : (file.setFileName(path), !file.open(QIODevice::WriteOnly)))
        return false;
    std::vector<char> sheetLine(static_cast<size_t>(tile) * 3);
    return writePpmRows(file, size, [&](int y, char* line) {
        // Each band of sheets is shifted against the one above, so that no column of sheets repeats exactly.
        const int shift = (y / tile) * 397 % tile;
        putRgb(reinterpret_cast<const QRgb*>(sheet.constScanLine(y % tile)), tile, sheetLine.data());
        for (int x = 0; x < size.width(); ++x)
            std::memcpy(line + 3 * x, sheetLine.data() + 3 * ((x + shift) % tile), 3);
    });
}

} // namespace bench
