// Creation and the open step: the hand cursors, loading the map with the hourglass and the progress bar, the texts
// of the control bar and the step table.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QWindow>
#include <QtMath>
#include <algorithm>

#include "controls/cursors.h"
#include "controls/picture_control.h"
#include "controls/text_label.h"
#include "current_entry/current_entry.h"
#include "desktop/failure_text.h"
#include "files/data_files.h"
#include "viewer_window/detail_tiles.h"
#include "viewer_window/navigator.h"
#include "viewer_window/scroll_box.h"
#include "viewer_window/tform2.h"
#include "viewer_window/viewer_state.h"

namespace {

/// A hand cursor from the program's resources, or Qt's own hand while the resource is missing.
QCursor handCursor(const char* resource, Qt::CursorShape fallback)
{
    if (!QFile::exists(QLatin1String(resource)))
        return QCursor(fallback);
    return controls::loadCursorResource(resource);
}

// Least time between two repaints of the rows of a map being decoded: one frame at 60 Hz.
constexpr int RowsFrameMs = 16;
} // namespace

ViewerState& viewerState()
{
    static ViewerState state;
    return state;
}

void TForm2::FormCreate()
{
    controls::registerScreenCursor(controls::OpenHand, handCursor(":/cursors/RUKARAZJATA.png", Qt::OpenHandCursor));
    controls::registerScreenCursor(controls::GrabbingHand, handCursor(":/cursors/RUKASJATA.png", Qt::ClosedHandCursor));
}

void TForm2::FormActivate()
{
    ViewerState& state = viewerState();
    mapPicture->setCursor(controls::screenCursor(controls::OpenHand));
    if (!isMaximized()) {
        const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
        move(where ? where->availableGeometry().topLeft() : QPoint(0, 0));
    }
    state.ZoomIndex = 1;
    state.ZoomSteps = viewer::zoomStepPercentages();
    placeWindowButtons();
    hideStepButtonsAtTheEnds();

    controls::setScreenCursor(QCursor(Qt::WaitCursor));
    // An opening still running is given up: its decode stops, and what it posts from now on is ignored.
    m_document.open(m_entry.mapPath(), m_entry.title() + QStringLiteral("  ") + m_entry.year(),
                    qCeil(mapView->height() * devicePixelRatioF()));
}

void TForm2::showDocument()
{
    // Every text describes the map on show; only the bar shows an opening under way.
    const viewer::MapDocument::Map& shown = m_document.shown();
    fileSizeLabel->setCaption(shown.fileSizeText);
    titleAndYearLabel->setCaption(shown.titleAndYear);
    dimensionsLabel->setCaption(shown.picture.isNull()
                                    ? QString()
                                    : QStringLiteral("%1 x %2").arg(shown.mapSize.width()).arg(shown.mapSize.height()));
    if (!m_document.showsProgress())
        return progressBar->hide();
    progressBar->show();
    progressBar->setValue(m_document.progressPercent());
}

void TForm2::showPictureOfDocument()
{
    viewReset();
    mapNavigator->setMap({}); // until the new map is whole
    mapDetail->setMap({}, {}, {}, 1);
    const QImage& picture = m_document.shown().picture;
    if (picture.isNull()) {
        // Nothing of the previous map stays behind: no scroll range, no steps to zoom along.
        mapPicture->clearPicture();
        ViewerState& state = viewerState();
        state.StepWidths = {};
        state.StepHeights = {};
        mapPicture->resize(0, 0);
        return;
    }
    // A new picture is on show from the start at actual size, its rows appearing as they are decoded. Zooming acts on
    // it meanwhile with its own steps. At actual size one map pixel lies on one device pixel, whatever the screen's
    // scale; the overview of a map too large to decode whole is drawn as large as the map.
    mapPicture->setPixelRatio(devicePixelRatioF() / m_document.shown().reduction);
    mapPicture->setAutoSize(true);
    mapPicture->setPicture(picture);
    mapPicture->setShownPart(m_document.shownPart());
    m_unpainted = QRect();
    viewerState().ZoomIndex = 1;
    computeZoomSteps();
}

void TForm2::showOpenedMap()
{
    mapPicture->setPicture(m_document.shown().picture);
    computeZoomSteps();
    centre();
    mapNavigator->setMap(m_document.shown().picture);
    const viewer::MapDocument::Map& shown = m_document.shown();
    mapDetail->setMap(shown.detail, shown.source, shown.mapSize, shown.reduction);
    finishOpening();
    readNeighboursAhead();
}

void TForm2::reportFailedOpening()
{
    finishOpening();
    desktop::reportFailure(desktop::Action::OpenMap, *m_document.failure());
}

void TForm2::computeZoomSteps()
{
    // The steps are sizes in the window, where the natural size holds the map's pixels on as many device pixels.
    ViewerState& state = viewerState();
    const QSize natural = mapPicture->naturalSize();
    viewer::computeStepSizes(natural.width(), natural.height(), state.ZoomSteps, state.StepWidths, state.StepHeights);
}

void TForm2::finishOpening()
{
    controls::setScreenCursorDefault();
    unsetCursor();
}

void TForm2::showDecodedPart(const QRect& written)
{
    mapPicture->setShownPart(m_document.shownPart());
    m_unpainted = m_unpainted.united(written);
    // Until the window is exposed its first paint shows what is there.
    if (!isVisible() || !windowHandle() || !windowHandle()->isExposed())
        return;
    const QRect inView = mapPicture->visibleRegion().boundingRect();
    const QRect unpainted = mapPicture->pictureArea(m_unpainted) & inView;
    if (unpainted.isEmpty()) {
        m_unpainted = QRect();
        return;
    }
    // One repaint a frame while rows come in, and at once when the view is complete.
    const bool viewComplete =
        (mapPicture->pictureArea(m_document.shownPart()) & inView) == (mapPicture->drawnRect() & inView);
    if (!viewComplete && m_sinceRowsPainted.isValid() && m_sinceRowsPainted.elapsed() < RowsFrameMs)
        return;
    mapPicture->repaint(unpainted);
    m_sinceRowsPainted.start();
    m_unpainted = QRect();
}
