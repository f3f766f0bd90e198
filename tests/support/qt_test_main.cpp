// main() of every test program that needs Qt: one QApplication for the whole run, messages recorded instead of
// shown in boxes.
#include <QApplication>
#include <gtest/gtest.h>

#include "support/message_recorder.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    testsupport::MessageRecorder::install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
