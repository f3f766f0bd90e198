// The preview's context menu: its items, opening, saving the picture on show and copying the map file.
#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QUrl>

#include "catalogue_window/panel_entries.h"
#include "catalogue_window/window_fixture.h"
#include "desktop/save_dialog.h"
#include "desktop/shell_open.h"
#include "support/system_clipboard.h"

using namespace testsupport;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::vector<Entry> mapsAndArticle()
{
    return {mapEntry(QStringLiteral("А город"), QStringLiteral("Goroda"), QStringLiteral("a.jpg")),
            mapEntry(QStringLiteral("Б город"), QStringLiteral("Goroda"), QStringLiteral("b.jpg")),
            mapEntry(QStringLiteral("Статья"), QStringLiteral("art"), QStringLiteral("s.html"))};
}

} // namespace

class FileActions : public CatalogueWindowTest
{
protected:
    void SetUp() override
    {
        desktop::setShellOpenHook([this](const QUrl& url) { opened << url; });
        desktop::setSaveDialogHook([this](const QString&) {
            ++dialogs;
            return answer;
        });
        desktop::setOverwriteQuestionHook([this](const QString& file) {
            replaceQuestions << file;
            return replace;
        });
    }
    void TearDown() override
    {
        desktop::setShellOpenHook({});
        desktop::setSaveDialogHook({});
        desktop::setOverwriteQuestionHook({});
        CatalogueWindowTest::TearDown();
    }

    bool menuOpensOn(QWidget* widget, QPoint at)
    {
        w().previewMenu->hide();
        // The context menu request a right-click makes, delivered as the window system would.
        QContextMenuEvent request(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &request);
        const bool shown = w().previewMenu->isVisible();
        w().previewMenu->hide();
        return shown;
    }

    QList<QUrl> opened;
    int dialogs = 0;
    std::optional<QString> answer;
    QStringList replaceQuestions;
    bool replace = false;
    QTemporaryDir target;
};

TEST_F(FileActions, MenuHasItsItemsAndOpensOnThePreviewExceptOnTheAboutPage)
{
    open(mapsAndArticle());
    const QList<QAction*> actions = w().previewMenu->actions();
    const struct
    {
        QAction* action;
        const char* caption;
        bool visible;
    } items[] = {{w().openInViewerAction, "Открыть в новом окне", true},
                 {w().openWithViewerAction, "Открыть с помощью просмотрщика", false},
                 {w().savePreviewAction, "Сохранить в файл...", true},
                 {w().copyFileAction, "Копировать файл", true},
                 {w().closeWindowAction, "Закрыть окно", true}};
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i], items[i].action);
        EXPECT_EQ(actions[i]->text(), QString::fromUtf8(items[i].caption));
        EXPECT_EQ(actions[i]->isVisible(), items[i].visible) << items[i].caption;
    }

    EXPECT_TRUE(menuOpensOn(w().previewPicture, QPoint(100, 100)));
    EXPECT_TRUE(menuOpensOn(w().previewPanel, QPoint(397, 297))); // the panel's edge beside the picture
    w().ImageArtClick();
    EXPECT_TRUE(menuOpensOn(w().previewPicture, QPoint(100, 100)));
    w().ImageAboutClick();
    EXPECT_FALSE(menuOpensOn(w().previewPicture, QPoint(100, 100)));
    EXPECT_FALSE(menuOpensOn(w().previewPanel, QPoint(397, 297)));
    w().ImageGorClick();
    EXPECT_TRUE(menuOpensOn(w().previewPicture, QPoint(100, 100)));
}

