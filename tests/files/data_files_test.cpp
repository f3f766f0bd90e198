#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <gtest/gtest.h>
#include <vector>

#include "catalogue/codepage.h"
#include "files/data_files.h"
#include "support/qstring_printer.h"
#include "support/test_collection.h"

using testsupport::TestCollection;

namespace {

TEST(DataFiles, CollectionFolderIsSetAndRestoredPerTest)
{
    const QString before = files::collectionFolder();
    {
        TestCollection collection;
        EXPECT_EQ(files::collectionFolder(), QDir(collection.path()).absolutePath());
    }
    EXPECT_EQ(files::collectionFolder(), before);
    files::setCollectionFolder(QString());
    EXPECT_EQ(files::collectionFolder(), QDir::currentPath());
    files::setCollectionFolder(before);
}

struct LookupCase
{
    const char* onDisk;
    const char* asked;
};

// The collection was made on Windows, where names match regardless of letter case: every component may differ.
TEST(DataFiles, FindsFilesRegardlessOfLetterCase)
{
    const LookupCase cases[] = {
        {"Goroda/previews/moskva.jpg", "Goroda/previews/moskva.jpg"},
        {"Goroda/previews/Tver.JPG", "Goroda/previews/tver.jpg"},
        {"GORODA/Previews/kazan.jpg", "Goroda/previews/KAZAN.jpg"},
        {"Oblasti/Карта Области.jpg", "oblasti/карта области.JPG"},
        {"Russia/ЁЛКИ/Ёжик.jpg", "russia/ёлки/ёЖИК.jpg"},
        {"./Articles/statja.htm", "Articles/STATJA.HTM"},
    };
    TestCollection collection;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        const QString onDisk = QString::fromUtf8(c.onDisk);
        collection.writeBytes(onDisk, QByteArray("abc"));
        const QString asked = QString::fromUtf8(c.asked);
#ifdef Q_OS_WIN
        // Windows finds the file under any letter case itself: the name asked stands.
        EXPECT_EQ(QDir::cleanPath(files::resolveDataPath(asked))
                      .compare(QDir::cleanPath(collection.file(onDisk)), Qt::CaseInsensitive),
                  0);
#else
        EXPECT_EQ(QDir::cleanPath(files::resolveDataPath(asked)), QDir::cleanPath(collection.file(onDisk)));
#endif
        EXPECT_TRUE(files::dataFileExists(asked));
        EXPECT_EQ(files::dataFileSize(asked), 3);
        const failure::Result<QByteArray> read = files::readDataFile(asked);
        ASSERT_TRUE(read);
        EXPECT_EQ(*read, QByteArray("abc"));
    }
}

TEST(DataFiles, ExactNameWinsOverOtherCase)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "a Windows folder cannot hold two names that differ in letter case only";
#endif
    TestCollection collection;
    collection.writeBytes(QStringLiteral("Goroda/a.jpg"), QByteArray("lower"));
    collection.writeBytes(QStringLiteral("Goroda/A.jpg"), QByteArray("upper!"));
    EXPECT_EQ(files::dataFileSize(QStringLiteral("Goroda/A.jpg")), 6);
    EXPECT_EQ(files::dataFileSize(QStringLiteral("Goroda/a.jpg")), 5);
}

TEST(DataFiles, MissingNamesResolveToTheExactPath)
{
    TestCollection collection;
    collection.writeBytes(QStringLiteral("Goroda/x.jpg"), QByteArray("x"));
    const QString missing = QStringLiteral("goroda/previews/none.jpg");
    EXPECT_EQ(files::resolveDataPath(missing), collection.file(missing));
    EXPECT_FALSE(files::dataFileExists(missing));
    EXPECT_EQ(files::dataFileSize(missing), std::nullopt);
    const failure::Result<QByteArray> read = files::readDataFile(missing);
    ASSERT_FALSE(read);
    EXPECT_EQ(read.error().what, failure::What::FileNotFound);
    EXPECT_EQ(read.error().file, missing.toStdString());
}

