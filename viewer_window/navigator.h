#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QWidget>

class ScrollBox;

namespace controls {
class PictureControl;
}

namespace viewer {

/// The longest side of the navigator's picture, in the window's coordinates.
inline constexpr int NavigatorLongestSide = 200;

/// The navigator's size for a map of size map in a view whose client area is view wide: at most a fifth of the view's
/// width and NavigatorLongestSide on its longer side, the map's proportions kept; empty for an empty map.
QSize navigatorSize(QSize map, int viewWidth);

/// A small picture of the whole map with the rectangle in view, in the view's lower right corner over the picture; a
/// click or a drag on it centres the view on the point under the pointer. It shows only while part of the map is out
/// of view, and follows the view's scrolling, the picture's zoom and the view's size by itself.
class Navigator : public QWidget
{
    Q_OBJECT
public:
    /// Lies in view's client area and follows picture, the view's scrolled control; drawn in colour.
    Navigator(ScrollBox& view, controls::PictureControl& picture, QColor colour);

    /// The map to show in small, reduced once here to the navigator's largest size; a null picture hides the
    /// navigator until the next map.
    void setMap(const QImage& map);
    /// The part of the map in view, as shares of its width and height.
    QRectF inView() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void follow();
    void centreOn(QPoint pos);

    ScrollBox& m_view;
    const QObject* m_viewport;
    controls::PictureControl& m_picture;
    QColor m_colour;
    QImage m_small;
    QSize m_mapSize;
};

} // namespace viewer
