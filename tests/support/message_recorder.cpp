#include "support/message_recorder.h"

#include "desktop/error_report.h"

namespace testsupport {

QStringList& MessageRecorder::messages()
{
    static QStringList recorded;
    return recorded;
}

void MessageRecorder::install()
{
    desktop::setMessageSink([](const QString& text) { messages().append(text); });
}

} // namespace testsupport
