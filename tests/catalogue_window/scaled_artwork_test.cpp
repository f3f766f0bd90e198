// The catalogue's artwork on a scaled screen: CTest runs these at QT_SCALE_FACTOR 1.25, 1.5 and 2 as well.
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <QWidget>
#include <gtest/gtest.h>

#include "controls/control_builder.h"
#include "controls/cursors.h"
#include "controls/picture_control.h"
#include "window_layout/catalogue_controls.h"

namespace {

const QColor Gap(255, 0, 255);

// The pictures that meet edge to edge at the top of the window: the title, the top bar (in its panel at 230, 0) and
// the background below both, each at its place in the window, over a ground of a colour none of them has.
TEST(ScaledScreen, NeighbouringPicturesLeaveNoGapAndUseTheArtworkForTheScale)
{
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Gap);
    window.setPalette(palette);
    window.resize(800, 601);
    const std::pair<const char*, QPoint> pictures[] = {{"Image3", {0, 0}}, {"Image9", {230, 0}}, {"Image5", {0, 0}}};
    const qreal screenRatio = qGuiApp->devicePixelRatio();
    for (const auto& [name, offset] : pictures) {
        const window_layout::ControlRow& row = window_layout::catalogueControl(name);
        auto* control = new controls::PictureControl(&window);
        control->setGeometry(row.place.translated(offset));
        control->setPicture(
            controls::artwork(QStringLiteral(":/artwork/catalogue"), QString::fromLatin1(name), row.artworkSize(), {}));
        ASSERT_TRUE(control->hasPicture()) << name;
        // Drawn for the screen: twice the pixels on any scaled screen, the table's size in the window.
        EXPECT_EQ(control->picture().devicePixelRatio(), screenRatio > 1 ? 2.0 : 1.0) << name;
        EXPECT_EQ(control->picture().size(), row.artworkSize() * (screenRatio > 1 ? 2 : 1)) << name;
    }
    window.show();
    const QImage shot = window.grab().toImage();
    ASSERT_EQ(shot.size(), (QSizeF(800, 601) * screenRatio).toSize());
    int gaps = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            // Magenta, or a blend with it at a picture's edge.
            if (c.red() > 150 && c.blue() > 100 && c.green() < 100) {
                if (gaps++ == 0)
                    first = QPoint(x, y);
            }
        }
    }
    EXPECT_EQ(gaps, 0) << "first at " << first.x() << "," << first.y() << " at scale " << screenRatio;
}

// The viewer's hand cursors: drawn at twice the size on a scaled screen, 32 x 32 window pixels on any.
TEST(ScaledScreen, HandCursorsUseThePictureForTheScale)
{
    const qreal ratio = qGuiApp->devicePixelRatio() > 1 ? 2.0 : 1.0;
    for (const char* name : {":/cursors/RUKARAZJATA.png", ":/cursors/RUKASJATA.png"}) {
        const QCursor cursor = controls::loadCursorResource(name);
        ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << name;
        EXPECT_EQ(cursor.pixmap().devicePixelRatio(), ratio) << name;
        EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32) * ratio) << name;
        EXPECT_EQ(cursor.hotSpot(), QPoint(0, 0)) << name;
    }
}

} // namespace
