#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

#include "desktop/error_report.h"
#include "desktop/failure_text.h"
#include "desktop/save_dialog.h"
#include "desktop/save_dialog_preview.h"
#include "loading/file_preview.h"
#include "loading/loader.h"
#include "support/qstring_printer.h"
#include "support/test_collection.h"

namespace {

// Each test starts from no hooks and leaves none behind.
class SaveDialog : public ::testing::Test
{
protected:
    void TearDown() override
    {
        desktop::setSaveDialogHook({});
        desktop::setOverwriteQuestionHook({});
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
};

TEST(SaveTargetName, AppendsJpgUnlessAlreadyThere)
{
    const struct
    {
        const char* chosen;
        const char* target;
    } cases[] = {
        {"/tmp/map", "/tmp/map.jpg"},           {"/tmp/map.jpg", "/tmp/map.jpg"},
        {"/tmp/map.JPG", "/tmp/map.JPG"},       {"/tmp/map.Jpg", "/tmp/map.Jpg"},
        {"/tmp/map.jpeg", "/tmp/map.jpeg.jpg"}, {"/tmp/map.png", "/tmp/map.png.jpg"},
        {"/tmp/mapjpg", "/tmp/mapjpg.jpg"},     {"/tmp/карта", "/tmp/карта.jpg"},
        {"/tmp/d.jpg/x", "/tmp/d.jpg/x.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(desktop::saveTargetName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.target)) << c.chosen;
}

TEST_F(SaveDialog, ProposesTheNameChosenLast)
{
    std::vector<QString> proposals;
    std::optional<QString> answer = m_dir.filePath(QStringLiteral("first"));
    desktop::setSaveDialogHook([&](const QString& proposed) {
        proposals.push_back(proposed);
        return answer;
    });
    EXPECT_EQ(desktop::askSaveFileName(nullptr), m_dir.filePath(QStringLiteral("first")));
    answer = std::nullopt; // cancelled: nothing saved, the proposal stays
    EXPECT_EQ(desktop::askSaveFileName(nullptr), std::nullopt);
    answer = m_dir.filePath(QStringLiteral("second.jpg"));
    EXPECT_EQ(desktop::askSaveFileName(nullptr), m_dir.filePath(QStringLiteral("second.jpg")));
    EXPECT_EQ(desktop::askSaveFileName(nullptr), m_dir.filePath(QStringLiteral("second.jpg")));
    ASSERT_EQ(proposals.size(), 4u);
    EXPECT_EQ(proposals[1], m_dir.filePath(QStringLiteral("first")));
    EXPECT_EQ(proposals[2], m_dir.filePath(QStringLiteral("first")));
    EXPECT_EQ(proposals[3], m_dir.filePath(QStringLiteral("second.jpg")));
}

TEST_F(SaveDialog, AsksBeforeReplacingTheFileActuallyWritten)
{
    writeFile(m_dir.filePath(QStringLiteral("old.jpg")), "old");
    writeFile(m_dir.filePath(QStringLiteral("Upper.JPG")), "old");
    std::vector<QString> asked;
    bool replace = false;
    desktop::setOverwriteQuestionHook([&](const QString& file) {
        asked.push_back(file);
        return replace;
    });
    QString chosen;
    desktop::setSaveDialogHook([&](const QString&) { return std::optional<QString>(chosen); });

    chosen = m_dir.filePath(QStringLiteral("old")); // written as old.jpg, which exists
    EXPECT_EQ(desktop::askSaveFileName(nullptr), std::nullopt);
    replace = true;
    EXPECT_EQ(desktop::askSaveFileName(nullptr), chosen);
    chosen = m_dir.filePath(QStringLiteral("Upper.JPG"));
    EXPECT_EQ(desktop::askSaveFileName(nullptr), chosen);
    chosen = m_dir.filePath(QStringLiteral("new"));
    EXPECT_EQ(desktop::askSaveFileName(nullptr), chosen);

    const std::vector<QString> expected = {m_dir.filePath(QStringLiteral("old.jpg")),
                                           m_dir.filePath(QStringLiteral("old.jpg")),
                                           m_dir.filePath(QStringLiteral("Upper.JPG"))};
    EXPECT_EQ(asked, expected);
}

TEST_F(SaveDialog, WritesBytesAndReplacesExistingFile)
{
    const QString path = m_dir.filePath(QStringLiteral("out.jpg"));
    writeFile(path, "previous content that is longer");
    const QByteArray bytes("\xFF\xD8\xFF\x00 new bytes", 14);
    ASSERT_TRUE(desktop::writeFileBytes(path, bytes));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), bytes);
}

TEST_F(SaveDialog, WriteFailureNamesTheFile)
{
    const QString path = m_dir.filePath(QStringLiteral("no such folder/out.jpg"));
    const failure::Result<void> written = desktop::writeFileBytes(path, QByteArray("x"));
    ASSERT_FALSE(written) << "no failure";
    EXPECT_EQ(written.error().what, failure::What::WriteFailed);
    const QString text = desktop::failureMessage(desktop::Action::SavePicture, written.error());
    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(path))) << text.toStdString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Не удалось записать файл"))) << text.toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(SaveDialog, PreviewPictureFitsTheBox)
{
    const QString jpeg = m_dir.filePath(QStringLiteral("big.jpg"));
    writeFile(jpeg, testsupport::TestCollection::jpegBytes(QSize(800, 600), QColor(10, 200, 30)));
    const QImage fromJpeg = loading::previewPicture(jpeg, desktop::SavePreviewSize);
    EXPECT_EQ(fromJpeg.size(), QSize(200, 150));
    EXPECT_EQ(fromJpeg.pixelColor(100, 75).green() > 150, true);

    const QString png = m_dir.filePath(QStringLiteral("tall.png"));
    QImage tall(100, 600, QImage::Format_RGB32);
    tall.fill(Qt::red);
    ASSERT_TRUE(tall.save(png));
    EXPECT_EQ(loading::previewPicture(png, desktop::SavePreviewSize).size(), QSize(25, 150));

    const QString small = m_dir.filePath(QStringLiteral("small.jpg"));
    writeFile(small, testsupport::TestCollection::jpegBytes(QSize(40, 30)));
    EXPECT_EQ(loading::previewPicture(small, desktop::SavePreviewSize).size(), QSize(40, 30));

    const QString text = m_dir.filePath(QStringLiteral("notes.txt"));
    writeFile(text, "not a picture");
    EXPECT_TRUE(loading::previewPicture(text, desktop::SavePreviewSize).isNull());
    EXPECT_TRUE(loading::previewPicture(m_dir.filePath(QStringLiteral("missing.jpg")), {200, 150}).isNull());
    // A file larger than a preview is worth reading, and a folder, preview as nothing.
    const QString huge = m_dir.filePath(QStringLiteral("huge.jpg"));
    writeFile(huge,
              testsupport::TestCollection::jpegBytes(QSize(40, 30)) + QByteArray(loading::MaxPreviewFileBytes, 0));
    EXPECT_TRUE(loading::previewPicture(huge, desktop::SavePreviewSize).isNull());
    EXPECT_TRUE(loading::previewPicture(m_dir.path(), desktop::SavePreviewSize).isNull());
}

TEST_F(SaveDialog, DialogIsConfiguredForSavingWithPreview)
{
    const std::unique_ptr<QFileDialog> dialog(desktop::createSaveDialog(nullptr, QString()));
    EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("jpg"));
    EXPECT_LE(dialog->nameFilters().size(), 1); // no type filter: everything is listed
    const auto* preview = dialog->findChild<QLabel*>(QStringLiteral("picturePreview"));
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->size(), desktop::SavePreviewSize);
}