TEST(DataFiles, FoldersAreNotFiles)
{
    TestCollection collection;
    collection.writeBytes(QStringLiteral("Goroda/previews/x.jpg"), QByteArray("x"));
    for (const QString& folder : {QStringLiteral("Goroda/previews"), QStringLiteral("goroda/PREVIEWS/"),
                                  QStringLiteral("Goroda/"), QString()}) {
        SCOPED_TRACE(folder.toStdString());
        EXPECT_FALSE(files::dataFileExists(folder));
        EXPECT_EQ(files::dataFileSize(folder), std::nullopt);
        const failure::Result<QByteArray> read = files::readDataFile(folder);
        ASSERT_FALSE(read);
        EXPECT_EQ(read.error().what, failure::What::FileNotFound);
    }
}

TEST(DataFiles, SizesOfEmptyAndSparseFiles)
{
    TestCollection collection;
    collection.writeBytes(QStringLiteral("Russia/empty.jpg"), QByteArray());
    collection.writeBytes(QStringLiteral("Russia/big.jpg"), QByteArray());
    QFile big(collection.file(QStringLiteral("Russia/big.jpg")));
    ASSERT_TRUE(big.resize(2'097'152));
    EXPECT_EQ(files::dataFileSize(QStringLiteral("Russia/empty.jpg")), 0);
    EXPECT_EQ(files::dataFileSize(QStringLiteral("russia/BIG.jpg")), 2'097'152);
    const failure::Result<QByteArray> empty = files::readDataFile(QStringLiteral("Russia/empty.jpg"));
    ASSERT_TRUE(empty);
    EXPECT_EQ(*empty, QByteArray());
}

TEST(DataFiles, RefusesFilesAboveTheLimit)
{
    TestCollection collection;
    collection.writeBytes(QStringLiteral("Goroda/map.jpg"), QByteArray(100, 'x'));
    const failure::Result<QByteArray> tooLarge = files::readDataFile(QStringLiteral("Goroda/map.jpg"), 99);
    ASSERT_FALSE(tooLarge);
    EXPECT_EQ(tooLarge.error().what, failure::What::FileTooLarge);
    EXPECT_EQ(tooLarge.error().figures, (std::vector<std::int64_t>{100, 99}));
    const failure::Result<QByteArray> whole = files::readDataFile(QStringLiteral("Goroda/map.jpg"), 100);
    ASSERT_TRUE(whole);
    EXPECT_EQ(*whole, QByteArray(100, 'x'));
}

