#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <memory>

#include "controls/reduced_copies.h"
#include "controls/reduced_copy_builder.h"

namespace controls {

/// Where a picture of size picture is drawn inside a box of size box under the four switches: natural size at the
/// top-left, scaled when Stretch is on (or Proportional and the picture is larger than the box), with the aspect
/// kept when Proportional is on, moved to the middle when Center is on.
QRect drawnRect(QSize picture, QSize box, bool stretch, bool proportional, bool center);

/// The pixels a picture needs to fill box on a screen of the given device pixel ratio: box in device pixels.
QSize deviceSize(QSize box, qreal deviceRatio);

/// The pixel ratio that shows a picture decoded for a box on a scaled screen as sharp as the screen allows and at the
/// size it has on an unscaled one: the screen's ratio while the picture still covers the box at it, less where it
/// would then fall short of the box, never below 1 (a small picture keeps its size in the window).
qreal fillingPixelRatio(QSize picture, QSize box, qreal deviceRatio);

/// A picture control: draws one picture into its box under AutoSize, Stretch, Proportional and Center. Without a
/// picture it is an invisible click area. Paints only the exposed part; when the picture is drawn smaller than its
/// natural size it draws from reduced copies (built once per picture, when first needed) with smooth filtering; a
/// large picture's copies are built as a job of the control's pool, so the first zoom out never waits for them.
/// Mouse events are signals; positions are in the control's coordinates. A control with no press, click or
/// double-click connected leaves presses to the window beneath, one with no move connected leaves it the moves.
class PictureControl : public QWidget
{
    Q_OBJECT
public:
    explicit PictureControl(QWidget* parent = nullptr);

    /// Sets the picture; with AutoSize on the control takes its natural size.
    void setPicture(const QImage& picture);
    /// The picture's pixels per unit of the window's coordinates, for this and every later picture: the screen's
    /// device pixel ratio puts one pixel on one device pixel at natural size. 0 (the default) takes each picture's own
    /// device pixel ratio (artwork drawn for a scale).
    void setPixelRatio(qreal ratio);
    /// The ratio the current picture is drawn with.
    qreal pixelRatio() const { return m_pixelRatio > 0 ? m_pixelRatio : m_picture.devicePixelRatio(); }
    /// The picture's size in the window's coordinates: its pixels divided by the pixel ratio.
    QSize naturalSize() const;
    /// The part of the control where a part of the picture (in its pixels) is drawn at natural size.
    QRect pictureArea(QRect part) const;
    void clearPicture();
    const QImage& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    /// Only this part of the picture is drawn (a picture still being decoded: its rows from the top, or its columns
    /// from one side); setPicture shows it all. While part of the picture is hidden it is drawn only at its natural
    /// size, and no reduced copy is made.
    void setShownPart(QRect part);
    QRect shownPart() const { return m_shownPart; }

    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    bool stretch() const { return m_stretch; }
    void setStretch(bool on);
    bool proportional() const { return m_proportional; }
    void setProportional(bool on);
    bool center() const { return m_center; }
    void setCenter(bool on);

    /// Where the picture is drawn in the control's coordinates.
    QRect drawnRect() const;
    /// The reduced copies built so far for the current picture.
    const std::vector<QImage>& reducedCopies() const { return m_reduced.copies(); }
    /// True while reduced copies of a large picture are being built in the background; until they are ready the
    /// control draws from the picture without smoothing.
    bool buildingReducedCopies() const;
    /// Where the reduced copies are built: a job of pool (which must outlive the control's builder), or here, when
    /// first needed, when none is set.
    void setWorkPool(work::WorkPool* pool) { m_pool = pool; }

signals:
    /// A left press and release inside the control, after mouseReleased.
    void clicked();
    void doubleClicked();
    void mousePressed(Qt::MouseButton button, QPoint pos);
    void mouseMoved(Qt::MouseButtons buttons, QPoint pos);
    void mouseReleased(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool takesPresses() const;
    void applyAutoSize();
    /// The source for drawing the picture at drawnPixels (device pixels), fewer than it has; smooth tells whether to
    /// filter.
    const QImage& reducedSource(QSize drawnPixels, bool* smooth);
    void adoptReducedCopies();

    QImage m_picture;
    ReducedCopies m_reduced;
    std::unique_ptr<ReducedCopyBuilder> m_builder; // large pictures: the copies are built in the background
    work::WorkPool* m_pool = nullptr;
    QRect m_shownPart;
    qreal m_pixelRatio = 0;
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_proportional = false;
    bool m_center = false;
    bool m_pressedLeft = false;
};

} // namespace controls
