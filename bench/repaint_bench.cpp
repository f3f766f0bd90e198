// Repaint and reduction figures for the viewer's picture control, driven the way the zoom handlers drive it: the
// control takes each step's size with Stretch and Proportional on, and the view shows its top-left 1920 x 1080.
#include "repaint_bench.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QWidget>
#include <cmath>
#include <vector>

#include "controls/picture_control.h"
#include "measure.h"
#include "picture/jpeg_decoder.h"
#include "viewer_window/zoom_steps.h"

namespace bench {
namespace {

constexpr QSize Screen(1920, 1080);
// The viewer's view between the 20-pixel title strip and the 44-pixel control bar.
constexpr QSize View(1920, 1080 - 20 - 44);

QImage loadPicture(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return picture::decodeJpeg(file.readAll()).value();
}

struct Step
{
    QString name;
    QSize size;
    bool center = false;
};

std::vector<Step> viewerSteps(QSize natural)
{
    const viewer::StepTable percent = viewer::zoomStepPercentages();
    viewer::StepTable widths{}, heights{};
    viewer::computeStepSizes(natural.width(), natural.height(), percent, widths, heights);
    std::vector<Step> steps;
    steps.push_back({QStringLiteral("actual"), natural});
    for (int i = 2; i <= viewer::StepCount; ++i) {
        if (widths[i] < 1 || heights[i] < 1)
            break;
        steps.push_back({QStringLiteral("step%1").arg(i), QSize(widths[i], heights[i])});
    }
    steps.push_back({QStringLiteral("fit"), View - QSize(7, 7), true});
    return steps;
}

void shape(controls::PictureControl& control, const Step& step)
{
    control.setAutoSize(false);
    control.setStretch(true);
    control.setProportional(true);
    control.setCenter(step.center);
    control.resize(step.size);
}

double psnr(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int dr = qRed(pa[x]) - qRed(pb[x]);
            const int dg = qGreen(pa[x]) - qGreen(pb[x]);
            const int db = qBlue(pa[x]) - qBlue(pb[x]);
            sum += dr * dr + dg * dg + db * db;
        }
    }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse <= 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

} // namespace

int repaintTimes(const QString& path, int runs)
{
    const QImage picture = loadPicture(path);
    if (picture.isNull())
        return 1;
    // A 1920 x 1080 window on the offscreen platform, the control in its top-left corner as the view shows it after
    // a zoom: each frame is a synchronous repaint into the window's backing store, as on screen.
    QWidget window;
    window.setAttribute(Qt::WA_OpaquePaintEvent);
    window.resize(Screen);
    auto* control = new controls::PictureControl(&window);
    control->setPicture(picture);
    window.show();
    QCoreApplication::processEvents();
    for (const Step& step : viewerSteps(picture.size())) {
        shape(*control, step);
        const QRect visible = QRect(QPoint(0, 0), Screen) & control->rect();
        QCoreApplication::processEvents();
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            const double start = now();
            control->repaint(visible);
            times.push_back(now() - start);
            // Events posted by the control (a finished reduced copy) are handled between frames, as on screen.
            QCoreApplication::processEvents();
        }
        emitFigure(QStringLiteral("repaint_%1_median").arg(step.name), median(times) * 1000, "ms", 2);
        emitFigure(QStringLiteral("repaint_%1_worst").arg(step.name), worst(times) * 1000, "ms", 2);
    }
    return 0;
}

int reductionQuality(const QString& path)
{
    const QImage picture = loadPicture(path);
    if (picture.isNull())
        return 1;
    controls::PictureControl control;
    control.setPicture(picture);
    for (const Step& step : viewerSteps(picture.size())) {
        if (step.name == QLatin1String("actual"))
            continue;
        shape(control, step);
        const QRect drawn = control.drawnRect();
        if (drawn.width() < 2 || drawn.height() < 2)
            continue;
        QImage rendered(control.size(), QImage::Format_RGB32);
        rendered.fill(Qt::black);
        // What the screen settles at: the first paint starts the reduced copies, the figure is of the drawing from
        // them.
        control.render(&rendered, QPoint(), QRegion(0, 0, 1, 1));
        while (control.buildingReducedCopies())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
        control.render(&rendered);
        const QImage shown = rendered.copy(drawn);
        const QImage reference = picture.scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                     .convertToFormat(QImage::Format_RGB32);
        const double scale = static_cast<double>(drawn.width()) / picture.width();
        emitFigure(QStringLiteral("psnr_%1_at_%2pct").arg(step.name).arg(scale * 100, 0, 'f', 1),
                   psnr(shown, reference), "dB", 1);
    }
    return 0;
}

} // namespace bench