// On a slow disc a read no longer wanted stops between two pieces of at most 1 MiB, and goes on later where it
// stopped, never from the start again.
TEST(DataFiles, AReadStopsBetweenPiecesAndGoesOnWhereItStopped)
{
    TestCollection collection;
    QByteArray bytes(5'000'000, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 13 + i / 1000);
    collection.writeBytes(QStringLiteral("Goroda/map.jpg"), bytes);
    std::stop_source stop;
    std::vector<std::pair<qint64, qint64>> pieces; // offset, length
    files::setReadPaceForTests([&](const QString&, qint64 offset, qint64 length) {
        pieces.emplace_back(offset, length);
        if (offset >= 2'000'000)
            stop.request_stop();
    });
    const auto soundDisc = qScopeGuard([] { files::setReadPaceForTests({}); });
    files::DataFileRead read(QStringLiteral("Goroda/map.jpg"));
    ASSERT_EQ(read.readOn(stop.get_token()), files::DataFileRead::State::Reading);
    ASSERT_FALSE(pieces.empty());
    EXPECT_GE(pieces.back().first, 2'000'000);
    EXPECT_EQ(read.bytesRead(), pieces.back().first + pieces.back().second) << "stopped after the piece under way";
    // Stopped, it holds no file: the disc can be ejected.
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System | QDir::Files))
        EXPECT_FALSE(fd.symLinkTarget().endsWith(QLatin1String("Goroda/map.jpg")));
    // The stamp is the file's from before its first byte was read.
    const files::FileStamp before = files::stampOf(QStringLiteral("Goroda/map.jpg"));
    EXPECT_EQ(read.stamp(), before);
    qint64 lastProgress = 0;
    ASSERT_EQ(read.readOn({},
                          [&](qint64 done, qint64 size) {
                              EXPECT_EQ(size, bytes.size());
                              lastProgress = done;
                          }),
              files::DataFileRead::State::Done);
    EXPECT_EQ(lastProgress, bytes.size());
    EXPECT_EQ(read.takeBytes(), bytes);
    // A file that changes while its read is stopped is read again from its start, with the changed file's stamp:
    // the bytes before the stop are never joined to the changed file's rest.
    pieces.clear();
    files::DataFileRead again(QStringLiteral("Goroda/map.jpg"));
    ASSERT_EQ(again.readOn(stop.get_token()), files::DataFileRead::State::Reading);
    QFile changed(collection.file(QStringLiteral("Goroda/map.jpg")));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite));
    ASSERT_TRUE(changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    changed.close();
    ASSERT_EQ(again.readOn({}), files::DataFileRead::State::Done);
    EXPECT_EQ(again.takeBytes(), bytes);
    EXPECT_NE(again.stamp(), before);
    EXPECT_EQ(again.stamp(), files::stampOf(QStringLiteral("Goroda/map.jpg")));
    qint64 expectedOffset = 0;
    for (const auto& [offset, length] : pieces) {
        EXPECT_EQ(offset, expectedOffset) << "read once, in order";
        // However fast the pieces before it came (from the page cache here), a piece takes at most about 100 ms on a
        // disc at 1 MB/s: a stop waits for no more.
        EXPECT_LE(length, 100'000);
        expectedOffset = offset + length;
    }
    std::stop_source stopped;
    stopped.request_stop();
    const failure::Result<QByteArray> stoppedRead =
        files::readDataFile(QStringLiteral("Goroda/map.jpg"), files::DefaultMaxFileBytes, stopped.get_token());
    ASSERT_FALSE(stoppedRead);
    EXPECT_EQ(stoppedRead.error().what, failure::What::ReadStopped);
}

TEST(DataFiles, StaysInsideFolderTable)
{
    const struct
    {
        const char* name;
        bool inside;
    } cases[] = {
        {"statja.htm", true},   {"sub/statja.htm", true}, {"sub\\statja.htm", true}, {"", true},
        {"./statja.htm", true}, {"..statja.htm", true},   {"statja..htm", true},     {"../secret.txt", false},
        {"sub/../../x", false}, {"..\\x.htm", false},     {"sub\\..\\x", false},     {"..", false},
        {"/etc/passwd", false}, {"\\windows\\x", false},  {"C:\\x.htm", false},      {"c:x.htm", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(files::staysInsideFolder(QString::fromUtf8(c.name)), c.inside) << c.name;
}

TEST(DataFiles, PathsLeavingTheCollectionAreNotLookedUp)
{
    TestCollection collection;
    collection.writeBytes(QStringLiteral("Articles/a.htm"), QByteArray("a"));
#ifdef Q_OS_WIN
    // A path from the root lies on the collection's drive.
    EXPECT_EQ(files::resolveDataPath(QStringLiteral("/etc/hostname")), collection.path().left(2) + "/etc/hostname");
#else
    EXPECT_EQ(files::resolveDataPath(QStringLiteral("/etc/hostname")), QStringLiteral("/etc/hostname"));
#endif
    EXPECT_EQ(files::resolveDataPath(QStringLiteral("../OUTSIDE/x")), collection.file(QStringLiteral("../OUTSIDE/x")));
}

TEST(DataFiles, CatalogueNamesAreConvertedFromCodePage1251)
{
    const std::string moskva = catalogue::utf8ToCp1251("Москва_Ёлки.jpg");
    EXPECT_EQ(files::fileNameFromCatalogue(moskva), QStringLiteral("Москва_Ёлки.jpg"));
    EXPECT_EQ(files::fileNameFromCatalogue(catalogue::utf8ToCp1251("old\\карта.jpg")), QStringLiteral("old/карта.jpg"));
    EXPECT_EQ(files::displayText(catalogue::utf8ToCp1251("Автор: Иванов\\Петров")),
              QStringLiteral("Автор: Иванов\\Петров"));
    EXPECT_EQ(files::displayText(std::string()), QString());
}

} // namespace
