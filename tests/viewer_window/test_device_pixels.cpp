// The map's own pixels on a scaled screen: CTest runs these at QT_SCALE_FACTOR 2 as well.
#include <QBuffer>
#include <QImage>

#include "controls/picture_control.h"
#include "viewer_fixture.h"
#include "viewer_window/scroll_box.h"

using namespace testsupport;

namespace {

class DevicePixels : public ViewerTest
{
};

// A map of one-pixel squares, black and white, as a greyscale JPEG at full quality (which keeps them apart).
QByteArray checkerboardJpeg(QSize size)
{
    QImage board(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            board.scanLine(y)[x] = (x + y) % 2 ? 255 : 0;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(board.save(&buffer, "JPG", 100));
    return bytes;
}

// At actual size every map pixel is one device pixel of the window (no 2x2 blocks on a screen at scale 2), and the
// zoom steps count the map's pixels: one step out shows 90 % of them across.
TEST_F(DevicePixels, ActualSizeShowsEveryMapPixelOnOneDevicePixel)
{
    openCatalogue(2);
    const QSize map(640, 400);
    collection.writeBytes(mapPath(2), checkerboardJpeg(map));
    TForm2& viewer = openMap(2);
    viewer.showActualSize();
    const qreal ratio = viewer.devicePixelRatioF();
    EXPECT_EQ(viewer.dimensionsLabel->caption(), QStringLiteral("640 x 400"));
    EXPECT_EQ(QSizeF(viewer.mapPicture->size()) * ratio, QSizeF(map));

    const QImage shot = viewer.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = viewer.mapPicture->mapTo(&viewer, QPoint(0, 0)) * ratio;
    // The middle of the map, away from its edges.
    const QRect inner(origin + QPoint(80, 40), QSize(80, 80));
    ASSERT_TRUE(shot.rect().contains(inner)) << "shot " << shot.width() << "x" << shot.height();
    const bool firstWhite = qGray(shot.pixel(inner.topLeft())) > 127;
    int wrong = 0;
    for (int y = inner.top(); y <= inner.bottom(); ++y) {
        for (int x = inner.left(); x <= inner.right(); ++x) {
            const bool white = ((x - inner.left() + y - inner.top()) % 2 == 0) == firstWhite;
            const int grey = qGray(shot.pixel(x, y));
            if (white ? grey < 200 : grey > 55)
                ++wrong;
        }
    }
    EXPECT_EQ(wrong, 0) << "at scale " << ratio;

    viewer.zoomOut();
    EXPECT_EQ(viewer.mapPicture->drawnRect().width() * ratio, 576) << "at scale " << ratio;
}

} // namespace
