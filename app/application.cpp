#include "app/application.h"

#include <QDir>
#include <QFileInfo>

MapApplication::MapApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("mapcatalogue"));
    setApplicationDisplayName(QStringLiteral("Каталог старинных карт"));
}

failure::Result<StartOptions> parseStartOptions(const QStringList& arguments, const QString& workingDirectory)
{
    StartOptions options;
    QStringList rest = arguments.mid(1);
    if (rest.contains(QStringLiteral("--help")) || rest.contains(QStringLiteral("-h"))) {
        options.help = true;
        return options;
    }
    if (rest.contains(QStringLiteral("--version"))) {
        options.version = true;
        return options;
    }
    if (rest.size() > 1)
        return failure::Failure{failure::What::TooManyArguments, {}, {}, {}};
    const QString folder = rest.isEmpty() ? workingDirectory : QDir(workingDirectory).absoluteFilePath(rest.first());
    const QFileInfo info(folder);
    if (!info.isDir())
        return failure::Failure{failure::What::NotAFolder, folder.toStdString(), {}, {}};
    options.collectionFolder = info.absoluteFilePath();
    options.folderGiven = !rest.isEmpty();
    return options;
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

} // namespace

QString usageText()
{
    return QStringLiteral("Usage: mapcatalogue [FOLDER]\n"
                          "       mapcatalogue --version\n"
                          "       mapcatalogue --help\n") +
           QLatin1String(SearchOrderText) +
           QStringLiteral("The folder holds Goroda/About/maps.txt, about.dat, about2.dat and the map folders\n"
                          "Goroda, Oblasti, Russia (each with previews/) and Articles.\n");
}
