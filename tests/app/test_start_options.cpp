// The command line: an optional collection folder and --help.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/application.h"

TEST(StartOptions, DefaultIsTheWorkingDirectoryAndAFolderArgumentIsMadeAbsolute)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("collection"));
    const auto none = parseStartOptions({QStringLiteral("mapcatalogue")}, dir.path());
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ(none->collectionFolder, QFileInfo(dir.path()).absoluteFilePath());
    const auto relative = parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("collection")}, dir.path());
    ASSERT_TRUE(relative.has_value());
    EXPECT_EQ(relative->collectionFolder, dir.filePath(QStringLiteral("collection")));
}

TEST(StartOptions, HelpAndBadArgumentsAreReported)
{
    QTemporaryDir dir;
    EXPECT_TRUE(parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("--help")}, dir.path())->help);
    EXPECT_TRUE(parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("--version")}, dir.path())->version);
    const auto missing =
        parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("no-such-folder")}, dir.path());
    ASSERT_FALSE(missing.has_value());
    EXPECT_TRUE(QString::fromStdString(missing.error().file).contains(QStringLiteral("no-such-folder")));
    EXPECT_FALSE(
        parseStartOptions({QStringLiteral("mapcatalogue"), QStringLiteral("a"), QStringLiteral("b")}, dir.path())
            .has_value());
    // The usage names each thing the command line takes.
    for (const char* option : {"FOLDER", "--version", "--help", "Ctrl+Tab", "Ctrl+0"})
        EXPECT_TRUE(usageText().contains(QLatin1String(option))) << option;
}
