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
#include "desktop/error_report.h"
#include "desktop/failure_text.h"
#include "files/data_files.h"
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
// The bar's share of the read in an opening; the decode takes the rest. On a disc the read is most of the wait.
constexpr int ReadShare = 50;

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

    const int row = m_entry.row();
    if (row == 0) {
        previousButton->hide();
        previousHover->hide();
    }
    if (row == m_entry.rowCount() - 1) {
        nextButton->hide();
        nextHover->hide();
    }

    // An opening still running is given up: its decode stops, and what it posts from now on is ignored.
    m_decodeStop.request_stop();
    ++m_openingSerial;
    m_opening = Opening::Reading;
    m_openingPath = m_entry.mapPath();
    m_openingTitle = m_entry.title() + QStringLiteral("  ") + m_entry.year();
    m_openingFileSize = m_entry.fileSizeText();
    m_readFraction = 0;
    m_decodedPercent = 0;
    // At actual size one map pixel lies on one device pixel, whatever the screen's scale.
    mapPicture->setPixelRatio(devicePixelRatioF());
    controls::setScreenCursor(QCursor(Qt::WaitCursor));
    fileSizeLabel->setCaption(m_openingFileSize);
    titleAndYearLabel->setCaption(m_openingTitle);
    showOpeningProgress();
    m_loader.open(m_openingPath);
}

void TForm2::showReadProgress(const QString& path, qint64 done, qint64 size)
{
    if (m_opening != Opening::Reading || path != m_openingPath)
        return;
    m_readFraction = size > 0 ? double(done) / double(size) : 1.0;
    showOpeningProgress();
}

void TForm2::startDecode(const QString& path, const viewer::MapFile& file)
{
    if (m_opening != Opening::Reading || path != m_openingPath)
        return;
    if (!file)
        return failOpening(file.error().onFile(path.toStdString()));
    m_opening = Opening::Decoding;
    m_readFraction = 1;
    showOpeningProgress();

    m_decodeStop = std::stop_source();
    picture::JpegDecodeOptions options;
    options.stop = m_decodeStop.get_token();
    // Each callback comes as an event of its own; one of an opening given up is ignored.
    const auto current = [this, serial = m_openingSerial] {
        return serial == m_openingSerial && m_opening == Opening::Decoding;
    };
    options.progress = [this, current](picture::ProgressStage stage, int percent) {
        if (current())
            decodeProgress(stage, percent);
    };
    // The map on show gives its memory to the new one (and stops its reduced copies) once the new header is read;
    // a file that is not a picture leaves it on show.
    options.beforePicture = [this, current] {
        if (!current())
            return;
        mapPicture->clearPicture();
        m_mapBytes.clear();
    };
    options.pictureStarted = [this, current](const QImage& picture) {
        if (current())
            decodeStarted(picture);
    };
    options.partReady = [this, current](const QRect& written, const QRect& ready) {
        if (current())
            showDecodedPart(written, ready);
    };
    options.previewRows = qCeil(mapView->height() * devicePixelRatioF());
    options.knownHead = m_loader.takeHead(path);
    // What is still being done ahead would only compete with this decode for the disc and the cores.
    m_loader.stopAhead();
    m_loader.decode(*file, std::move(options), [this, current, bytes = *file](const failure::Result<QImage>& result) {
        if (current())
            desktop::runGuarded([&] { decodeFinished(bytes, result); });
    });
}

void TForm2::decodeProgress(picture::ProgressStage stage, int percent)
{
    switch (stage) {
    case picture::ProgressStage::Starting:
        m_decodedPercent = 0;
        break;
    case picture::ProgressStage::Running:
        m_decodedPercent = std::clamp(m_decodedPercent + percent, 0, 100);
        break;
    case picture::ProgressStage::Ending:
        progressBar->hide();
        return;
    }
    showOpeningProgress();
}

