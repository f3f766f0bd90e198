// The general error report: messages of a guarded handler wait for its end, each text once.
#include <gtest/gtest.h>

#include "platform/error_report.h"
#include "support/message_recorder.h"

using testsupport::MessageRecorder;

TEST(ErrorReport, AGuardedHandlersMessagesWaitForItsEndEachTextOnce)
{
    MessageRecorder::clear();
    int shownInside = -1;
    platform::runGuarded([&] {
        platform::showMessage(QStringLiteral("preview"));
        platform::runGuarded([] { platform::showMessage(QStringLiteral("preview")); }); // a handler it calls
        platform::showMessage(QStringLiteral("catalogue"));
        shownInside = static_cast<int>(MessageRecorder::messages().size());
        throw platform::AppError(QStringLiteral("ended"));
    });
    EXPECT_EQ(shownInside, 0);
    EXPECT_EQ(MessageRecorder::messages(),
              (QStringList{QStringLiteral("preview"), QStringLiteral("catalogue"), QStringLiteral("ended")}));
    MessageRecorder::clear();
}
