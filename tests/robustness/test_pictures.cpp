// Bad picture files as the preview of the catalogue window and as a map in the viewer: each failure is one message
// naming the file, and the next entry shows and opens as usual.
#include <QFile>
#include <QProgressBar>
#include <QScopeGuard>

#include "desktop/save_dialog.h"
#include "files/data_files.h"
#include "robustness_fixture.h"

using namespace robustness;

class Pictures : public RobustnessTest, public ::testing::WithParamInterface<PictureCase>
{
protected:
    void closeViewer()
    {
        if (Form2 && Form2->isVisible())
            Form2->closeViewer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_P(Pictures, AFailureIsOneMessageNamingTheFileAndTheNextMapStillOpens)
{
    const PictureCase& c = GetParam();
    entries = testsupport::cities(2);
    entries[0].fileName = c.fileName;
    collection.writeComplete(entries);
    const QByteArray bytes = c.bytes();
    collection.writeBytes(QStringLiteral("Goroda/previews/") + c.fileName, bytes);
    collection.writeBytes(QStringLiteral("Goroda/") + c.fileName, bytes);
    if (c.readFailsHalfWay)
        files::setReadFaultForTests([&c, half = bytes.size() / 2](const QString& path) {
            return path.endsWith(c.fileName) ? half : qint64(-1);
        });
    const auto soundDisc = qScopeGuard([] { files::setReadFaultForTests({}); });
    openGuarded();
    w().setViewerOpener(installViewer(*entry, programLoader, w()));

    // The first activation shows the first city's preview.
    EXPECT_EQ(takeMessages(), c.previewMessage.isEmpty() ? QStringList() : QStringList{c.previewMessage});
    EXPECT_EQ(w().previewPicture->hasPicture(), c.previewMessage.isEmpty());
    EXPECT_EQ(w().previewBytes.isEmpty(), !c.previewMessage.isEmpty());
    if (!c.previewMessage.isEmpty()) {
        // Saving the picture that could not be shown names it and writes nothing.
        desktop::runGuarded([this] { w().savePreview(); });
        EXPECT_EQ(
            takeMessages(),
            QStringList{QStringLiteral("Рисунок Goroda/previews/%1 не загружен: сохранять нечего.").arg(c.fileName)});
    }

    TForm2& viewer = openMap(1);
    EXPECT_EQ(takeMessages(), c.mapMessage.isEmpty() ? QStringList() : QStringList{c.mapMessage});
    EXPECT_EQ(viewer.mapPicture->hasPicture(), c.mapMessage.isEmpty());
    if (!c.mapMessage.isEmpty()) {
        const QString saved = collection.file(QStringLiteral("saved.jpg"));
        bool asked = false;
        desktop::setSaveDialogHook([saved, &asked](const QString&) {
            asked = true;
            return std::optional<QString>(saved);
        });
        viewer.saveMapAction->trigger();
        desktop::setSaveDialogHook({});
        // Said before asking for a name, as the catalogue window does.
        EXPECT_FALSE(asked);
        EXPECT_EQ(takeMessages(),
                  QStringList{QStringLiteral("Карта Goroda/%1 не загружена: сохранять нечего.").arg(c.fileName)});
        EXPECT_FALSE(QFile::exists(saved));
    }
    EXPECT_TRUE(viewer.progressBar->isHidden());
    EXPECT_TRUE(QGuiApplication::overrideCursor() == nullptr);
    closeViewer();

    // The second city shows and opens as if nothing had happened.
    clickRow(2);
    waitForPreview();
    EXPECT_TRUE(w().previewPicture->hasPicture());
    TForm2& next = openMap(2);
    EXPECT_TRUE(next.mapPicture->hasPicture());
    closeViewer();
    EXPECT_EQ(takeMessages(), QStringList());
}

INSTANTIATE_TEST_SUITE_P(BadInput, Pictures, ::testing::ValuesIn(pictureCases()),
                         [](const auto& info) { return std::string(info.param.name); });
