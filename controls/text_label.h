#pragma once

#include <QFrame>
#include <QLabel>

namespace controls {

/// A transparent text label showing plain text (never rich text). Without a fixed box it takes the size of its text
/// (never wider than maxTextWidth when one is set). Never takes the focus. Mouse events are signals; events of
/// signals nothing is connected to go on to the widget beneath.
class TextLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TextLabel(QWidget* parent = nullptr);

    /// Sets the text and, unless the box is fixed, fits the label to it.
    void setCaption(const QString& text);
    QString caption() const { return text(); }

    /// Fixes the label's box (text wrapped at word boundaries when wordWrap is on) instead of fitting it to the text.
    void setFixedBox(QSize size, bool wordWrap);
    /// Cuts a fitted label at this width; 0 for no limit.
    void setMaxTextWidth(int width);
    void setFontSpec(int pixelHeight, bool bold, bool fixedPitch = false);
    void setTextColour(QColor colour);
    QColor textColour() const { return m_colour; }
    bool isBold() const { return font().bold(); }
    void setBold(bool bold);

signals:
    void clicked();
    void doubleClicked();
    /// Raised for moves without a button pressed too (mouse tracking is on while something is connected).
    void mouseMoved();
    /// Whole wheel notches; positive towards the top.
    void wheelTurned(int steps);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void fitToText();
    bool hasClickHandlers() const;
    bool hasMoveHandler() const;

    QColor m_colour;
    bool m_fixedSize = false;
    int m_maxTextWidth = 0;
    bool m_pressed = false;
    int m_wheelRemainder = 0;
};

/// A panel: a plain child window filled with its colour.
class Panel : public QFrame
{
    Q_OBJECT
public:
    Panel(QWidget* parent, QColor colour);
};

} // namespace controls
