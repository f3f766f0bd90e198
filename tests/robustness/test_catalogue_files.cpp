// Catalogue and about files with bad contents: the window comes up with what could be read, each file that could
// not be read is named in one message, and every view still works.
#include <QDir>
#include <QFile>

#include "robustness_fixture.h"

using namespace robustness;

class CatalogueFiles : public RobustnessTest, public ::testing::WithParamInterface<CatalogueFileCase>
{
};

TEST_P(CatalogueFiles, WindowShowsWhatCouldBeReadAndNamesTheFile)
{
    const CatalogueFileCase& c = GetParam();
    collection.writeComplete(testsupport::cities(3));
    const QString file = QString::fromLatin1(c.file);
    if (!c.bytes || file.startsWith(QStringLiteral("Goroda/About/maps.txt/")))
        QFile::remove(collection.file(QStringLiteral("Goroda/About/maps.txt")));
    if (c.bytes)
        collection.writeBytes(file, c.bytes());
    openGuarded();

    EXPECT_EQ(takeMessages(), c.messages);
    EXPECT_EQ(data->CategoryTables[catalogue::Cities].count(), c.cityRows);
    int aboutLines = 0;
    for (int i = 1; i <= catalogue::MaxAboutLines; ++i)
        if (!data->AboutLines[static_cast<size_t>(i)].empty())
            aboutLines = i;
    EXPECT_EQ(aboutLines, c.aboutLines);

    exerciseWindow();
    EXPECT_EQ(takeMessages(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(BadInput, CatalogueFiles, ::testing::ValuesIn(catalogueFileCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RobustnessTest, EveryByteOfATitleIsShownAsItsCodePage1251Character)
{
    const CatalogueFileCase* everyByte = nullptr;
    for (const CatalogueFileCase& c : catalogueFileCases())
        if (std::string(c.name) == "EveryByteInATitle")
            everyByte = &c;
    ASSERT_NE(everyByte, nullptr);
    collection.writeComplete({});
    collection.writeBytes(QStringLiteral("Goroda/About/maps.txt"), everyByte->bytes());
    openGuarded();
    const QString title = row(1);
    ASSERT_EQ(title.size(), 252);
    EXPECT_EQ(title[0], QChar(0));
    EXPECT_EQ(title[0xC0 - 4], QChar(0x0410)); // А, four bytes below it are left out
    EXPECT_EQ(title[0x98 - 4], QChar(0x0098)); // the one byte code page 1251 leaves unassigned
    EXPECT_EQ(title[251], QChar(0x044F));      // я
}

TEST_F(RobustnessTest, CatalogueWhoseReadFailsIsNamedAndTheWindowGoesOn)
{
    // /proc/self/mem fails every read at its start with EIO: the kernel's own failing read, as from a bad disc.
#ifdef Q_OS_WIN
    GTEST_SKIP() << "no file of Windows fails its reads as /proc/self/mem does";
#endif
    collection.writeComplete(testsupport::cities(3));
    const QString maps = collection.file(QStringLiteral("Goroda/About/maps.txt"));
    QFile::remove(maps);
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), maps));
    openGuarded();

    const QStringList messages = takeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Input/output error"))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral(": Goroda/About/maps.txt"))) << messages[0].toStdString();
    EXPECT_EQ(data->CategoryTables[catalogue::Cities].count(), 0);
    exerciseWindow();
    EXPECT_EQ(takeMessages(), QStringList());
}
