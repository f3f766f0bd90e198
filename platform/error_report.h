#pragma once

#include <QString>
#include <functional>
#include <stdexcept>
#include <string>

namespace platform {

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

/// Shows a message to the user (the general error handler's box, and the program's own message boxes).
void showMessage(const QString& text);

/// Runs a handler body; an exception it raises ends the body and its message is shown with showMessage.
void runGuarded(const std::function<void()>& body);

} // namespace platform