// The real dialog, run modally and answered like a user: it proposes the last name, shows the preview of the
// selected picture, and leaves the working folder where it was.
TEST_F(SaveDialog, RealDialogPreviewsAndKeepsWorkingFolder)
{
    const QString before = QDir::currentPath();
    const QString existing = m_dir.filePath(QStringLiteral("map.jpg"));
    writeFile(existing, testsupport::TestCollection::jpegBytes(QSize(400, 300), QColor(200, 20, 20)));

    // Establish the proposal through the hook, then run the real dialog.
    desktop::setSaveDialogHook([&](const QString&) { return std::optional<QString>(m_dir.filePath("chosen")); });
    ASSERT_TRUE(desktop::askSaveFileName(nullptr));
    desktop::setSaveDialogHook({});
    // Only a name that exists would be asked about; a question here would be a fault, answered "no".
    int questions = 0;
    desktop::setOverwriteQuestionHook([&questions](const QString&) { return ++questions, false; });

    // The preview is read and shrunk by a job of the program's loader.
    loading::Loader loader;
    desktop::setPreviewLoader([&loader](QObject* owner, const QString& path, QSize box, std::stop_token stop,
                                        std::function<void(const QImage&)> shown) {
        loader.loadFilePreview(owner, path, box, std::move(stop), std::move(shown));
    });
    const auto noPreviews = qScopeGuard([] { desktop::setPreviewLoader({}); });
    QString proposedInDialog;
    bool previewShown = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return; // not shown yet
        poll.stop();
        // Click the picture in the list, as a user does, once the folder has been read.
        auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        proposedInDialog = QDir(dialog->directory()).filePath(edit->text());
        QModelIndex item;
        const bool listed = QTest::qWaitFor(
            [&] {
                const QAbstractItemModel* model = list->model();
                for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
                    const QModelIndex index = model->index(row, 0, list->rootIndex());
                    if (index.data().toString() == QLatin1String("map.jpg"))
                        item = index;
                }
                return item.isValid();
            },
            5000);
        if (listed) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
            const auto* preview = dialog->findChild<QLabel*>(QStringLiteral("picturePreview"));
            previewShown = QTest::qWaitFor([&] { return !preview->pixmap().isNull(); }, 5000);
        }
        list->clearSelection();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("saved"));
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog::accept checks the name as the Save button does
    });
    poll.start();
    const std::optional<QString> chosen = desktop::askSaveFileName(nullptr);

    EXPECT_EQ(proposedInDialog, m_dir.filePath(QStringLiteral("chosen")));
    EXPECT_TRUE(previewShown);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(desktop::saveTargetName(*chosen), m_dir.filePath(QStringLiteral("saved.jpg")));
    EXPECT_EQ(questions, 0);
    EXPECT_EQ(QDir::currentPath(), before);
}

} // namespace
