#pragma once

#include <QString>
#include <functional>
#include <stdexcept>
#include <string>

namespace desktop {

/// An error raised by a handler. It travels through the program's own frames only and is caught at the edge where
/// Qt called in (runGuarded), then shown by the application's error handler.
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

/// Where messages go: a message box with one OK button in the program, a recorder in tests.
using MessageSink = std::function<void(const QString& text)>;
void setMessageSink(MessageSink sink);

/// Shows a message to the user (the general error handler's box, and the program's own message boxes). Inside a
/// handler run by runGuarded the message waits until that handler has run to its end, so the user reads it over the
/// finished result and a handler is never paused half done.
void showMessage(const QString& text);

/// Runs a handler body: the edge where program code is entered. An exception it raises ends the body; its message
/// and the messages the body left are shown when the outermost guarded handler returns.
void runGuarded(const std::function<void()>& body);

} // namespace desktop
