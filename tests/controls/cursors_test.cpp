#include <QGuiApplication>
#include <QPixmap>
#include <gtest/gtest.h>

#include "controls/cursors.h"

namespace {

QCursor bitmapCursor(QColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QCursor(pixmap, 0, 0);
}

struct ScreenCursorTest : ::testing::Test
{
    void TearDown() override { controls::setScreenCursorDefault(); }
};

} // namespace

TEST_F(ScreenCursorTest, OneOverrideThatChangesAndGoesAway)
{
    controls::registerScreenCursor(1000, bitmapCursor(Qt::white));
    controls::registerScreenCursor(1001, bitmapCursor(Qt::black));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    controls::setScreenCursor(controls::screenCursor(1001));
    controls::setScreenCursor(Qt::WaitCursor);
    controls::setScreenCursor(controls::screenCursor(1000));
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(*QGuiApplication::overrideCursor() == controls::screenCursor(1000));
    // Only one override is ever stacked: removing one leaves none.
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    controls::setScreenCursor(Qt::WaitCursor);
    controls::setScreenCursor(Qt::BusyCursor);
    controls::setScreenCursorDefault();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(ScreenCursorTest, RegisteringANumberAgainReplacesTheCursor)
{
    controls::registerScreenCursor(1000, bitmapCursor(Qt::red));
    const QCursor second = bitmapCursor(Qt::blue);
    controls::registerScreenCursor(1000, second);
    EXPECT_TRUE(controls::screenCursor(1000) == second);
    EXPECT_EQ(controls::screenCursor(4242).shape(), Qt::ArrowCursor);
}

TEST(CursorResources, MissingHandResourcesFallBackToQtHands)
{
    // The controls' tests link no artwork, so the resources are absent here.
    EXPECT_EQ(controls::loadCursorResource(":/cursors/RUKARAZJATA.png").shape(), Qt::OpenHandCursor);
    EXPECT_EQ(controls::loadCursorResource(":/cursors/RUKASJATA.png").shape(), Qt::ClosedHandCursor);
    EXPECT_EQ(controls::loadCursorResource("RUKASJATA").shape(), Qt::ClosedHandCursor);
    EXPECT_EQ(controls::loadCursorResource(":/cursors/other.png").shape(), Qt::ArrowCursor);
}
