#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>
#include <ostream>

/// Readable QStrings in GoogleTest's failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace controlstests {

/// A wheel turn as the platform delivers it: spontaneous, so an ignored event travels on to the parent (Qt keeps
/// synthesized wheel events where they were sent).
inline void platformWheel(QWidget* target, QPoint pos, int delta)
{
    QWheelEvent event(QPointF(pos), QPointF(target->mapToGlobal(pos)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    QApplication::instance()->notify(target, &event);
}

/// The events a widget receives for a double-click: press, release, press, double-click, release.
inline void doubleClickSequence(QWidget* widget, QPoint pos)
{
    const QPointF local(pos);
    const QPointF global(widget->mapToGlobal(pos));
    const QEvent::Type types[] = {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease};
    for (const QEvent::Type type : types) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace controlstests