void TForm2::decodeStarted(const QImage& picture)
{
    // The new picture is on show from the start at actual size, its rows appearing as they are decoded; rows not
    // yet decoded are not drawn. Zooming acts on it meanwhile with its own steps.
    ViewerState& state = viewerState();
    viewReset();
    mapPicture->setAutoSize(true);
    mapPicture->setPicture(picture);
    mapPicture->setShownPart(QRect());
    m_unpainted = QRect();
    state.ZoomIndex = 1;
    computeZoomSteps();
    // The bar describes the map whose rows are appearing, not the one they replace.
    showMapTexts(picture.size());
}

void TForm2::decodeFinished(const QByteArray& bytes, const failure::Result<QImage>& result)
{
    if (!result) {
        mapPicture->clearPicture(); // part of a map that failed: nothing of it stays
        m_mapBytes.clear();
        return failOpening(result.error().onFile(m_openingPath.toStdString()));
    }
    mapPicture->setPicture(*result);
    m_mapBytes = bytes;
    showMapTexts(result->size());
    computeZoomSteps();
    centre();
    finishOpening();
    readNeighboursAhead();
}

void TForm2::computeZoomSteps()
{
    // The steps are sizes in the window, where the natural size holds the map's pixels on as many device pixels.
    ViewerState& state = viewerState();
    const QSize natural = mapPicture->naturalSize();
    viewer::computeStepSizes(natural.width(), natural.height(), state.ZoomSteps, state.StepWidths, state.StepHeights);
}

void TForm2::failOpening(const failure::Failure& failure)
{
    progressBar->hide();
    if (!mapPicture->hasPicture()) {
        // Nothing of the previous map stays behind: no scroll range, no steps to zoom along, no size.
        ViewerState& state = viewerState();
        state.StepWidths = {};
        state.StepHeights = {};
        mapPicture->setShownPart(QRect());
        mapPicture->resize(0, 0);
        viewReset();
        dimensionsLabel->setCaption(QString());
    }
    finishOpening();
    desktop::reportFailure(desktop::Action::OpenMap, failure);
}

void TForm2::finishOpening()
{
    m_opening = Opening::None;
    controls::setScreenCursorDefault();
    unsetCursor();
    emit openingFinished();
}

void TForm2::showOpeningProgress()
{
    progressBar->show();
    progressBar->setValue(
        std::clamp(int(ReadShare * m_readFraction) + (100 - ReadShare) * m_decodedPercent / 100, 0, 100));
}

void TForm2::showMapTexts(QSize natural)
{
    // The texts of the map being opened, not of the current entry: a step onto a missing map moves the entry on and
    // leaves the opening under way to end.
    fileSizeLabel->setCaption(m_openingFileSize);
    titleAndYearLabel->setCaption(m_openingTitle);
    dimensionsLabel->setCaption(QStringLiteral("%1 x %2").arg(natural.width()).arg(natural.height()));
}

void TForm2::showDecodedPart(const QRect& written, const QRect& ready)
{
    // The part decoded grows from one edge: the top, or a side of a turned map.
    mapPicture->setShownPart(mapPicture->shownPart().united(ready));
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
    // One repaint a frame while the map comes in, and at once when the view is complete.
    const bool viewComplete = (mapPicture->pictureArea(ready) & inView) == (mapPicture->drawnRect() & inView);
    if (!viewComplete && m_sinceRowsPainted.isValid() && m_sinceRowsPainted.elapsed() < RowsFrameMs)
        return;
    mapPicture->repaint(unpainted);
    m_sinceRowsPainted.start();
    m_unpainted = QRect();
}

void TForm2::showDecodeProgress(picture::ProgressStage stage, int percent)
{
    progressBar->show();
    switch (stage) {
    case picture::ProgressStage::Starting:
        progressBar->setValue(0);
        break;
    case picture::ProgressStage::Running:
        progressBar->setValue(std::clamp(progressBar->value() + percent, 0, progressBar->maximum()));
        break;
    case picture::ProgressStage::Ending:
        progressBar->hide();
        break;
    }
}
