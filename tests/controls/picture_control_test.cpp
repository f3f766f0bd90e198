#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "controls/picture_control.h"
#include "desktop/guarded.h"
#include "qt_test_helpers.h"
#include "support/message_recorder.h"

using controls::PictureControl;

namespace {

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

/// Records the mouse callbacks of a control in order.
struct MouseLog
{
    QStringList events;
    void attach(PictureControl& control)
    {
        QObject::connect(&control, &PictureControl::mousePressed, [this](Qt::MouseButton b, QPoint p) {
            events << QStringLiteral("down %1 %2,%3").arg(int(b)).arg(p.x()).arg(p.y());
        });
        QObject::connect(&control, &PictureControl::mouseReleased, [this](Qt::MouseButton b, QPoint p) {
            events << QStringLiteral("up %1 %2,%3").arg(int(b)).arg(p.x()).arg(p.y());
        });
        QObject::connect(&control, &PictureControl::clicked, [this] { events << QStringLiteral("click"); });
        QObject::connect(&control, &PictureControl::doubleClicked, [this] { events << QStringLiteral("dblclick"); });
    }
};

// A parent widget filled with one colour: what a control leaves undrawn shows it.
struct Ground : QWidget
{
    Ground(QColor colour, QSize size)
    {
        setAutoFillBackground(true);
        QPalette ground;
        ground.setColor(QPalette::Window, colour);
        setPalette(ground);
        resize(size);
    }
};

} // namespace

TEST(PictureControl, AutoSizeFollowsThePicture)
{
    PictureControl control;
    control.resize(10, 10);
    control.setPicture(filled({40, 30}, Qt::red));
    EXPECT_EQ(control.size(), QSize(10, 10)) << "AutoSize off keeps the box";
    control.setAutoSize(true);
    EXPECT_EQ(control.size(), QSize(40, 30)) << "at once when switched on";
    control.setPicture(filled({70, 20}, Qt::red));
    EXPECT_EQ(control.size(), QSize(70, 20)) << "again for each new picture";
    control.clearPicture();
    EXPECT_EQ(control.size(), QSize(70, 20)) << "no picture leaves the box";
    EXPECT_FALSE(control.hasPicture());
}

TEST(PictureControl, CenteredPictureIsPaintedWhereDrawnRectSays)
{
    Ground parent(Qt::green, QSize(60, 50));
    auto* control = new PictureControl(&parent);
    control->setGeometry(5, 5, 40, 30);
    control->setCenter(true);
    control->setPicture(filled({10, 10}, Qt::red));
    ASSERT_EQ(control->drawnRect(), QRect(15, 10, 10, 10));

    const QImage image = parent.grab().toImage();
    const QPoint origin(5, 5);
    EXPECT_EQ(image.pixelColor(origin + QPoint(15, 10)), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(origin + QPoint(24, 19)), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(origin + QPoint(14, 10)), QColor(Qt::green)) << "the rest of the box is transparent";
    EXPECT_EQ(image.pixelColor(origin + QPoint(25, 19)), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(origin + QPoint(15, 20)), QColor(Qt::green));
}

TEST(PictureControl, WithoutAPictureItPaintsNothing)
{
    Ground parent(Qt::blue, QSize(20, 20));
    auto* control = new PictureControl(&parent);
    control->setGeometry(0, 0, 20, 20);
    const QImage image = parent.grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::blue));
}

// A picture still being decoded: the rows not yet decoded show what lies beneath, at any zoom.
TEST(PictureControl, HiddenRowsAreNotDrawn)
{
    Ground parent(Qt::blue, QSize(40, 40));
    auto* control = new PictureControl(&parent);
    control->setAutoSize(true);
    control->setPicture(filled({20, 20}, Qt::red));
    control->setShownPart(QRect(0, 0, 20, 6));
    QImage image = parent.grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 5), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(10, 6), QColor(Qt::blue));
    control->setShownPart(QRect(14, 0, 6, 20)); // a turned map's columns from the right
    image = parent.grab().toImage();
    EXPECT_TRUE(image.pixelColor(13, 10) == QColor(Qt::blue) && image.pixelColor(14, 10) == QColor(Qt::red));
    control->setAutoSize(false);
    control->setStretch(true);
    control->resize(10, 10);
    image = parent.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 1), QColor(Qt::blue));
    control->setPicture(control->picture());
    EXPECT_EQ(parent.grab().toImage().pixelColor(5, 8), QColor(Qt::red)) << "a new picture shows all its rows";
}