TEST_F(FileActions, SaveWritesThePreviewUnderTheChosenName)
{
    open(mapsAndArticle());
    const QByteArray preview = fileBytes(collection.file(QStringLiteral("Goroda/previews/a.jpg")));
    ASSERT_FALSE(preview.isEmpty());
    ASSERT_NE(preview, fileBytes(collection.file(QStringLiteral("Goroda/a.jpg"))));
    const QByteArray old("old contents");

    const struct
    {
        const char* chosen;  // nullptr: the dialog is cancelled
        const char* written; // nullptr: nothing is written
        bool existing;
        bool replace;
    } table[] = {
        {"karta", "karta.jpg", false, false},       {"karta2.jpg", "karta2.jpg", false, false},
        {"karta3.JPG", "karta3.JPG", false, false}, {"karta4.jpeg", "karta4.jpeg.jpg", false, false},
        {"est1", "est1.jpg", true, true},           {"est2", nullptr, true, false},
        {"est3.jpg", nullptr, true, false},         {nullptr, nullptr, false, false},
    };
    for (const auto& c : table) {
        SCOPED_TRACE(c.chosen ? c.chosen : "(cancelled)");
        answer.reset();
        if (c.chosen)
            answer = target.filePath(QString::fromLatin1(c.chosen));
        const QString targetName = answer ? desktop::saveTargetName(*answer) : QString();
        if (c.existing) {
            QFile f(targetName);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        replaceQuestions.clear();
        replace = c.replace;
        const QStringList before = QDir(target.path()).entryList(QDir::Files);

        w().savePreviewAction->trigger();

        EXPECT_EQ(replaceQuestions.size(), c.existing ? 1 : 0);
        if (c.written) {
            EXPECT_EQ(fileBytes(target.filePath(QString::fromLatin1(c.written))), preview);
        } else if (c.existing) {
            EXPECT_EQ(fileBytes(targetName), old);
        } else {
            EXPECT_EQ(QDir(target.path()).entryList(QDir::Files), before);
        }
    }
    EXPECT_FALSE(QFile::exists(target.filePath(QStringLiteral("karta2.jpg.jpg"))));
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}

TEST_F(FileActions, SaveInTheArticlesViewWritesTheArticlesPicture)
{
    open(mapsAndArticle());
    w().ImageArtClick();
    waitForPreview();
    answer = target.filePath(QStringLiteral("foto"));
    w().savePreviewAction->trigger();
    EXPECT_EQ(fileBytes(target.filePath(QStringLiteral("foto.jpg"))),
              fileBytes(collection.file(QStringLiteral("Articles/foto.jpg"))));
}

TEST_F(FileActions, SaveWithoutAPictureSaysSoAndAsksNothing)
{
    collection.writeComplete(mapsAndArticle());
    ASSERT_TRUE(QFile::remove(collection.file(QStringLiteral("Goroda/previews/a.jpg"))));
    openWritten();
    ASSERT_FALSE(w().previewPicture->hasPicture());
    answer = target.filePath(QStringLiteral("pusto"));
    w().savePreviewAction->trigger();
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(MessageRecorder::messages().size(), 1);
    EXPECT_TRUE(QDir(target.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(FileActions, CopyPutsTheMapsAbsolutePathOnTheClipboard)
{
    open(mapsAndArticle());
    testsupport::setClipboardText(QStringLiteral("прежнее"));

    w().copyFileAction->trigger();
    const QString mapA = QFileInfo(collection.file(QStringLiteral("Goroda/a.jpg"))).absoluteFilePath();
    EXPECT_EQ(testsupport::clipboardFiles(), QList<QUrl>{QUrl::fromLocalFile(mapA)});

    // The articles view keeps the map chosen last.
    w().ImageArtClick();
    testsupport::setClipboardText(QStringLiteral("прежнее"));
    w().copyFileAction->trigger();
    EXPECT_EQ(testsupport::clipboardFiles(), QList<QUrl>{QUrl::fromLocalFile(mapA)});

    // A missing map file: nothing copied, nothing shown.
    ASSERT_TRUE(QFile::remove(collection.file(QStringLiteral("Goroda/b.jpg"))));
    w().ImageGorClick();
    clickRow(2);
    ASSERT_EQ(entry->mapPath(), QStringLiteral("Goroda/b.jpg"));
    testsupport::setClipboardText(QStringLiteral("прежнее"));
    w().copyFileAction->trigger();
    EXPECT_EQ(testsupport::clipboardText(), QStringLiteral("прежнее"));
    EXPECT_TRUE(testsupport::clipboardFiles().isEmpty());
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}

TEST_F(FileActions, OpenItemsOpenTheViewerAndTheHiddenFile)
{
    open(mapsAndArticle());
    int viewers = 0;
    w().setViewerOpener([&] { ++viewers; });
    w().openInViewerAction->trigger();
    EXPECT_EQ(viewers, 1);
    w().ImageArtClick();
    w().openInViewerAction->trigger();
    EXPECT_EQ(viewers, 1);

    w().openWithViewerAction->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(QFileInfo(opened.first().toLocalFile()).fileName(), QStringLiteral("left.jpg"));
    EXPECT_EQ(QDir::cleanPath(QFileInfo(opened.first().toLocalFile()).absolutePath()),
              QDir::cleanPath(QFileInfo(collection.path()).absoluteFilePath()));
}
