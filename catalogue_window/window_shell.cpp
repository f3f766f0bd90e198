// The window shell: creation, the catalogue load at the first activation, dragging by the background, minimise and
// close.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "catalogue/catalogue_load.h"
#include "catalogue_window/catalogue_files.h"
#include "catalogue_window/link_text.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "desktop/error_report.h"
#include "desktop/failure_text.h"
#include "desktop/guarded.h"
#include "desktop/main_window.h"
#include "files/data_files.h"
#include "picture/jpeg_decoder.h"

namespace {
constexpr int FirstActivationWait = 500; // milliseconds
} // namespace

TForm1::TForm1(CurrentEntry& entry, loading::Loader& loader, QWidget* parent)
    : QWidget(parent), m_entry(entry), m_loader(loader)
{
    createControls();
    connectHandlers();
    connectAccessibility();
    createShortcuts();
    setPopupAttached(true);
}

TForm1::~TForm1()
{
    m_previewStop.request_stop();
}

void TForm1::showInitialPreview()
{
    // The preview shows a large map until the first entry's preview replaces it.
    QFile file(QStringLiteral(":/artwork/catalogue/initial_map.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.readAll();
    picture::JpegDecodeOptions options;
    options.fitBox = controls::deviceSize(previewPicture->size(), devicePixelRatioF());
    const failure::Result<QImage> result = picture::decodeJpeg(bytes, options);
    if (result) {
        previewPicture->setPixelRatio(
            controls::fillingPixelRatio(result->size(), previewPicture->size(), devicePixelRatioF()));
        previewPicture->setPicture(*result);
        previewBytes = bytes;
    }
}

void TForm1::FormActivate()
{
    // The load appends to the record fields, so it runs once per process: returning from the viewer or from a
    // message box is no new first activation.
    if (m_loaded)
        return;
    m_loaded = true;

    const catalogue::LoadReport report = m_entry.load(catalogue_window::readCatalogueFile);
    for (const std::string& warning : report.warnings)
        std::fprintf(stderr, "mapcatalogue: %s\n", warning.c_str());

    listGrid->resize(0, listGrid->height());
    ImageGorClick();
    listGrid->setFocus();

    // Problems are shown after the list is up, one box each, so the window is usable behind them.
    for (const failure::Failure& problem : report.errors)
        desktop::reportFailure(desktop::Action::LoadCatalogue, problem);
}

bool TForm1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !m_loaded)
        desktop::runGuarded([this] { FormActivate(); });
    return QWidget::event(event);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Where nothing activates the window (a bare X server without a window manager), the catalogue is loaded all
    // the same shortly after the window appears, so the list never stays empty.
    if (!m_loaded)
        QTimer::singleShot(FirstActivationWait, this, desktop::guarded([this] {
                               if (!m_loaded)
                                   FormActivate();
                           }));
}

void TForm1::minimiseProgram()
{
    desktop::minimiseProgram(*this);
}

void TForm1::closeWindow()
{
    close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
}

// --- dragging by the background ----------------------------------------------------------------------------------

void TForm1::startDrag(QPoint globalPos)
{
    // The window manager moves the window where it can; elsewhere (no window manager, offscreen) it follows the
    // mouse by hand. Under Wayland only the compositor moves windows: there a move by hand would be ignored.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    m_dragging = true;
    m_dragOffset = globalPos - pos();
}

bool TForm1::isDragSurface(QPoint pos) const
{
    const QWidget* child = childAt(pos);
    for (int n = catalogue_window::FirstLinkRow; n <= catalogue_window::LastWindowLinkRow; ++n) {
        if (child == Label[n])
            return !catalogue_window::isLinkRowText(Label[n]->caption());
    }
    return child == nullptr;
}

bool TForm1::nativeEvent(const QByteArray& eventType, void* message, qintptr* result)
{
    return desktop::answerHitTestAsCaption(*this, eventType, message, result,
                                           [this](QPoint pos) { return isDragSurface(pos); }) ||
           QWidget::nativeEvent(eventType, message, result);
}

void TForm1::mousePressEvent(QMouseEvent* event)
{
    // Only the drag surface moves the window; presses that a panel's control did not take arrive here too, and must
    // not move it. (A link row's press comes through eventFilter.)
    if (event->button() == Qt::LeftButton && isDragSurface(event->position().toPoint())) {
        startDrag(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TForm1::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TForm1::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == listPanel && event->type() == QEvent::Wheel) {
        QCoreApplication::sendEvent(listGrid, event);
        return true;
    }
    // The link rows take the mouse before the drag only where they hold a link; elsewhere they are background.
    if (event->type() == QEvent::MouseButtonPress) {
        for (int n = catalogue_window::FirstLinkRow; n <= catalogue_window::LastWindowLinkRow; ++n) {
            if (watched != Label[n])
                continue;
            auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton && !catalogue_window::isLinkRowText(Label[n]->caption())) {
                startDrag(press->globalPosition().toPoint());
                return true;
            }
        }
    }
    if (event->type() == QEvent::MouseMove && m_dragging) {
        auto* move = static_cast<QMouseEvent*>(event);
        mouseMoveEvent(move);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && m_dragging) {
        m_dragging = false;
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
