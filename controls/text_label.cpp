#include "controls/text_label.h"

#include <QFontMetrics>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>

#include "controls/fonts.h"

namespace controls {
namespace {

constexpr int WheelNotch = 120;

} // namespace

TextLabel::TextLabel(QWidget* parent) : QLabel(parent), m_colour(palette().color(QPalette::WindowText))
{
    // Catalogue titles are data: a title that looks like markup must still show as typed.
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFont(designFont(13));
}

void TextLabel::setCaption(const QString& text)
{
    setText(text);
    fitToText();
}

void TextLabel::fitToText()
{
    if (m_fixedSize)
        return;
    const QFontMetrics metrics(font());
    int width = metrics.horizontalAdvance(text());
    if (m_maxTextWidth > 0)
        width = std::min(width, m_maxTextWidth);
    resize(width, metrics.height());
}

void TextLabel::setFixedBox(QSize size, bool wordWrap)
{
    m_fixedSize = true;
    setWordWrap(wordWrap);
    resize(size);
}

void TextLabel::setMaxTextWidth(int width)
{
    m_maxTextWidth = std::max(0, width);
    fitToText();
}

void TextLabel::setFontSpec(int pixelHeight, bool bold, bool fixedPitch)
{
    setFont(designFont(pixelHeight, bold, fixedPitch));
    fitToText();
}

void TextLabel::setTextColour(QColor colour)
{
    m_colour = colour;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    setPalette(p);
}

void TextLabel::setBold(bool bold)
{
    if (font().bold() == bold)
        return;
    QFont f = font();
    f.setBold(bold);
    setFont(f);
    fitToText();
}

bool TextLabel::hasClickHandlers() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&TextLabel::clicked)) ||
           isSignalConnected(QMetaMethod::fromSignal(&TextLabel::doubleClicked));
}

bool TextLabel::hasMoveHandler() const
{
    return isSignalConnected(QMetaMethod::fromSignal(&TextLabel::mouseMoved));
}

bool TextLabel::event(QEvent* event)
{
    // Tracking only while a move handler is connected, so labels without one cost nothing on every pointer move.
    if (event->type() == QEvent::Enter)
        setMouseTracking(hasMoveHandler());
    return QLabel::event(event);
}

void TextLabel::mousePressEvent(QMouseEvent* event)
{
    if (!hasClickHandlers()) {
        event->ignore();
        return;
    }
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
}

void TextLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (!hasClickHandlers()) {
        event->ignore();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const bool click = m_pressed && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}

void TextLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!hasClickHandlers()) {
        event->ignore();
        return;
    }
    // The release that ends a double-click is no second click.
    m_pressed = false;
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TextLabel::mouseMoveEvent(QMouseEvent* event)
{
    if (!hasMoveHandler()) {
        event->ignore();
        return;
    }
    setMouseTracking(true);
    emit mouseMoved();
}

void TextLabel::wheelEvent(QWheelEvent* event)
{
    if (!isSignalConnected(QMetaMethod::fromSignal(&TextLabel::wheelTurned))) {
        event->ignore();
        return;
    }
    m_wheelRemainder += event->angleDelta().y();
    const int steps = m_wheelRemainder / WheelNotch;
    m_wheelRemainder -= steps * WheelNotch;
    if (steps != 0)
        emit wheelTurned(steps);
}

Panel::Panel(QWidget* parent, QColor colour) : QFrame(parent)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

} // namespace controls
