#pragma once

#include <QLabel>
#include <functional>

namespace controls {

/// A transparent text label. Without a fixed size it takes the size of its text (never wider than maxTextWidth when
/// one is set). Never takes the focus. Mouse events are callbacks; a label without handlers lets the mouse through
/// to what lies beneath when made transparent for the mouse.
class TextLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent = nullptr);

    /// Sets the text and, unless the size is fixed, fits the label to it.
    void setCaption(const QString& text);
    QString caption() const { return text(); }

    void setFixedBox(QSize size, bool wordWrap);
    void setMaxTextWidth(int width);
    void setFontSpec(int pixelHeight, bool bold, bool fixedPitch = false);
    void setTextColour(QColor colour);
    QColor textColour() const { return m_colour; }
    bool isBold() const { return font().bold(); }
    void setBold(bool bold);

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void()> OnMouseMove;
    std::function<void(int steps)> OnWheel;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void fitToText();

    QColor m_colour;
    bool m_fixedSize = false;
    int m_maxTextWidth = 0;
    bool m_pressed = false;
};

/// A panel: a plain coloured child window.
class Panel : public QWidget
{
    Q_OBJECT
public:
    Panel(QWidget* parent, QColor colour);
};

} // namespace controls
