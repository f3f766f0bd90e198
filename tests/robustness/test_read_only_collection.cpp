// Every action of both windows against a collection that may not be written: nothing below it changes. Tests may
// run as root, whom a read-only mode does not stop, so the collection's listing (names, sizes, times) is compared
// before and after as well.
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QUrl>

#include "desktop/save_dialog.h"
#include "desktop/shell_open.h"
#include "robustness_fixture.h"
#include "support/system_clipboard.h"

using namespace robustness;

namespace {

QStringList listing(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        lines << QStringLiteral("%1 %2 %3")
                     .arg(info.filePath().mid(root.size()))
                     .arg(info.isDir() ? -1 : info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch());
    }
    lines.sort();
    return lines;
}

void setWritable(const QString& root, bool writable)
{
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    QStringList paths{root};
    while (it.hasNext())
        paths << it.next();
    const QFileDevice::Permissions write =
        QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    for (const QString& path : paths) {
        const QFileDevice::Permissions now = QFile::permissions(path);
        QFile::setPermissions(path,
                              writable ? (now | QFileDevice::WriteOwner | QFileDevice::WriteUser) : (now & ~write));
    }
}

} // namespace

class ReadOnlyCollection : public RobustnessTest
{
protected:
    void TearDown() override
    {
        setWritable(collection.path(), true);
        desktop::setShellOpenHook({});
        desktop::setSaveDialogHook({});
        desktop::setOverwriteQuestionHook({});
        RobustnessTest::TearDown();
    }
    void guarded(const std::function<void()>& action) { desktop::runGuarded(action); }
};

TEST_F(ReadOnlyCollection, NoActionWritesIntoTheCollection)
{
    entries = testsupport::cities(4);
    testsupport::Entry article;
    article.title = QStringLiteral("Статья");
    article.code = QStringLiteral("art");
    article.fileName = QStringLiteral("statja.htm");
    entries.push_back(article);
    collection.writeComplete(entries);
    collection.writeBytes(QStringLiteral("Articles/statja.htm"), "<html></html>");
    collection.writeAbout({QStringLiteral("О собрании")},
                          {QStringLiteral("Сайт:"), QStringLiteral("https://example.org/")});
    for (int i = 1; i <= 4; ++i)
        mapBytes.push_back(collection.writeJpeg(mapPath(i), QSize(300 + i, 200 + i)));
    setWritable(collection.path(), false);
    const QStringList before = listing(collection.path());
    ASSERT_GT(before.size(), 15);

    QList<QUrl> opened;
    desktop::setShellOpenHook([&](const QUrl& url) { opened << url; });
    QTemporaryDir outside;
    int saves = 0;
    desktop::setSaveDialogHook([&](const QString&) {
        return std::optional<QString>(outside.filePath(QStringLiteral("saved%1.jpg").arg(++saves)));
    });
    desktop::setOverwriteQuestionHook([](const QString&) { return true; });

    openGuarded();
    w().setViewerOpener(installViewer(*entry, programLoader, w()));
    exerciseWindow();

    // Orderings on every map category, then back to the cities.
    for (auto view : {&TForm1::ImageGorClick, &TForm1::ImageOblClick, &TForm1::ImagerusClick, &TForm1::ImageMetClick})
        for (auto order : {&TForm1::ImagePoGoduClick, &TForm1::ImagePoKa4estvyClick, &TForm1::ImagePoNazvaniyuClick})
            guarded([&] {
                (w().*view)();
                (w().*order)();
            });

    // About page and its link rows; the article.
    guarded([&] { w().ImageAboutClick(); });
    for (int n = 30; n <= 47; ++n)
        guarded([&] { w().LinkRowClick(n); });
    guarded([&] { w().ImageArtClick(); });
    clickRow(1);
    guarded([&] { w().OpenCurrentEntry(); });

    // Preview, save and copy in the catalogue window.
    guarded([&] { w().ImageGorClick(); });
    clickRow(2);
    waitForPreview();
    w().savePreviewAction->trigger();
    w().copyFileAction->trigger();

    // The viewer: open, zoom, fit, step, save, copy, close.
    TForm2& viewer = openMap(1);
    guarded([&] {
        viewer.zoomIn();
        viewer.zoomOut();
        viewer.zoomOut();
        viewer.fitToScreen();
        viewer.showActualSize();
        viewer.zoomByWheel(-120);
        viewer.FormKeyDown(Qt::Key_Right);
        viewer.FormKeyDown(Qt::Key_Right);
        viewer.FormKeyDown(Qt::Key_Left);
    });
    waitForOpening(viewer);
    viewer.saveMapAction->trigger();
    viewer.copyFileAction->trigger();
    guarded([&] { viewer.closeViewer(); });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(takeMessages(), QStringList());
    EXPECT_EQ(listing(collection.path()), before);
    // The actions did run: two saves outside, the links and the article were handed to the desktop.
    EXPECT_EQ(saves, 2);
    EXPECT_TRUE(QFileInfo::exists(outside.filePath(QStringLiteral("saved2.jpg"))));
    EXPECT_GE(opened.size(), 2);
    EXPECT_FALSE(testsupport::clipboardFiles().isEmpty());
}
