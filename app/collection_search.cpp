#include "app/collection_search.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

#include "desktop/error_report.h"
#include "files/data_files.h"

namespace {

const QString CatalogueFile = QStringLiteral("Goroda/About/maps.txt");
const QString LastCollectionKey = QStringLiteral("collection/last");

} // namespace

bool holdsCollection(const QString& folder)
{
    return !folder.isEmpty() && QFileInfo(files::resolvePathIn(folder, CatalogueFile)).isFile();
}

QStringList mediaFolders(const QString& root, const QString& user)
{
    const QDir base(root);
    QStringList folders;
    if (!user.isEmpty())
        folders << base.filePath(QStringLiteral("media/") + user) << base.filePath(QStringLiteral("run/media/") + user);
    folders << base.filePath(QStringLiteral("media")) << base.filePath(QStringLiteral("mnt"));
    return folders;
}

CollectionPlaces windowsPlaces(const QString& programFolder, const QString& workingDirectory,
                               const QStringList& discRoots)
{
    CollectionPlaces places;
    places.programFolder = programFolder;
    places.workingDirectory = workingDirectory;
    places.discs = discRoots;
    return places;
}

QString findCollection(const CollectionPlaces& places)
{
    // A disc holds the collection at its root: a drive's folders are not searched.
    const QStringList folders =
        QStringList{places.programFolder, places.workingDirectory, places.lastOpened} + places.discs;
    for (const QString& folder : folders)
        if (holdsCollection(folder))
            return QFileInfo(folder).absoluteFilePath();
    for (const QString& media : places.media) {
        // A disc mounted straight on the folder (/mnt) holds the collection itself.
        if (holdsCollection(media))
            return QFileInfo(media).absoluteFilePath();
        const QFileInfoList mounted =
            QDir(media).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable, QDir::Name);
        for (const QFileInfo& folder : mounted)
            if (holdsCollection(folder.absoluteFilePath()))
                return folder.absoluteFilePath();
    }
    return {};
}

QString rememberedCollection(const QSettings& settings)
{
    return settings.value(LastCollectionKey).toString();
}

void rememberCollection(QSettings& settings, const QString& folder)
{
    settings.setValue(LastCollectionKey, QFileInfo(folder).absoluteFilePath());
    settings.sync();
}

QString askForCollection(const FolderQuestion& ask)
{
    for (;;) {
        const QString folder = ask();
        if (folder.isEmpty() || holdsCollection(folder))
            return folder.isEmpty() ? QString() : QFileInfo(folder).absoluteFilePath();
        desktop::showMessage(QStringLiteral("В папке %1 нет коллекции карт: в ней нет файла %2.\n"
                                            "Выберите папку диска с картами или его копии.")
                                 .arg(QDir::toNativeSeparators(folder), CatalogueFile));
    }
}

QString chooseCollection(const QString& givenFolder, CollectionPlaces places, QSettings& settings,
                         const FolderQuestion& ask)
{
    QString folder = givenFolder;
    if (folder.isEmpty()) {
        places.lastOpened = rememberedCollection(settings);
        folder = findCollection(places);
    }
    if (folder.isEmpty())
        folder = askForCollection(ask);
    if (holdsCollection(folder))
        rememberCollection(settings, folder);
    return folder;
}

QString askFolderWithDialog()
{
    // Qt's own dialog: its texts come from Qt's Russian translation, whatever the desktop's dialogs speak.
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Где коллекция карт? Выберите её папку"),
                                             QDir::homePath(),
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}
