// The command line: an optional collection folder and --help.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/application.h"

TEST(StartOptions, DefaultIsTheWorkingDirectoryAndAFolderArgumentIsMadeAbsolute)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("collection"));
    const StartOptions none = parseStartOptions({QStringLiteral("mapcatalogue")}, dir.path());
    EXPECT_TRUE(none.error.isEmpty());
    EXPECT_EQ(none.collectionFolder, QFileInfo(dir.path()).absoluteFilePath());
    const StartOptions relative =
        parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("collection")}, dir.path());
    EXPECT_EQ(relative.collectionFolder, dir.filePath(QStringLiteral("collection")));
}

TEST(StartOptions, HelpAndBadArgumentsAreReported)
{
    QTemporaryDir dir;
    EXPECT_TRUE(parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("--help")}, dir.path()).help);
    EXPECT_TRUE(parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("--version")}, dir.path()).version);
    const StartOptions missing =
        parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("no-such-folder")}, dir.path());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("no-such-folder")));
    const StartOptions tooMany =
        parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("a"), QStringLiteral("b")}, dir.path());
    EXPECT_FALSE(tooMany.error.isEmpty());
    // The usage names each thing the command line takes.
    for (const char* option : {"FOLDER", "--version", "--help"})
        EXPECT_TRUE(usageText().contains(QLatin1String(option))) << option;
}
