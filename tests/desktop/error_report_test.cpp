// The general error report: messages of a guarded handler wait for its end.
#include <QObject>
#include <gtest/gtest.h>

#include "desktop/error_report.h"
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
        throw desktop::AppError(QStringLiteral("ended"));
    });
    EXPECT_EQ(shownInside, 0);
    EXPECT_EQ(MessageRecorder::messages(), (QStringList{QStringLiteral("preview"), QStringLiteral("preview"),
                                                        QStringLiteral("catalogue"), QStringLiteral("ended")}));
    MessageRecorder::clear();
}

TEST(ErrorReport, ASignalBoundThroughTheGuardEndsItsHandlerAndPassesItsArguments)
{
    MessageRecorder::clear();
    QObject receiver;
    QObject sender; // objectNameChanged stands for any signal with an argument
    QString seen;
    desktop::connectGuarded(&sender, &QObject::objectNameChanged, &receiver, [&](const QString& name) {
        seen = name;
        throw desktop::AppError(QStringLiteral("stopped"));
    });
    sender.setObjectName(QStringLiteral("moskva"));
    EXPECT_EQ(seen, QStringLiteral("moskva"));
    EXPECT_EQ(MessageRecorder::messages(), QStringList{QStringLiteral("stopped")});
    MessageRecorder::clear();
}
