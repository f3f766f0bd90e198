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
#include "platform/data_files.h"
#include "platform/error_report.h"
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

/// Puts the screen cursor back to the default and the window's own cursor to the default when the open step ends, also
/// when the map could not be loaded.
class OpenStepCursors
{
public:
    explicit OpenStepCursors(QWidget* window) : m_window(window) {}
    ~OpenStepCursors()
    {
        controls::setScreenCursorDefault();
        m_window->unsetCursor();
    }
    OpenStepCursors(const OpenStepCursors&) = delete;
    OpenStepCursors& operator=(const OpenStepCursors&) = delete;

private:
    QWidget* m_window;
};

// Least time between two repaints of the progress bar while a map decodes: one frame at 60 Hz.
constexpr int BarFrameMs = 16;

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
    OpenStepCursors restoreCursors(this);

    mapPicture->setCursor(controls::screenCursor(controls::OpenHand));
    if (!isMaximized()) {
        const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
        move(where ? where->availableGeometry().topLeft() : QPoint(0, 0));
    }
    state.ZoomIndex = 1;
    state.ZoomSteps = viewer::zoomStepPercentages();
    placeWindowButtons();

    const int row = m_entry.row();
    if (row == 0) {
        previousButton->hide();
        previousHover->hide();
    }
    if (row == m_entry.rowCount() - 1) {
        nextButton->hide();
        nextHover->hide();
    }

    // At actual size one map pixel lies on one device pixel, whatever the screen's scale.
    mapPicture->setPixelRatio(devicePixelRatioF());
    controls::setScreenCursor(QCursor(Qt::WaitCursor));
    const std::optional<QString> error = loadMap(m_entry.mapPath());
    controls::setScreenCursorDefault();
    if (error) {
        platform::showMessage(*error);
        return;
    }

    showMapTexts(mapPicture->picture().size());
    // The steps are sizes in the window, where the natural size holds the map's pixels on as many device pixels.
    const QSize natural = mapPicture->naturalSize();
    viewer::computeStepSizes(natural.width(), natural.height(), state.ZoomSteps, state.StepWidths, state.StepHeights);
    centre();
    readNeighboursAhead();
}

void TForm2::showMapTexts(QSize natural)
{
    fileSizeLabel->setCaption(m_entry.fileSizeText());
    titleAndYearLabel->setCaption(m_entry.title() + QStringLiteral("  ") + m_entry.year());
    dimensionsLabel->setCaption(QStringLiteral("%1 x %2").arg(natural.width()).arg(natural.height()));
}

