// Zoom, fit, actual size, the wheel, panning with the hand cursors and the hover images, driven with real events.
#include <QDir>
#include <QScrollBar>

#include "controls/picture_control.h"
#include "viewer_fixture.h"
#include "viewer_window/navigator.h"
#include "viewer_window/scroll_box.h"

using namespace testsupport;

class ViewerZoom : public ViewerTest
{
protected:
    TForm2& openSized(QSize size)
    {
        if (!form)
            openCatalogue(3);
        collection.writeJpeg(mapPath(2), size);
        return openMap(2);
    }
    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(3, 3)); }
    static void saveScreen(QWidget& window, const char* name)
    {
        const QString folder = QStringLiteral(MAPCATALOGUE_BINARY_DIR "/screens");
        QDir().mkpath(folder);
        EXPECT_TRUE(window.grab().save(folder + QLatin1Char('/') + QLatin1String(name)));
    }
};

TEST_F(ViewerZoom, ZoomOutFromStepSixHidesTheZoomOutButtonsAndTheWheelThenChangesNothing)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    EXPECT_TRUE(viewer.zoomInButton->isHidden());
    const QSize expected[] = {{2700, 1800}, {2160, 1440}, {1512, 1008}, {907, 604}, {453, 302}};
    for (int i = 0; i < 5; ++i) {
        click(viewer.zoomOutButton);
        EXPECT_EQ(state().ZoomIndex, i + 2);
        EXPECT_EQ(viewer.mapPicture->size(), expected[i]);
        EXPECT_FALSE(viewer.zoomOutButton->isHidden()) << "step " << i + 2;
        EXPECT_FALSE(viewer.zoomInButton->isHidden());
    }
    click(viewer.zoomOutButton);
    EXPECT_EQ(state().ZoomIndex, 7);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(181, 120));
    EXPECT_EQ(state().StepWidths[7], 181);
    EXPECT_EQ(state().StepHeights[7], 120);
    EXPECT_TRUE(viewer.zoomOutButton->isHidden());
    EXPECT_TRUE(viewer.zoomOutHover->isHidden());
    // Centred in the view; the picture is drawn scaled into the box.
    EXPECT_EQ(viewer.mapPicture->pos(),
              QPoint((viewer.mapView->width() - 181) / 2, (viewer.mapView->height() - 120) / 2));
    EXPECT_EQ(viewer.mapPicture->drawnRect().size(), QSize(181, 120));

    wheel(viewer.mapPicture, -120); // toward the user, over the picture
    EXPECT_EQ(state().ZoomIndex, 7);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(181, 120));

    // Zoom in returns along the recorded sizes to actual size.
    click(viewer.zoomInButton);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(453, 302));
    EXPECT_FALSE(viewer.zoomOutButton->isHidden());
    for (int i = 0; i < 5; ++i)
        click(viewer.zoomInButton);
    EXPECT_EQ(state().ZoomIndex, 1);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(3000, 2000));
    EXPECT_TRUE(viewer.zoomInButton->isHidden());
}

TEST_F(ViewerZoom, TheWheelZoomsAlsoOverTheScrollingViewWithoutScrollingIt)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    viewer.mapView->setVerticalPosition(50);
    wheel(viewer.mapView->viewport(), -120);
    EXPECT_EQ(state().ZoomIndex, 2);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(2700, 1800));
    EXPECT_EQ(viewer.mapView->verticalPosition(), 45); // 55 * 0.9 - 5: the point under the pointer kept, no scroll
    wheel(viewer.mapView->viewport(), 120);
    EXPECT_EQ(state().ZoomIndex, 1);
    wheel(&viewer, 0);
    EXPECT_EQ(state().ZoomIndex, 1);
}

TEST_F(ViewerZoom, AFineWheelZoomsOneStepPerNotch)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    for (int i = 0; i < 4; ++i)
        wheel(viewer.mapPicture, -30); // a touchpad's swipe of one notch
    EXPECT_EQ(state().ZoomIndex, 2);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(2700, 1800));
}

