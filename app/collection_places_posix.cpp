// The places searched for a collection on Linux: the account's mounted media.
#include <pwd.h>
#include <unistd.h>

#include "app/collection_search.h"

QString accountName()
{
    // udisks mounts below the account's name; $USER and the home folder's name may be anything.
    const passwd* account = getpwuid(geteuid());
    return account && account->pw_name ? QString::fromLocal8Bit(account->pw_name) : QString();
}

CollectionPlaces placesToSearch(const QString& workingDirectory, const QString& mediaRoot)
{
    CollectionPlaces places;
    places.workingDirectory = workingDirectory;
    places.media = mediaFolders(mediaRoot, accountName());
    return places;
}

CollectionPlaces systemPlaces(const QString& workingDirectory)
{
    return placesToSearch(workingDirectory, qEnvironmentVariable("MAPCATALOGUE_MEDIA_ROOT", QStringLiteral("/")));
}
