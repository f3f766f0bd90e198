#include "collection_content.h"
#include "collection_writer.h"
#include "jpeg_header.h"

#include "catalogue/codepage.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace democollection;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Splits a catalogue file at CR LF; a line end of any other kind is reported as a failure.
QStringList decodeLines(const QByteArray& bytes)
{
    QStringList lines;
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at byte " << i;
            const QByteArray line = bytes.mid(start, i - 1 - start);
            EXPECT_FALSE(line.contains('\r')) << "lone CR in line " << lines.size() + 1;
            lines << QString::fromStdString(catalogue::cp1251ToUtf8(line.toStdString()));
            start = i + 1;
        }
    }
    return lines;
}

/// The file as the program finds it: exact name first, then the same name in any letter case.
QString findCaseInsensitive(const QString& folder, const QString& name)
{
    QDir dir(folder);
    if (dir.exists(name))
        return dir.filePath(name);
    for (const QString& entry : dir.entryList(QDir::Files)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return {};
}

class DemoCollection : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        ASSERT_TRUE(s_dir->isValid());
        bool skipped = true;
        const QString error = writeCollection({s_dir->path(), true, 2}, &skipped);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        ASSERT_FALSE(skipped);
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }
    static QString path(const QString& relative) { return s_dir->filePath(relative); }
    static QStringList catalogueLines() { return decodeLines(readAll(path("Goroda/About/maps.txt"))); }

    static QTemporaryDir* s_dir;
};

QTemporaryDir* DemoCollection::s_dir = nullptr;

TEST_F(DemoCollection, EveryCatalogueLineNamesFilesThatExist)
{
    const QStringList lines = catalogueLines();
    ASSERT_EQ(lines.size(), qsizetype(demoEntries().size()));
    for (const QString& line : lines) {
        const QStringList fields = line.split(QLatin1Char('@'));
        ASSERT_EQ(fields.size(), 8) << line.toStdString();
        const QString& code = fields[1];
        const QString& name = fields[2];
        EXPECT_EQ(name, name.toLower()) << "catalogue file names are lower case: " << name.toStdString();
        EXPECT_TRUE(name.endsWith(QLatin1String(".jpg")) || code == QLatin1String("art")) << name.toStdString();
        const int quality = fields[7].toInt();
        EXPECT_TRUE(quality >= 1 && quality <= 5) << line.toStdString();
        if (code == QLatin1String("art")) {
            EXPECT_FALSE(findCaseInsensitive(path("Articles"), name).isEmpty()) << name.toStdString();
            continue;
        }
        const int year = fields[3].toInt();
        EXPECT_TRUE(year >= 1700 && year <= 1999) << line.toStdString();
        const QString folder = code == QLatin1String("Metro") ? QStringLiteral("Goroda") : code;
        ASSERT_TRUE(QStringList({"Goroda", "Oblasti", "Russia"}).contains(folder)) << code.toStdString();
        const QString map = findCaseInsensitive(path(folder), name);
        const QString preview = findCaseInsensitive(path(folder + "/previews"), name);
        ASSERT_FALSE(map.isEmpty()) << name.toStdString();
        ASSERT_FALSE(preview.isEmpty()) << name.toStdString();
        const JpegHeader mapHeader = readJpegHeader(readAll(map));
        const JpegHeader previewHeader = readJpegHeader(readAll(preview));
        ASSERT_TRUE(mapHeader.size.isValid()) << map.toStdString();
        ASSERT_TRUE(previewHeader.size.isValid()) << preview.toStdString();
        // The preview is the same picture reduced: same proportions within a pixel's rounding.
        EXPECT_NEAR(double(previewHeader.size.height()) / previewHeader.size.width(),
                    double(mapHeader.size.height()) / mapHeader.size.width(), 0.02)
            << name.toStdString();
    }
}