std::optional<QString> TForm2::loadMap(const QString& relativePath)
{
    // The bar shows from the start: on a slow medium the read takes a while of its own, and the window keeps being
    // painted meanwhile (input waits until the open step has ended).
    bool onScreen = false;
    showDecodeProgress(platform::ProgressStage::Starting, 0);
    viewer::MapFile file = m_mapFiles.read(relativePath, [this, &onScreen] {
        onScreen = onScreen || reachScreen();
        if (onScreen)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    if (!file.bytes) {
        progressBar->hide();
        return QStringLiteral("Не удалось открыть карту %1: %2").arg(relativePath, file.error);
    }

    platform::JpegDecodeOptions options;
    options.progress = [this, &onScreen](platform::ProgressStage stage, int percent) {
        if (!onScreen)
            onScreen = reachScreen();
        showDecodeProgress(stage, percent);
    };
    // The map on show gives its memory to the new one (and stops its reduced copies) once the new header is read;
    // a file that is missing or not a picture leaves it on show.
    options.beforePicture = [this] {
        mapPicture->clearPicture();
        m_mapBytes.clear();
    };
    // The new picture is on show from the start at actual size, its rows appearing as they are decoded; rows not
    // yet decoded are not drawn.
    bool started = false;
    options.pictureStarted = [this, &started](const QImage& picture) {
        started = true;
        viewReset();
        mapPicture->setAutoSize(true);
        mapPicture->setPicture(picture);
        mapPicture->setShownRows(0);
        m_unpaintedFirst = m_unpaintedEnd = 0;
        // The bar describes the map whose rows are appearing, not the one they replace.
        showMapTexts(picture.size());
    };
    options.rowsReady = [this](int first, int end) { showDecodedRows(first, end); };
    options.previewRows = qCeil(mapView->height() * devicePixelRatioF());
    options.knownHead = m_mapFiles.takeHead(relativePath);
    // What is still being done ahead would only compete with this decode for the cores.
    m_mapFiles.cancel();
    platform::JpegDecodeResult decoded = platform::decodeJpeg(*file.bytes, options);
    if (!decoded.ok()) {
        progressBar->hide();
        if (started)
            mapPicture->clearPicture(); // part of a map that failed: nothing of it stays
        return QStringLiteral("Не удалось открыть карту %1: %2").arg(relativePath, decoded.error);
    }
    mapPicture->setPicture(decoded.image);
    m_mapBytes = std::move(*file.bytes);
    return std::nullopt;
}

void TForm2::showDecodedRows(int first, int end)
{
    mapPicture->setShownRows(std::max(mapPicture->shownRows(), end));
    if (m_unpaintedEnd <= m_unpaintedFirst)
        m_unpaintedFirst = first;
    m_unpaintedFirst = std::min(m_unpaintedFirst, first);
    m_unpaintedEnd = std::max(m_unpaintedEnd, end);
    // Until the window is exposed its first paint shows what is there.
    if (!isVisible() || !windowHandle() || !windowHandle()->isExposed())
        return;
    const QRect inView = mapPicture->visibleRegion().boundingRect();
    const QRect unpainted = mapPicture->rowsArea(m_unpaintedFirst, m_unpaintedEnd) & inView;
    if (unpainted.isEmpty()) {
        m_unpaintedFirst = m_unpaintedEnd = 0;
        return;
    }
    // One repaint a frame while rows come in, and at once when the view is complete.
    const bool viewComplete = mapPicture->rowsArea(0, end).bottom() >= inView.bottom();
    if (!viewComplete && m_sinceRowsPainted.isValid() && m_sinceRowsPainted.elapsed() < BarFrameMs)
        return;
    mapPicture->repaint(unpainted);
    m_sinceRowsPainted.start();
    m_unpaintedFirst = m_unpaintedEnd = 0;
}

bool TForm2::reachScreen()
{
    // A window just shown is not on screen until the window system has mapped and exposed it; until then the
    // progress bar's repaints reach nothing, and the bar would first be seen after the decode. So the decode's
    // progress reports hand the window-system events over until the window is exposed: the decode does not wait for
    // the window, nor the window for the decode. Input waits until the open step has ended.
    if (!isVisible() || !windowHandle())
        return true;
    if (!windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (!windowHandle()->isExposed())
            return false;
    }
    repaint();
    return true;
}

void TForm2::showDecodeProgress(platform::ProgressStage stage, int percent)
{
    progressBar->show();
    switch (stage) {
    case platform::ProgressStage::Starting:
        progressBar->setValue(0);
        break;
    case platform::ProgressStage::Running:
        progressBar->setValue(std::clamp(progressBar->value() + percent, 0, progressBar->maximum()));
        break;
    case platform::ProgressStage::Ending:
        progressBar->hide();
        break;
    }
    // The decoder runs on this thread: without a repaint here the bar would only show once the map is loaded. One
    // repaint a frame is all the eye takes in; one for each of a hundred reports would slow the decode down.
    static QElapsedTimer sinceBarPainted;
    if (stage != platform::ProgressStage::Running || !sinceBarPainted.isValid() ||
        sinceBarPainted.elapsed() >= BarFrameMs) {
        progressBar->repaint();
        sinceBarPainted.start();
    }
}
