#include "app/application.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

MapApplication::MapApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("mapcatalogue"));
    setApplicationDisplayName(QStringLiteral("Каталог старинных карт"));
}

namespace {

// Where a start without FOLDER looks, in this system's order.
#ifdef Q_OS_WIN
const char* const SearchOrderText =
    "Shows the map collection in FOLDER. Without FOLDER: the collection in the program's\n"
    "own folder (a disc started by autorun), else in the working directory, else the one\n"
    "opened last, else one at the root of a disc in a CD or DVD drive (in drive letter\n"
    "order); failing those, a dialog asks for the folder.\n";
#else
const char* const SearchOrderText =
    "Shows the map collection in FOLDER. Without FOLDER: the collection in the working\n"
    "directory, else the one opened last, else one on mounted media (/media/ACCOUNT,\n"
    "/run/media/ACCOUNT, /media, /mnt, each itself or a folder in it; ACCOUNT is the\n"
    "name of the user account); failing those, a dialog asks for the folder.\n";
#endif

// The keys beside the mouse, for a user who reads the usage before starting.
const char* const KeysText = "\n"
                             "Catalogue: Up, Down, Page Up, Page Down, Home, End choose an entry; Enter opens it;\n"
                             "typing the start of a title (of a year, when ordered by year) chooses its entry;\n"
                             "Ctrl+Tab and Ctrl+Shift+Tab the next and the previous category, Ctrl+1 .. Ctrl+5\n"
                             "each; Ctrl+N, Ctrl+Y, Ctrl+Q order by name, year, quality; Esc closes the program.\n"
                             "Viewer: Left and Right the previous and next map; + and - zoom; 0 or Ctrl+0 actual\n"
                             "size; F fit to screen; Up, Down, Shift+Left, Shift+Right, Page Up, Page Down, Home,\n"
                             "End pan; Esc closes the viewer.";

/// The program's command line: --help, --version and at most one collection folder.
struct StartParser
{
    QCommandLineParser parser;
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this usage and exit.")};
    const QCommandLineOption version{QStringLiteral("version"), QStringLiteral("Print the version and exit.")};

    StartParser()
    {
        // The usage lists only the options given here: Qt's own help and version options would add -v and
        // --help-all.
        parser.setApplicationDescription(
            QLatin1String(SearchOrderText) +
            QStringLiteral("The folder holds Goroda/About/maps.txt, about.dat, about2.dat and the map folders\n"
                           "Goroda, Oblasti, Russia (each with previews/) and Articles.\n") +
            QLatin1String(KeysText));
        parser.addOption(help);
        parser.addOption(version);
        parser.addPositionalArgument(QStringLiteral("FOLDER"),
                                     QStringLiteral("The collection to open; remembered for the next start."),
                                     QStringLiteral("[FOLDER]"));
    }
};

} // namespace

failure::Result<StartOptions> parseStartOptions(const QStringList& arguments, const QString& workingDirectory)
{
    StartParser start;
    if (!start.parser.parse(arguments))
        return failure::Failure{failure::What::BadOption, {}, start.parser.errorText().toStdString(), {}};
    StartOptions options;
    options.help = start.parser.isSet(start.help);
    options.version = !options.help && start.parser.isSet(start.version);
    if (options.help || options.version)
        return options;
    const QStringList folders = start.parser.positionalArguments();
    if (folders.size() > 1)
        return failure::Failure{failure::What::TooManyArguments, {}, {}, {}};
    const QString folder =
        folders.isEmpty() ? workingDirectory : QDir(workingDirectory).absoluteFilePath(folders.first());
    const QFileInfo info(folder);
    if (!info.isDir())
        return failure::Failure{failure::What::NotAFolder, folder.toStdString(), {}, {}};
    options.collectionFolder = info.absoluteFilePath();
    options.folderGiven = !folders.isEmpty();
    return options;
}

QString usageText()
{
    return StartParser().parser.helpText();
}
