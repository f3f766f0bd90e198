// The general error report: messages of a guarded handler wait for its end.
#include <QObject>
#include <gtest/gtest.h>

#include "desktop/error_report.h"
#include "desktop/failure_text.h"
#include "desktop/guarded.h"
#include "support/message_recorder.h"

using testsupport::MessageRecorder;

TEST(ErrorReport, AGuardedHandlersMessagesWaitForItsEnd)
{
    MessageRecorder::clear();
    int shownInside = -1;
    desktop::runGuarded([&] {
        desktop::showMessage(QStringLiteral("preview"));
        desktop::runGuarded([] { desktop::showMessage(QStringLiteral("preview")); }); // a handler it calls
        desktop::showMessage(QStringLiteral("catalogue"));
        shownInside = static_cast<int>(MessageRecorder::messages().size());
        // A handler that fails reports it and returns: the message waits like every other.
        desktop::reportFailure(desktop::Action::CopyFile, {failure::What::ClipboardRefused, {}, {}, {}});
    });
    EXPECT_EQ(shownInside, 0);
    EXPECT_EQ(MessageRecorder::messages(),
              (QStringList{QStringLiteral("preview"), QStringLiteral("preview"), QStringLiteral("catalogue"),
                           QStringLiteral("Cannot open clipboard")}));
    MessageRecorder::clear();
}

TEST(ErrorReport, ASignalBoundThroughTheGuardPassesItsArgumentsAndShowsItsMessagesAtItsEnd)
{
    MessageRecorder::clear();
    QObject receiver;
    QObject sender; // objectNameChanged stands for any signal with an argument
    QString seen;
    desktop::connectGuarded(&sender, &QObject::objectNameChanged, &receiver, [&](const QString& name) {
        seen = name;
        desktop::showMessage(QStringLiteral("stopped"));
        EXPECT_TRUE(MessageRecorder::messages().isEmpty());
    });
    sender.setObjectName(QStringLiteral("moskva"));
    EXPECT_EQ(seen, QStringLiteral("moskva"));
    EXPECT_EQ(MessageRecorder::messages(), QStringList{QStringLiteral("stopped")});
    MessageRecorder::clear();
}
