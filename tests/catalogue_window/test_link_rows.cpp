// The link rows of the about page, the pointer over the articles picture, and opening articles.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QUrl>

#include "catalogue_window/article_path.h"
#include "catalogue_window/panel_entries.h"
#include "catalogue_window/window_fixture.h"
#include "desktop/shell_open.h"

using namespace testsupport;

class LinkRows : public CatalogueWindowTest
{
protected:
    void SetUp() override
    {
        desktop::setShellOpenHook([this](const QUrl& url) { opened << url; });
    }
    void TearDown() override
    {
        desktop::setShellOpenHook({});
        CatalogueWindowTest::TearDown();
    }

    QList<QUrl> opened;
};

TEST_F(LinkRows, OnlyLowerCaseWellFormedWebAddressesAreLinks)
{
    const struct
    {
        const char* text;
        bool link;
    } table[] = {
        {"http://example.org/", true},
        {"https://example.org/maps?id=1", true},
        {"http://example.org/a \t ", true},
        {"HTTP://EXAMPLE.ORG/", false},
        {" http://example.org/", false},
        {"h", false},
        {"ht", false},
        {"htt", false},
        {"http", false},
        {"http not an address", false},
        {"Издательство", false},
    };
    const int cases = static_cast<int>(std::size(table));
    QStringList about2;
    for (const auto& c : table)
        about2 << QString::fromUtf8(c.text);
    collection.writeComplete(cities(3));
    collection.writeAbout({QStringLiteral("О собрании")}, about2);
    openWritten();
    QTest::mouseClick(w().aboutButton, Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint windowAt = w().pos();

    for (int i = 0; i < cases; ++i) {
        const auto& c = table[i];
        controls::TextLabel* label = w().Label[30 + i];
        ASSERT_EQ(label->caption(), QString::fromUtf8(c.text));
        ASSERT_TRUE(label->isVisible());
        opened.clear();

        const QPoint inside(label->width() / 2, label->height() / 2);
        QTest::mouseMove(label, inside);
        QTest::mouseMove(label, inside + QPoint(1, 0));
        EXPECT_EQ(label->cursor().shape() == Qt::PointingHandCursor, c.link) << c.text;

        // A press, a small move with the button held, a release: a link takes it as its click, any other row is
        // the window's background and drags the window along.
        const QPoint moved = inside + QPoint(3, 1);
        QTest::mousePress(label, Qt::LeftButton, {}, inside);
        QMouseEvent move(QEvent::MouseMove, QPointF(moved), QPointF(label->mapToGlobal(moved)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(label, &move);
        QTest::mouseRelease(label, Qt::LeftButton, {}, moved);
        if (c.link) {
            ASSERT_EQ(opened.size(), 1) << c.text;
            EXPECT_EQ(opened.first(), QUrl(QString::fromUtf8(c.text).trimmed()));
        } else {
            EXPECT_TRUE(opened.isEmpty()) << c.text;
        }
        EXPECT_EQ(w().pos(), c.link ? windowAt : windowAt + QPoint(3, 1)) << c.text;
        w().move(windowAt);
    }

    // Empty rows (lines past the end of the file): nothing on hover or click.
    const int empty = 30 + cases;
    ASSERT_EQ(w().Label[empty]->caption(), QString());
    opened.clear();
    w().LinkRowMouseMove(empty);
    w().LinkRowClick(empty);
    EXPECT_NE(w().Label[empty]->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}

TEST_F(LinkRows, PublisherLogoOpensThePublishersSite)
{
    open(cities(2));
    QTest::mouseClick(w().publisherLogo, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first(), QUrl(QStringLiteral("https://example.org/")));
}

TEST_F(LinkRows, ThePointerOverTheArticlesPictureTurnsToTheArrowUntilAMapView)
{
    std::vector<Entry> entries = cities(2);
    entries.push_back(mapEntry(QStringLiteral("Статья"), QStringLiteral("art"), QStringLiteral("s.html")));
    open(entries);

    QTest::mouseMove(w().previewPicture, QPoint(50, 50));
    QTest::mouseMove(w().previewPicture, QPoint(52, 51));
    EXPECT_EQ(w().previewPicture->cursor().shape(), Qt::PointingHandCursor); // a map view keeps the hand

    w().ImageArtClick();
    EXPECT_EQ(w().previewPicture->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(w().previewPicture, QPoint(60, 60));
    QTest::mouseMove(w().previewPicture, QPoint(61, 62));
    EXPECT_EQ(w().previewPicture->cursor().shape(), Qt::ArrowCursor);

    w().ImageOblClick();
    EXPECT_EQ(w().previewPicture->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LinkRows, ArticlesOpenOnlyInsideTheArticlesFolder)
{
    const struct
    {
        const char* fileName;
        const char* opens; // collection-relative; nullptr: refused with a message
    } table[] = {
        {"statya.html", "Articles/statya.html"},
        {"", nullptr}, // the folder itself
        {"razdel\\glava.html", "Articles/razdel/glava.html"},
        {"KARTA.JPG", "Articles/KARTA.JPG"},
        {"program.exe", nullptr},
        {"zapusk.desktop", nullptr},
        {"net.pdf", nullptr},
        {"vovne.htm", nullptr}, // a link to a file outside the collection
        {"razdel", nullptr},
        {"../secret.txt", nullptr},
        {"..\\secret.txt", nullptr},
        {"razdel/../../secret.txt", nullptr},
        {"/etc/passwd", nullptr},
        {"C:\\Windows\\win.ini", nullptr},
    };
    const int cases = static_cast<int>(std::size(table));
    std::vector<Entry> entries = cities(2);
    for (int k = 1; k <= cases; ++k)
        entries.push_back(mapEntry(QStringLiteral("Статья %1").arg(k, 2, 10, QLatin1Char('0')), QStringLiteral("art"),
                                   QString::fromUtf8(table[k - 1].fileName)));
    collection.writeComplete(entries);
    collection.writeBytes(QStringLiteral("Articles/statya.html"), "<html></html>");
    collection.writeBytes(QStringLiteral("Articles/razdel/glava.html"), "<html></html>");
    collection.writeBytes(QStringLiteral("Articles/KARTA.JPG"), "picture");
    collection.writeBytes(QStringLiteral("Articles/program.exe"), "MZ");
    collection.writeBytes(QStringLiteral("Articles/zapusk.desktop"), "[Desktop Entry]\nExec=true\n");
    QTemporaryDir outside;
    QFile page(outside.filePath(QStringLiteral("x.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
#ifndef Q_OS_WIN
    // Windows' links are shortcut files of their own type (QFile::link writes one under any name): there the row is a
    // missing file.
    QFile::link(page.fileName(), collection.file(QStringLiteral("Articles/vovne.htm")));
#endif
    openWritten();
    w().ImageArtClick();

    for (int k = 1; k <= cases; ++k) {
        const auto& c = table[k - 1];
        SCOPED_TRACE(c.fileName);
        opened.clear();
        MessageRecorder::clear();
        clickRow(k);
        ASSERT_EQ(currentRow(), k);
        key(Qt::Key_Return);
        if (c.opens) {
            ASSERT_EQ(opened.size(), 1);
            const QString expected = QFileInfo(collection.file(QString::fromLatin1(c.opens))).canonicalFilePath();
            EXPECT_EQ(opened.first().toLocalFile(), expected);
            EXPECT_TRUE(MessageRecorder::messages().isEmpty());
        } else {
            EXPECT_TRUE(opened.isEmpty());
            ASSERT_EQ(MessageRecorder::messages().size(), 1);
            EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("Articles")));
        }
    }
}

TEST(ArticlePath, KeepsNamesInsideTheArticlesFolder)
{
    const struct
    {
        const char* name;
        const char* path; // nullptr: refused
    } table[] = {
        {"a.html", "Articles/a.html"},
        {"", "Articles/"},
        {"sub\\b.doc", "Articles/sub/b.doc"},
        {"./c.txt", "Articles/./c.txt"},
        {"..", nullptr},
        {"a/..", nullptr},
        {"\\\\server\\x", nullptr},
        {"/x", nullptr},
        {"d:x.doc", nullptr},
        {"..hidden.txt", "Articles/..hidden.txt"},
    };
    for (const auto& c : table) {
        const std::optional<QString> path = catalogue_window::articleRelativePath(QString::fromLatin1(c.name));
        if (c.path) {
            ASSERT_TRUE(path.has_value()) << c.name;
            EXPECT_EQ(*path, QString::fromLatin1(c.path)) << c.name;
        } else {
            EXPECT_FALSE(path.has_value()) << c.name;
        }
    }
}
