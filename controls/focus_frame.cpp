#include "controls/focus_frame.h"

#include <QEvent>
#include <QPainter>

#include "controls/accessible_control.h"

namespace controls {

FocusFrame::FocusFrame(QWidget* watched, QColor colour, QWidget* parent)
    : QWidget(parent), m_watched(watched), m_colour(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    watched->installEventFilter(this);
    // Drawing only: a screen reader hears the focus from the watched control.
    makeAccessible(this, window_layout::Role::Ignored, {}, nullptr, nullptr);
    hide();
}

void FocusFrame::setPlace(const QRect& place)
{
    m_place = place;
    follow();
}

bool FocusFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_watched && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        follow();
    return false;
}

void FocusFrame::follow()
{
    const bool shown = m_watched && m_watched->hasFocus() && !m_place.isEmpty();
    if (shown) {
        setGeometry(m_place);
        raise();
    }
    setVisible(shown);
}

void FocusFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(m_colour);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace controls
