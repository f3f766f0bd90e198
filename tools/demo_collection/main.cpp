// Writes the demo collection: catalogue and about files, maps and previews, articles and the special pictures.
#include "collection_writer.h"
#include "tool_fonts.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    democollection::WriteOptions options;
    for (const QString& argument : app.arguments().mid(1)) {
        if (argument == QLatin1String("--small"))
            options.small = true;
        else if (argument.startsWith(QLatin1String("--threads=")))
            options.threads = argument.mid(10).toInt();
        else if (options.folder.isEmpty() && !argument.startsWith(QLatin1Char('-')))
            options.folder = argument;
        else {
            std::fprintf(stderr, "Unknown argument: %s\n", qPrintable(argument));
            return 2;
        }
    }
    if (options.folder.isEmpty()) {
        std::fprintf(stderr, "Usage: make_demo_collection [--small] [--threads=N] <output-folder>\n");
        return 2;
    }
    QString error;
    if (!toolcommon::loadToolFonts(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    bool skipped = false;
    error = democollection::writeCollection(options, &skipped);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (skipped)
        std::printf("The demo collection in %s is complete already.\n", qPrintable(options.folder));
    else
        std::printf("Wrote the demo collection to %s in %.1f s.\n", qPrintable(options.folder),
                    timer.elapsed() / 1000.0);
    return 0;
}
