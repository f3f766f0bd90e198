#pragma once

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QWidget>

namespace controls {

/// Where the keyboard focus is, for controls whose artwork shows none (the list's hidden grid): a 1-pixel outline
/// around the place it is given, on show while the watched control has the focus and hidden otherwise. It lies over
/// its siblings and lets the mouse through.
class FocusFrame : public QWidget
{
public:
    FocusFrame(QWidget* watched, QColor colour, QWidget* parent);
    /// The outlined place in the parent; an empty one hides the frame.
    void setPlace(const QRect& place);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void follow();

    QPointer<QWidget> m_watched;
    QColor m_colour;
    QRect m_place;
};

} // namespace controls
