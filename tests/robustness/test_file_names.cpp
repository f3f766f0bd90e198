// File names from the catalogue: code page 1251, other letter case, names that would leave the collection.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "robustness_fixture.h"

using namespace robustness;

class FileNames : public RobustnessTest, public ::testing::WithParamInterface<FileNameCase>
{
};

TEST_P(FileNames, MapsAreFoundWithinTheCollectionOnly)
{
    const FileNameCase& c = GetParam();
    entries = testsupport::cities(2);
    entries[0].fileName = c.catalogueName;
    collection.writeComplete({entries[1]});
    collection.writeCatalogue(entries);
    QStringList written;
    if (!c.fileOnDisk.isEmpty()) {
        written << QDir::cleanPath(collection.file(QStringLiteral("Goroda/") + c.fileOnDisk))
                << QDir::cleanPath(collection.file(QStringLiteral("Goroda/previews/") + c.fileOnDisk));
        for (const QString& path : written) {
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
            file.write(testsupport::TestCollection::jpegBytes(QSize(50, 40)));
        }
    }
    openGuarded();
    w().setViewerOpener(installViewer(*entry, programLoader, w()));

    EXPECT_EQ(w().previewPicture->hasPicture(), c.previewShown);
    desktop::runGuarded([this] { w().ImageMapClick(); });
    if (Form2 && Form2->isVisible())
        waitForOpening(*Form2);
    const bool opened = Form2 && Form2->isVisible() && Form2->mapPicture->hasPicture();
    EXPECT_EQ(opened, c.viewerOpens);
    if (Form2 && Form2->isVisible())
        Form2->closeViewer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(takeMessages(), c.messages);

    exerciseWindow();
    EXPECT_EQ(takeMessages(), QStringList());
    for (const QString& path : written)
        QFile::remove(path);
}

INSTANTIATE_TEST_SUITE_P(BadInput, FileNames, ::testing::ValuesIn(fileNameCases()),
                         [](const auto& info) { return std::string(info.param.name); });
