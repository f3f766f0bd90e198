#pragma once

#include <QString>
#include <functional>

namespace desktop {

/// Where messages go: a message box with one OK button in the program, a recorder in tests.
using MessageSink = std::function<void(const QString& text)>;
void setMessageSink(MessageSink sink);

/// Shows a message to the user (the general error handler's box, and the program's own message boxes). Inside a
/// handler run by runGuarded the message waits until that handler has run to its end, so the user reads it over the
/// finished result and a handler is never paused half done.
void showMessage(const QString& text);

/// Runs a handler body: the edge where program code is entered. Nothing is thrown through it: a handler that fails
/// reports the failure (desktop::reportFailure, failure_text.h) and returns; the messages the body left are shown when
/// the outermost guarded handler returns, one box each. Memory that cannot be had (std::bad_alloc from the program's
/// own allocations) ends the body with the failure NoMemory rather than leaving through Qt's frames.
void runGuarded(const std::function<void()>& body);

} // namespace desktop
