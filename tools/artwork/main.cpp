// Draws the windows' artwork, the hand cursors and the skin into the assets folder.
#include "artwork_set.h"
#include "tool_fonts.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "Usage: make_artwork <assets-folder>\n");
        return 2;
    }
    QString error;
    if (!toolcommon::loadToolFonts(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    error = artwork::writeArtwork(arguments[1]);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
