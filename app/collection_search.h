#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QSettings;

/// True when folder holds a collection: Goroda/About/maps.txt in any letter case, as on a disc or a copy of one.
bool holdsCollection(const QString& folder);

/// The folders where mounted media of the user are searched, in order; root stands for "/" (a test gives a folder
/// of its own).
QStringList mediaFolders(const QString& root, const QString& user);

/// The places tried for a collection when the command line names none.
struct CollectionPlaces
{
    QString programFolder; ///< Windows: the executable's folder (a disc started by autorun); empty elsewhere
    QString workingDirectory;
    QString lastOpened; ///< remembered from the previous run; may be empty
    QStringList discs;  ///< Windows: the roots of the CD and DVD drives in letter order, each tried itself
    QStringList media;  ///< from mediaFolders(); each one itself (a disc mounted on it), then its subfolders in name
                        ///< order
};

/// The places of a start without a folder on Windows: the program's own folder (a disc started by autorun, or the
/// program folder copied onto a disc beside Goroda/), the working directory, then the roots of the disc drives.
CollectionPlaces windowsPlaces(const QString& programFolder, const QString& workingDirectory,
                               const QStringList& discRoots);

#ifdef _WIN32
/// The roots of the CD and DVD drives that hold a disc ("D:/"), in drive letter order.
QStringList discDriveRoots();
#else
/// The name of the account the program runs as, from the system's user database; empty when it has none.
QString accountName();

/// The places of a start without a folder: the working directory and the account's media folders below mediaRoot.
CollectionPlaces placesToSearch(const QString& workingDirectory, const QString& mediaRoot);
#endif

/// The places of this system for a start without a folder: windowsPlaces() of the executable's folder and the disc
/// drives on Windows; placesToSearch() below "/" elsewhere (MAPCATALOGUE_MEDIA_ROOT puts the media folders below
/// another folder, for trying the search without mounting a disc).
CollectionPlaces systemPlaces(const QString& workingDirectory);

/// The first place that holds a collection: the program's folder, the working directory, the last collection
/// opened, the disc drives, then the mounted media. Empty when none does.
QString findCollection(const CollectionPlaces& places);

/// The last collection opened, kept in the user's settings between runs.
QString rememberedCollection(const QSettings& settings);
void rememberCollection(QSettings& settings, const QString& folder);

/// Asks for a folder; empty when the user cancels.
using FolderQuestion = std::function<QString()>;

/// Asks until the user picks a folder that holds a collection (a folder without one is refused with a message) or
/// cancels (empty result).
QString askForCollection(const FolderQuestion& ask);

/// The collection the program opens: the folder given on the command line if any, else the first one found (the
/// remembered one is read from settings), else the one the user picks. A folder that holds a collection is remembered
/// for the next run. Empty when the user cancelled the question.
QString chooseCollection(const QString& givenFolder, CollectionPlaces places, QSettings& settings,
                         const FolderQuestion& ask);

/// Qt's own folder dialog, titled in Russian.
QString askFolderWithDialog();