TEST_F(ViewerZoom, TheWheelOverAScrollBarZoomsWithoutScrolling)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    viewer.mapView->setVerticalPosition(50);
    QScrollBar* bar = viewer.mapView->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    wheel(bar, -120);
    EXPECT_EQ(state().ZoomIndex, 2);
    const int centre = viewer.mapView->viewport()->rect().center().y(); // not under a bar: the centre's point kept
    EXPECT_EQ(viewer.mapView->verticalPosition(), qRound((50 + centre) * 0.9 - centre));
    wheel(viewer.mapView->horizontalScrollBar(), 120);
    EXPECT_EQ(state().ZoomIndex, 1);
}

// The wheel keeps the map point under the pointer, the buttons the one at the view's centre, to a pixel of the view.
TEST_F(ViewerZoom, ZoomKeepsTheMapPointInPlace)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    ScrollBox* view = viewer.mapView;
    const QPoint centre = view->viewport()->rect().center(), pointer(200, 150);
    const auto mapPointAt = [&](QPoint inView) { // in the map's own pixels
        const QPoint scroll(view->horizontalPosition(), view->verticalPosition());
        return QPointF(inView + scroll - viewer.mapPicture->pos()) * 3000.0 / viewer.mapPicture->width();
    };
    const std::pair<controls::PictureControl*, QPoint> cases[] = {
        {nullptr, pointer}, {viewer.zoomOutButton, centre}, {viewer.zoomInButton, centre}};
    for (const auto& [button, at] : cases) {
        view->setHorizontalPosition(800);
        view->setVerticalPosition(500);
        const QPointF before = mapPointAt(at);
        button ? click(button) : wheel(viewer.mapPicture, -120, viewer.mapPicture->mapFrom(view->viewport(), pointer));
        const QPointF moved = mapPointAt(at) - before;
        EXPECT_LE(std::max(std::abs(moved.x()), std::abs(moved.y())), 3000.0 / viewer.mapPicture->width()) << at.x();
    }
}

TEST_F(ViewerZoom, FitToScreenInAViewSevenHundredPixelsHigh)
{
    struct Case
    {
        QSize picture;
        int percentStep; // expected ZoomIndex
    };
    const Case cases[] = {{{3000, 2000}, 7}, {{1000, 770}, 0}, {{600, 500}, 1}};
    for (const Case& c : cases) {
        TForm2& viewer = openSized(c.picture);
        setViewSize(viewer, QSize(1000, 700));
        ASSERT_EQ(viewer.mapView->size(), QSize(1000, 700));
        click(viewer.fitButton);
        EXPECT_EQ(viewer.mapPicture->geometry(), QRect(3, 3, 993, 693)) << c.picture.height();
        EXPECT_EQ(state().ZoomIndex, c.percentStep) << c.picture.height();
        EXPECT_EQ(viewer.zoomInButton->isHidden(), c.percentStep <= 1) << c.picture.height();
        EXPECT_TRUE(viewer.mapPicture->center());
        // The fitted box fits the client area: no bars kept from the actual size before.
        EXPECT_FALSE(viewer.mapView->horizontalScrollBar()->isVisible()) << c.picture.height();
        EXPECT_FALSE(viewer.mapView->verticalScrollBar()->isVisible()) << c.picture.height();
        if (c.picture.height() == 2000)
            saveScreen(viewer, "viewer_fit.png");
        viewer.close();
    }
}

TEST_F(ViewerZoom, ZoomOutAndWheelAfterAFitAtStepZero)
{
    TForm2& viewer = openSized(QSize(1000, 770));
    setViewSize(viewer, QSize(1000, 700));
    click(viewer.fitButton);
    ASSERT_EQ(state().ZoomIndex, 0);
    click(viewer.zoomOutButton);
    EXPECT_EQ(state().ZoomIndex, 1);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(993, 693)); // x 100 div 100
    EXPECT_TRUE(viewer.zoomOutButton->isHidden());         // 993 * 1 div 100 is below 250

    click(viewer.fitButton);
    ASSERT_EQ(state().ZoomIndex, 0);
    wheel(&viewer, 120); // away from the user: step 1, actual size
    EXPECT_EQ(state().ZoomIndex, 1);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(1000, 770));
    EXPECT_TRUE(viewer.zoomInButton->isHidden());
}

