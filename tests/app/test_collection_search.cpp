// Finding the collection when the program is started without a folder: working directory, last opened, mounted
// media, then the question; all below a folder made for the test, never the machine's own /media.
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include "app/collection_search.h"
#include "support/message_recorder.h"
#include "support/qstring_printer.h"

namespace {

class CollectionSearch : public ::testing::Test
{
protected:
    QTemporaryDir root;

    QString path(const QString& relative) const { return root.filePath(relative); }

    /// A collection (just its catalogue file, spelt as given) in a folder below the test's root.
    QString collectionAt(const QString& folder, const QString& catalogue = QStringLiteral("Goroda/About/maps.txt"))
    {
        QDir(path(folder)).mkpath(QFileInfo(catalogue).path());
        QFile file(path(folder) + QLatin1Char('/') + catalogue);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path(folder);
    }

    CollectionPlaces places(const QString& workingDirectory, const QString& lastOpened = {})
    {
        QDir(path(QStringLiteral("work"))).mkpath(QStringLiteral("."));
        return {{}, path(workingDirectory), lastOpened, {}, mediaFolders(root.path(), QStringLiteral("anna"))};
    }
};

struct SearchCase
{
    const char* name;
    std::vector<const char*> collections; ///< folders below the root that hold a collection
    const char* lastOpened;               ///< below the root; "" for none
    const char* found;                    ///< "" for none
    bool windows = false; ///< the places of Windows: the program in "disc/bin", the drives D: and E: as "D", "E"
};

void PrintTo(const SearchCase& c, std::ostream* out)
{
    *out << c.name;
}

class SearchOrder : public CollectionSearch, public ::testing::WithParamInterface<SearchCase>
{
};

TEST_P(SearchOrder, TakesTheFirstPlaceThatHoldsACollection)
{
    const SearchCase& c = GetParam();
    for (const char* folder : c.collections)
        collectionAt(QString::fromLatin1(folder));
    QDir(path(QStringLiteral("media/cdrom/Goroda"))).mkpath(QStringLiteral(".")); // a disc of something else
    const QString last = *c.lastOpened ? path(QString::fromLatin1(c.lastOpened)) : QString();
    CollectionPlaces searched = places(QStringLiteral("work"), last);
    if (c.windows) {
        searched = windowsPlaces(path(QStringLiteral("disc/bin")), path(QStringLiteral("work")),
                                 {path(QStringLiteral("D")), path(QStringLiteral("E"))});
        searched.lastOpened = last;
    }
    const QString found = findCollection(searched);
    EXPECT_EQ(found, *c.found ? path(QString::fromLatin1(c.found)) : QString());
}

const SearchCase searchCases[] = {
    {"WorkingDirectoryFirst", {"work", "old", "media/anna/DISC"}, "old", "work"},
    {"ThenTheLastOpened", {"old", "media/anna/DISC"}, "old", "old"},
    {"LastOpenedGoneThenMedia", {"mnt/copy"}, "old", "mnt/copy"},
    {"UsersMediaBeforeRunMedia", {"run/media/anna/B", "media/anna/Z"}, "", "media/anna/Z"},
    {"RunMediaBeforeSharedMedia", {"media/cdrom0", "run/media/anna/Z"}, "", "run/media/anna/Z"},
    {"SharedMediaBeforeMnt", {"mnt/a", "media/usb"}, "", "media/usb"},
    {"MediaInNameOrder", {"mnt/b", "mnt/a"}, "", "mnt/a"},
    {"AnotherUsersMediaIsNotSearched", {"media/boris/DISC"}, "", ""},
    {"DiscMountedStraightOnMnt", {"mnt"}, "", "mnt"},
    {"DiscMountedStraightOnMediaName", {"media/DISC"}, "", "media/DISC"},
    {"NoneAnywhere", {}, "", ""},
    {"WindowsProgramFolderFirst", {"disc/bin", "work", "old", "D"}, "old", "disc/bin", true},
    {"WindowsLastOpenedBeforeTheDrives", {"D", "old"}, "old", "old", true},
    {"WindowsDrivesInLetterOrderNotMedia", {"media/anna/DISC", "E", "D"}, "", "D", true},
    {"WindowsDriveRootItselfNotItsFolders", {"D/copy", "mnt"}, "", "", true},
};
INSTANTIATE_TEST_SUITE_P(Places, SearchOrder, ::testing::ValuesIn(searchCases),
                         [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
TEST_F(CollectionSearch, MediaFoldersAreTheAccountsWhateverUserAndHomeSay)
{
    const QByteArray home = qgetenv("HOME");
    const std::optional<QByteArray> user =
        qEnvironmentVariableIsSet("USER") ? std::optional(qgetenv("USER")) : std::nullopt;
    qunsetenv("USER");
    qputenv("HOME", path(QStringLiteral("boris")).toLocal8Bit());
    const QStringList media = placesToSearch(path(QStringLiteral("work")), root.path()).media;
    qputenv("HOME", home);
    if (user)
        qputenv("USER", *user);
    const QString account = QString::fromLocal8Bit(getpwuid(geteuid())->pw_name);
    ASSERT_FALSE(media.isEmpty());
    EXPECT_EQ(media.first(), path(QStringLiteral("media/") + account));
}
#endif

TEST_F(CollectionSearch, CatalogueFileInAnyLetterCaseIsACollection)
{
    collectionAt(QStringLiteral("mnt/disc"), QStringLiteral("GORODA/about/MAPS.TXT"));
    EXPECT_EQ(findCollection(places(QStringLiteral("work"))), path(QStringLiteral("mnt/disc")));
    EXPECT_FALSE(holdsCollection(path(QStringLiteral("mnt"))));
}

TEST_F(CollectionSearch, QuestionRefusesAFolderWithoutACollectionAndAsksAgain)
{
    testsupport::MessageRecorder::clear();
    const QString disc = collectionAt(QStringLiteral("disc"));
    QStringList answers{path(QStringLiteral("disc/Goroda")), disc};
    EXPECT_EQ(askForCollection([&answers] { return answers.takeFirst(); }), disc);
    ASSERT_EQ(testsupport::MessageRecorder::messages().size(), 1);
    EXPECT_TRUE(testsupport::MessageRecorder::last().contains(QDir::toNativeSeparators(path("disc/Goroda"))));

    testsupport::MessageRecorder::clear();
    EXPECT_EQ(askForCollection([] { return QString(); }), QString());
    EXPECT_TRUE(testsupport::MessageRecorder::messages().isEmpty());
}

TEST_F(CollectionSearch, TheFolderOpenedIsRememberedForTheNextStart)
{
    QSettings settings(path(QStringLiteral("settings.ini")), QSettings::IniFormat);
    const QString given = collectionAt(QStringLiteral("given"));
    int asked = 0;
    const FolderQuestion ask = [&asked] {
        ++asked;
        return QString();
    };
    EXPECT_EQ(chooseCollection(given, places(QStringLiteral("work")), settings, ask), given);
    EXPECT_EQ(chooseCollection({}, places(QStringLiteral("work")), settings, ask), given);
    EXPECT_EQ(asked, 0);

    // Picked in the question once, found without one the next time.
    const QString picked = collectionAt(QStringLiteral("picked"));
    QDir(given).removeRecursively();
    EXPECT_EQ(chooseCollection({}, places(QStringLiteral("work")), settings, [&picked] { return picked; }), picked);
    EXPECT_EQ(chooseCollection({}, places(QStringLiteral("work")), settings, ask), picked);
    EXPECT_EQ(asked, 0);
    QDir(picked).removeRecursively();
    EXPECT_EQ(chooseCollection({}, places(QStringLiteral("work")), settings, ask), QString());
    EXPECT_EQ(asked, 1);
}

} // namespace