TEST(PictureControl, ReducedDrawingAveragesInsteadOfPickingPixels)
{
    // One-pixel stripes: sampling every fourth pixel would give pure black or pure white.
    QImage stripes(400, 200, QImage::Format_RGB32);
    for (int y = 0; y < stripes.height(); ++y)
        for (int x = 0; x < stripes.width(); ++x)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    PictureControl control;
    control.resize(100, 100);
    control.setStretch(true);
    control.setProportional(true);
    control.setPicture(stripes);
    ASSERT_EQ(control.drawnRect(), QRect(0, 0, 100, 50));
    const QImage image = control.grab().toImage();
    for (const QPoint p : {QPoint(10, 10), QPoint(51, 25), QPoint(98, 48)}) {
        const int grey = qGray(image.pixel(p));
        EXPECT_NEAR(grey, 128, 3) << p.x() << "," << p.y();
    }
    ASSERT_FALSE(control.reducedCopies().empty());
    EXPECT_EQ(control.reducedCopies().back().size(), QSize(100, 50));
    EXPECT_EQ(qGray(control.reducedCopies().front().pixel(0, 0)), 128);
}

TEST(PictureControl, PartialRepaintMatchesAFullOne)
{
    QImage gradient(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < gradient.height(); ++y)
        for (int x = 0; x < gradient.width(); ++x)
            gradient.setPixel(x, y, qRgb(x * 255 / 299, y * 255 / 299, 90));
    for (const QSize box : {QSize(150, 150), QSize(300, 300), QSize(600, 600)}) {
        PictureControl control;
        control.resize(box);
        control.setStretch(true);
        control.setPicture(gradient);
        const QImage full = control.grab().toImage();
        const QRect part(box.width() / 3, box.height() / 4, box.width() / 5, box.height() / 6);
        const QImage piece = control.grab(part).toImage();
        int worst = 0;
        for (int y = 0; y < piece.height(); ++y) {
            for (int x = 0; x < piece.width(); ++x) {
                const QRgb a = piece.pixel(x, y);
                const QRgb b = full.pixel(part.x() + x, part.y() + y);
                worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b))});
            }
        }
        EXPECT_LE(worst, 3) << box.width();
    }
}

TEST(PictureControl, ClickCallbacksComeFromRealMouseEvents)
{
    PictureControl control;
    control.resize(50, 40);
    MouseLog log;
    log.attach(control);

    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(7, 9));
    EXPECT_EQ(log.events, (QStringList{"down 1 7,9", "up 1 7,9", "click"}));

    log.events.clear();
    QTest::mouseClick(&control, Qt::RightButton, {}, QPoint(3, 4));
    EXPECT_EQ(log.events, (QStringList{"down 2 3,4", "up 2 3,4"})) << "no click for the right button";

    log.events.clear();
    QTest::mousePress(&control, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&control, Qt::LeftButton, {}, QPoint(80, 5));
    EXPECT_EQ(log.events, (QStringList{"down 1 5,5", "up 1 80,5"})) << "released outside: no click";

    log.events.clear();
    controlstests::doubleClickSequence(&control, QPoint(2, 2));
    EXPECT_EQ(log.events, (QStringList{"down 1 2,2", "up 1 2,2", "click", "down 1 2,2", "dblclick", "up 1 2,2"}))
        << "one click and one double-click";
}

TEST(PictureControl, MovesReachTheHandlerWithTheButtons)
{
    PictureControl control;
    control.resize(50, 40);
    QStringList moves;
    QObject::connect(&control, &PictureControl::mouseMoved, [&](Qt::MouseButtons buttons, QPoint p) {
        moves << QStringLiteral("%1 %2,%3").arg(int(buttons)).arg(p.x()).arg(p.y());
    });
    EXPECT_TRUE(control.hasMouseTracking());
    QMouseEvent plain(QEvent::MouseMove, QPointF(4, 6), QPointF(4, 6), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &plain);
    QMouseEvent dragging(QEvent::MouseMove, QPointF(9, 1), QPointF(9, 1), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&control, &dragging);
    EXPECT_EQ(moves, (QStringList{"0 4,6", "1 9,1"}));
}

TEST(PictureControl, HandlerErrorsAreReported)
{
    testsupport::MessageRecorder::clear();
    PictureControl control;
    control.resize(20, 20);
    desktop::connectGuarded(&control, &PictureControl::clicked, &control,
                            [] { desktop::showMessage(QStringLiteral("File not found")); });
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(testsupport::MessageRecorder::last(), QStringLiteral("File not found"));
}

TEST(PictureControl, WithoutHandlersPressesGoToTheWindowBeneath)
{
    struct Beneath : QWidget
    {
        int presses = 0;
        void mousePressEvent(QMouseEvent*) override { ++presses; }
    } parent;
    parent.resize(50, 50);
    auto* control = new PictureControl(&parent);
    control->setGeometry(0, 0, 30, 30);
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(parent.presses, 1);
    QObject::connect(control, &PictureControl::clicked, [] {});
    QTest::mousePress(control, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(parent.presses, 1);
}