TEST_F(ViewerZoom, AZoomOutAtTheLastStepChangesNothing)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    state().ZoomIndex = 10;
    wheel(&viewer, -120);
    EXPECT_EQ(state().ZoomIndex, 10);
    EXPECT_EQ(viewer.mapPicture->size(), QSize(3000, 2000));
    EXPECT_FALSE(viewer.zoomInButton->isHidden());
}

TEST_F(ViewerZoom, ActualSizeAfterZoomingOut)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    click(viewer.zoomOutButton);
    click(viewer.zoomOutButton);
    viewer.mapView->setHorizontalPosition(200);
    click(viewer.actualSizeButton);
    EXPECT_EQ(state().ZoomIndex, 1);
    EXPECT_EQ(viewer.mapPicture->geometry(), QRect(0, 0, 3000, 2000));
    const int centre = viewer.mapView->viewport()->rect().center().x(); // the point at the centre kept
    EXPECT_EQ(viewer.mapView->horizontalPosition(), qRound((200 + centre) * 3000 / 2160.0 - centre));
    EXPECT_TRUE(viewer.zoomInButton->isHidden());
    EXPECT_TRUE(viewer.mapView->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(viewer.mapView->verticalScrollBar()->isVisible());
    saveScreen(viewer, "viewer_actual.png");
}

TEST_F(ViewerZoom, DraggingThePicturePansWithinTheScrollRange)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    ScrollBox* view = viewer.mapView;
    const int hMax = view->horizontalScrollBar()->maximum();
    const int vMax = view->verticalScrollBar()->maximum();
    ASSERT_GT(hMax, 100);
    struct Case
    {
        QPoint start, expected;
    };
    const Case cases[] = {
        {{0, 100}, {40, 70}},
        {{0, 0}, {40, 0}},                 // limited at the top
        {{hMax, vMax}, {hMax, vMax - 30}}, // limited at the right
    };
    for (const Case& c : cases) {
        view->setHorizontalPosition(c.start.x());
        view->setVerticalPosition(c.start.y());
        QTest::mousePress(viewer.mapPicture, Qt::LeftButton, {}, QPoint(100, 100));
        EXPECT_TRUE(screenShows(controls::GrabbingHand));
        moveWithLeftButton(viewer.mapPicture, QPoint(60, 130));
        EXPECT_EQ(QPoint(view->horizontalPosition(), view->verticalPosition()), c.expected);
        QTest::mouseRelease(viewer.mapPicture, Qt::LeftButton, {}, QPoint(60, 130));
        EXPECT_TRUE(screenShows(controls::OpenHand));
    }
    // A move without the button only hides the hover images; the bar's background gives the default cursor back.
    hover(viewer.zoomOutButton);
    EXPECT_FALSE(viewer.zoomOutHover->isHidden());
    hover(viewer.mapPicture);
    EXPECT_TRUE(viewer.zoomOutHover->isHidden());
    EXPECT_TRUE(screenShows(controls::OpenHand));
    hover(viewer.controlBarBackground);
    EXPECT_TRUE(QGuiApplication::overrideCursor() == nullptr);
}