TEST_F(DemoCollection, OneMapIsFoundOnlyWithoutRegardToLetterCase)
{
    int exactMisses = 0;
    for (const DemoEntry& entry : demoEntries()) {
        if (entry.diskFileName.isEmpty())
            continue;
        ++exactMisses;
#ifndef Q_OS_WIN // where every name is found regardless of letter case
        EXPECT_FALSE(QFile::exists(path(entry.folder() + "/" + entry.fileName)));
#endif
        EXPECT_TRUE(QFile::exists(path(entry.folder() + "/" + entry.diskFileName)));
        EXPECT_TRUE(QFile::exists(path(entry.folder() + "/previews/" + entry.diskFileName)));
    }
    EXPECT_EQ(exactMisses, 1);
}

TEST_F(DemoCollection, TextFilesAreCodePage1251WithCrLf)
{
    for (const char* file : {"Goroda/About/maps.txt", "Goroda/About/about.dat", "Goroda/About/about2.dat"}) {
        SCOPED_TRACE(file);
        const QByteArray bytes = readAll(path(file));
        ASSERT_FALSE(bytes.isEmpty());
        // Cyrillic in code page 1251 is single bytes from 0xC0 up, which is not valid UTF-8.
        EXPECT_FALSE(QString::fromUtf8(bytes).toUtf8() == bytes);
        EXPECT_FALSE(bytes.contains('?')) << "a character without a code page 1251 form";
        const QStringList lines = decodeLines(bytes);
        const QByteArray again = encodeCatalogueText(lines);
        EXPECT_EQ(again, bytes);
    }
    const QStringList about = decodeLines(readAll(path("Goroda/About/about.dat")));
    EXPECT_GE(about.size(), 30);
    EXPECT_EQ(about.first(), collectionTitle);
    const QStringList about2 = decodeLines(readAll(path("Goroda/About/about2.dat")));
    EXPECT_GE(about2.size(), 12);
    const auto links =
        std::count_if(about2.begin(), about2.end(), [](const QString& l) { return l.startsWith("http"); });
    EXPECT_GE(links, 3);
    EXPECT_GE(about2.size() - links, 6);
}

TEST_F(DemoCollection, CataloguesHoldTheCasesTheWindowsMeet)
{
    std::map<QString, int> perCategory;
    std::map<QString, int> perYear;
    QStringList titles;
    bool emptyAuthor = false, emptyDescription = false;
    for (const QString& line : catalogueLines()) {
        const QStringList f = line.split(QLatin1Char('@'));
        ++perCategory[f[1]];
        ++perYear[f[3]];
        titles << f[0];
        emptyAuthor |= f[4].isEmpty();
        emptyDescription |= f[5].isEmpty();
    }
    EXPECT_GE(perCategory["Goroda"], 40); // more than the 29 visible rows, so the list scrolls
    EXPECT_EQ(perCategory["Oblasti"], 10);
    EXPECT_EQ(perCategory["Russia"], 5);
    EXPECT_EQ(perCategory["Metro"], 5);
    EXPECT_EQ(perCategory["art"], 5);
    EXPECT_EQ(perCategory.size(), 5u);
    EXPECT_TRUE(emptyAuthor);
    EXPECT_TRUE(emptyDescription);
    EXPECT_TRUE(std::any_of(perYear.begin(), perYear.end(), [](const auto& y) { return y.second >= 2; }));
    EXPECT_TRUE(std::any_of(titles.begin(), titles.end(), [](const QString& t) { return t.contains(u'ё'); }));
    EXPECT_TRUE(std::any_of(titles.begin(), titles.end(), [](const QString& t) {
        return std::any_of(t.begin(), t.end(), [](QChar c) { return c >= u'A' && c <= u'z' && c.isLetter(); });
    }));
    bool prefix = false;
    for (const QString& a : titles)
        for (const QString& b : titles)
            prefix |= a != b && b.startsWith(a + QLatin1Char(' '));
    EXPECT_TRUE(prefix) << "one title is the beginning of another";
}

