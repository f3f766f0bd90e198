#pragma once

#include <QString>
#include <QStringList>

namespace testsupport {

/// Records what the program would show in message boxes. Installed by the test main; tests read and clear it.
class MessageRecorder
{
public:
    static void install();
    static QStringList& messages();
    static void clear() { messages().clear(); }
    static QString last() { return messages().isEmpty() ? QString() : messages().last(); }
};

} // namespace testsupport