TEST_F(ViewerZoom, HoverImagesShowOverTheirButtonsAndTakeTheSameClick)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    controls::PictureControl* const plain[] = {viewer.actualSizeButton, viewer.fitButton, viewer.zoomOutButton,
                                               viewer.nextButton};
    controls::PictureControl* const hoverImage[] = {viewer.actualSizeHover, viewer.fitHover, viewer.zoomOutHover,
                                                    viewer.nextHover};
    for (int i = 0; i < 4; ++i) {
        hover(plain[i]);
        EXPECT_FALSE(hoverImage[i]->isHidden()) << i;
    }
    hover(viewer.controlBarBackground);
    for (controls::PictureControl* h : hoverImage)
        EXPECT_TRUE(h->isHidden());

    hover(viewer.zoomOutButton);
    click(viewer.zoomOutHover);
    EXPECT_EQ(state().ZoomIndex, 2);
    hover(viewer.zoomInButton); // now shown by the zoom out
    click(viewer.zoomInHover);
    EXPECT_EQ(state().ZoomIndex, 1);
}

// The navigator shows while part of the map is out of view, within its size limits in the view's lower right corner,
// and a click or a drag on it centres the view on the point under the pointer.
TEST_F(ViewerZoom, TheNavigatorShowsTheWholeMapAndMovesTheViewWhereItIsClicked)
{
    TForm2& viewer = openSized(QSize(3000, 2000));
    setViewSize(viewer, QSize(1000, 700));
    ScrollBox* view = viewer.mapView;
    viewer::Navigator* navigator = viewer.mapNavigator;
    const auto checkShown = [&](const char* when) {
        SCOPED_TRACE(when);
        ASSERT_TRUE(navigator->isVisible());
        const QRect placed = navigator->geometry(), client = view->viewport()->rect();
        EXPECT_TRUE(client.contains(placed));
        EXPECT_GT(placed.left(), client.center().x());
        EXPECT_GT(placed.top(), client.center().y());
        EXPECT_LE(placed.width(), client.width() / 5);
        EXPECT_LE(std::max(placed.width(), placed.height()), 200);
        EXPECT_NEAR(placed.width() * 2000.0 / placed.height(), 3000, 3000.0 / placed.height() * 2);
    };
    checkShown("actual size");
    // Where a click, then a drag, puts the map point under it: at the view's centre, as near as the range allows.
    const QPoint centre = view->viewport()->rect().center();
    const auto mapPointAtCentre = [&] {
        const QPoint scroll(view->horizontalPosition(), view->verticalPosition());
        return QPointF(centre + scroll - viewer.mapPicture->pos()) * 3000.0 / viewer.mapPicture->width();
    };
    const QSize size = navigator->size();
    const QPointF share(0.4, 0.6), dragged(0.55, 0.45);
    const auto at = [&](QPointF s) { return QPoint(int(s.x() * size.width()), int(s.y() * size.height())); };
    QTest::mouseClick(navigator, Qt::LeftButton, {}, at(share));
    EXPECT_NEAR(mapPointAtCentre().x(), 3000 * share.x(), 3000.0 / size.width() + 2);
    EXPECT_NEAR(mapPointAtCentre().y(), 2000 * share.y(), 2000.0 / size.height() + 2);
    QTest::mousePress(navigator, Qt::LeftButton, {}, at(share));
    moveWithLeftButton(navigator, at(dragged));
    QTest::mouseRelease(navigator, Qt::LeftButton, {}, at(dragged));
    EXPECT_NEAR(mapPointAtCentre().x(), 3000 * dragged.x(), 3000.0 / size.width() + 2);
    EXPECT_NEAR(mapPointAtCentre().y(), 2000 * dragged.y(), 2000.0 / size.height() + 2);
    // Hidden whenever the whole map is in view: at fit, and zoomed out until it fits.
    click(viewer.fitButton);
    EXPECT_FALSE(navigator->isVisible());
    click(viewer.actualSizeButton);
    checkShown("back at actual size");
    for (int i = 0; i < 4; ++i)
        click(viewer.zoomOutButton); // 907 x 604
    EXPECT_FALSE(navigator->isVisible());
    click(viewer.zoomInButton);
    checkShown("zoomed in again");
    EXPECT_FALSE(openSized(QSize(600, 500)).mapNavigator->isVisible()); // smaller than the view
}