TEST_F(DemoCollection, ArticlesAndSpecialPicturesArePresent)
{
    for (const DemoArticle& article : demoArticles()) {
        const QByteArray bytes = readAll(path("Articles/" + article.fileName));
        EXPECT_EQ(bytes, article.content);
        EXPECT_EQ(QString::fromUtf8(bytes).toUtf8(), bytes) << "articles are UTF-8";
    }
    for (const char* picture : {"Goroda/About/about.jpg", "Articles/foto.jpg", "left.jpg"})
        EXPECT_TRUE(readJpegHeader(readAll(path(picture))).size.isValid()) << picture;
    EXPECT_EQ(readJpegHeader(readAll(path("Articles/foto.jpg"))).size, QSize(400, 300));
}

TEST_F(DemoCollection, MapsComeBothProgressiveAndBaseline)
{
    int progressive = 0, baseline = 0;
    for (const DemoEntry& entry : demoEntries()) {
        if (entry.size.isEmpty())
            continue;
        const QString name = entry.diskFileName.isEmpty() ? entry.fileName : entry.diskFileName;
        const JpegHeader header = readJpegHeader(readAll(path(entry.folder() + "/" + name)));
        EXPECT_EQ(header.progressive, entry.progressive) << name.toStdString();
        (header.progressive ? progressive : baseline)++;
    }
    EXPECT_GE(progressive, 5);
    EXPECT_GE(baseline, 5);
}

TEST_F(DemoCollection, ACompleteCollectionIsLeftAloneAndAnIncompleteOneIsRewritten)
{
    bool skipped = false;
    ASSERT_TRUE(writeCollection({s_dir->path(), true, 2}, &skipped).isEmpty());
    EXPECT_TRUE(skipped);

    const QString map = path("Oblasti/tulskaya_guberniya.jpg");
    const QByteArray before = readAll(map);
    ASSERT_TRUE(QFile::remove(map));
    ASSERT_TRUE(writeCollection({s_dir->path(), true, 2}, &skipped).isEmpty());
    EXPECT_FALSE(skipped);
    EXPECT_EQ(readAll(map), before) << "the same picture again: the generator is deterministic";

    // A stamp of the other mode does not count as complete.
    QFile stamp(path(stampFileName()));
    ASSERT_TRUE(stamp.open(QIODevice::WriteOnly));
    stamp.write(stampContent(false));
    stamp.close();
    ASSERT_TRUE(writeCollection({s_dir->path(), true, 2}, &skipped).isEmpty());
    EXPECT_FALSE(skipped);
    EXPECT_EQ(readAll(path(stampFileName())), stampContent(true));
}

TEST_F(DemoCollection, OutputDoesNotDependOnTheNumberOfThreads)
{
    QTemporaryDir other;
    ASSERT_TRUE(writeCollection({other.path(), true, 1}).isEmpty());
    QDirIterator it(s_dir->path(), QDir::Files, QDirIterator::Subdirectories);
    int compared = 0;
    while (it.hasNext()) {
        const QString file = it.next();
        const QString relative = QDir(s_dir->path()).relativeFilePath(file);
        EXPECT_EQ(readAll(file), readAll(other.filePath(relative))) << relative.toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 130);
}

TEST(DemoEntries, FullSizeMapsHaveTheSizesTheViewerIsTriedWith)
{
    int wide = 0, usual = 0, maps = 0;
    std::set<QString> names;
    for (const DemoEntry& entry : demoEntries()) {
        EXPECT_TRUE(names.insert(entry.folder() + "/" + entry.fileName).second) << entry.fileName.toStdString();
        if (entry.size.isEmpty())
            continue;
        ++maps;
        wide += entry.size.width() >= 8000;
        usual += entry.size.width() >= 2000 && entry.size.width() <= 4000;
    }
    EXPECT_EQ(wide, 1);
    EXPECT_EQ(usual, maps - 1);
}

} // namespace
