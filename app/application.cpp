#include "app/application.h"

#include <QDir>
#include <QFileInfo>

MapApplication::MapApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("mapcatalogue"));
    setApplicationDisplayName(QStringLiteral("Каталог старинных карт"));
}

StartOptions parseStartOptions(const QStringList& arguments, const QString& workingDirectory)
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
    if (rest.size() > 1) {
        options.error = QStringLiteral("mapcatalogue: too many arguments; give at most one collection folder");
        return options;
    }
    const QString folder = rest.isEmpty() ? workingDirectory : QDir(workingDirectory).absoluteFilePath(rest.first());
    const QFileInfo info(folder);
    if (!info.isDir()) {
        options.error = QStringLiteral("mapcatalogue: %1 is not a folder").arg(folder);
        return options;
    }
    options.collectionFolder = info.absoluteFilePath();
    options.folderGiven = !rest.isEmpty();
    return options;
}

QString usageText()
{
    return QStringLiteral("Usage: mapcatalogue [FOLDER]\n"
                          "       mapcatalogue --version\n"
                          "       mapcatalogue --help\n"
                          "Shows the map collection in FOLDER. Without FOLDER: the collection in the working\n"
                          "directory, else the one opened last, else one on mounted media (/media/ACCOUNT,\n"
                          "/run/media/ACCOUNT, /media, /mnt, each itself or a folder in it; ACCOUNT is the\n"
                          "name of the user account); failing those, a dialog asks for the folder.\n"
                          "The folder holds Goroda/About/maps.txt, about.dat, about2.dat and the map folders\n"
                          "Goroda, Oblasti, Russia (each with previews/) and Articles.\n");
}
