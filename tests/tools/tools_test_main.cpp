// The generators letter their pictures with fonts loaded by file, which needs a GUI application.
#include "tool_fonts.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QString error;
    if (!toolcommon::loadToolFonts(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return RUN_ALL_TESTS();
}
