#include "map_drawing.h"

#include "map_canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace toolcommon {

namespace {

/// Low-frequency stains, fine grain, darker edges and two fold creases, as on a scanned sheet; fades the picture
/// towards a plain tone first when asked.
void ageSheet(QImage& image, std::uint64_t seed, double fade, QColor fadeTo)
{
    const int width = image.width(), height = image.height();
    Rng rng(seed ^ 0xA5A5A5A5ull);
    const int gridW = 14, gridH = 11;
    std::vector<double> stains(gridW * gridH);
    for (double& s : stains)
        s = rng.range(0.9, 1.03);
    const std::uint32_t grainSeed = std::uint32_t(seed);
    const double foldX = width * 0.5, foldY = height * 0.5, foldWidth = std::max(2.0, width * 0.004);
    const int fr = fadeTo.red(), fg = fadeTo.green(), fb = fadeTo.blue();
    const int keep = int(std::lround((1.0 - fade) * 256)), give = 256 - keep;
    // Everything that depends on the column alone is worked out once, which keeps the largest sheets quick.
    std::vector<double> columnEdge(width), columnFold(width), columnT(width);
    std::vector<int> columnCell(width);
    for (int x = 0; x < width; ++x) {
        const double gx = double(x) / width * (gridW - 1);
        columnCell[x] = std::min(int(gx), gridW - 2);
        columnT[x] = gx - columnCell[x];
        columnEdge[x] = std::pow(std::abs(2.0 * x / width - 1.0), 6);
        columnFold[x] = 1.0 - 0.06 * std::exp(-std::pow((x - foldX) / foldWidth, 2));
    }
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const double gy = double(y) / height * (gridH - 1);
        const int y0 = std::min(int(gy), gridH - 2);
        const double ty = gy - y0;
        const double rowEdge = std::pow(std::abs(2.0 * y / height - 1.0), 6);
        const double rowFold = 1.0 - 0.06 * std::exp(-std::pow((y - foldY) / foldWidth, 2));
        for (int x = 0; x < width; ++x) {
            const double* row0 = &stains[y0 * gridW + columnCell[x]];
            const double* row1 = row0 + gridW;
            const double tx = columnT[x];
            const double stain =
                (row0[0] * (1 - tx) + row0[1] * tx) * (1 - ty) + (row1[0] * (1 - tx) + row1[1] * tx) * ty;
            const double vignette = 1.0 - 0.10 * std::max(columnEdge[x], rowEdge);
            const double grain =
                1.0 + (int(pixelHash(std::uint32_t(x), std::uint32_t(y), grainSeed) & 31) - 16) / 400.0;
            const double shade = stain * vignette * rowFold * columnFold[x] * grain;
            const QRgb pixel = line[x];
            const int r = (qRed(pixel) * keep + fr * give) >> 8;
            const int g = (qGreen(pixel) * keep + fg * give) >> 8;
            const int b = (qBlue(pixel) * keep + fb * give) >> 8;
            line[x] = qRgb(std::clamp(int(r * shade), 0, 255), std::clamp(int(g * shade), 0, 255),
                           std::clamp(int(b * shade * 0.985), 0, 255));
        }
    }
}

/// Schemes are printed on whiter paper than the engraved sheets.
QColor paperColour(MapKind kind)
{
    return kind == MapKind::Metro ? QColor(236, 228, 204) : QColor(226, 210, 170);
}

} // namespace

QImage drawMap(const MapSpec& spec, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    Rng rng(spec.seed * 7919 + 17);
    const double scale = size.width() / 1000.0;
    // Filled in device pixels before anything is drawn: a logical rectangle may fall a fraction short of the last
    // row, which would then blend with whatever the new image's memory held.
    image.fill(paperColour(spec.kind));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        MapCanvas canvas{painter, rng, 1000.0, size.height() / scale};
        canvas.paper = paperColour(spec.kind);

        switch (spec.kind) {
        case MapKind::City:
            drawCityPlan(canvas);
            break;
        case MapKind::Region:
            drawRegionMap(canvas, false);
            break;
        case MapKind::Country:
            drawRegionMap(canvas, true);
            break;
        case MapKind::Metro:
            drawMetroScheme(canvas);
            break;
        }

        // The rose and the cartouche take opposite corners; which ones varies from sheet to sheet.
        const bool roseLeft = rng.chance(0.5);
        const double roseRadius = std::min(canvas.width, canvas.height) * 0.085;
        const QPointF rose(roseLeft ? 40 + roseRadius * 1.3 : canvas.width - 40 - roseRadius * 1.3,
                           canvas.height - 40 - roseRadius * 1.3);
        if (spec.kind != MapKind::Metro)
            drawCompassRose(canvas, rose, roseRadius);
        drawScaleBar(canvas, QPointF(roseLeft ? canvas.width - 240 : 70, canvas.height - 62), 160,
                     spec.kind == MapKind::City || spec.kind == MapKind::Metro ? QStringLiteral("саженей")
                                                                               : QStringLiteral("вёрст"));
        if (spec.cartouche && !spec.title.isEmpty()) {
            const QSizeF box(std::min(420.0, canvas.width * 0.42), std::min(130.0, canvas.height * 0.17));
            const double left = roseLeft ? canvas.width - 50 - box.width() : 50;
            drawCartouche(canvas, QRectF(QPointF(left, 50), box), spec.title, spec.year);
        }
        if (spec.border)
            drawGraduatedBorder(canvas);
    }
    ageSheet(image, spec.seed, std::clamp(spec.fade, 0.0, 1.0), spec.fadeTo);
    return image;
}

} // namespace toolcommon
