// The places searched for a collection on Windows: the executable's folder and the disc drives by letter.
#include <QCoreApplication>
#include <QDir>
#include <cwchar>
#include <iterator>
#include <windows.h>

#include "app/collection_search.h"

QStringList discDriveRoots()
{
    QStringList roots;
    wchar_t drives[4 * 26 + 2] = {};
    const DWORD length = GetLogicalDriveStringsW(DWORD(std::size(drives) - 1), drives);
    if (length == 0 || length >= std::size(drives))
        return roots;
    // An empty drive answers "not ready" without asking the user to insert a disc.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
    for (const wchar_t* root = drives; *root; root += wcslen(root) + 1) {
        if (GetDriveTypeW(root) == DRIVE_CDROM &&
            GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0))
            roots << QDir::fromNativeSeparators(QString::fromWCharArray(root));
    }
    SetThreadErrorMode(previousMode, nullptr);
    return roots;
}

CollectionPlaces systemPlaces(const QString& workingDirectory)
{
    return windowsPlaces(QCoreApplication::applicationDirPath(), workingDirectory, discDriveRoots());
}
