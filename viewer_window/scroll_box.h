#pragma once

#include <QScrollArea>

/// The viewer's scrolling view: a sunken 2-pixel frame around a coloured client area that scrolls one placed child
/// (the picture control) by its position and size. The child's position is kept relative to the scrolled origin.
/// A bar given with setTopBar stays at the top of the client area, over the child, whatever the scroll position.
/// The wheel does not scroll, over the client area nor over the scroll bars: it passes on to the window, which zooms
/// with it.
class ScrollBox : public QScrollArea
{
    Q_OBJECT
public:
    explicit ScrollBox(QWidget* parent = nullptr);

    /// The widget the scrolled child lives in (its parent).
    QWidget* content() const { return widget(); }
    /// Makes child the scrolled control; its moves and resizes update the scroll range.
    void setScrolledChild(QWidget* child);
    /// Keeps bar across the top of the client area, never wider than maxWidth.
    void setTopBar(QWidget* bar, int height, int maxWidth);

    int horizontalPosition() const;
    int verticalPosition() const;
    void setHorizontalPosition(int position);
    void setVerticalPosition(int position);

signals:
    /// Presses and releases on the view itself (not on the child), in the view's coordinates.
    void mousePressed(Qt::MouseButton button, QPoint pos);
    void mouseReleased(Qt::MouseButton button, QPoint pos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void updateContentSize();
    void updateScrollBarPolicies(QSize extent);
    void placeTopBar();

    QWidget* m_child = nullptr;
    QWidget* m_topBar = nullptr;
    int m_topBarHeight = 0;
    int m_topBarMaxWidth = 0;
};
