// The about page: where the about texts and picture go, what it hides, and the way back to a category.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QScopeGuard>
#include <QThread>
#include <QUrl>

#include "catalogue_window/panel_entries.h"
#include "catalogue_window/window_fixture.h"
#include "controls/skin_scroll_bar.h"
#include "files/data_files.h"
#include "loading/loader.h"
#include "support/system_clipboard.h"

using namespace testsupport;

namespace {

QStringList numberedLines(const QString& prefix, int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("%1 %2").arg(prefix).arg(i);
    return lines;
}

/// What the user sees of the window, for comparing two moments.
QStringList snapshot(TForm1& w, const CurrentEntry& entry)
{
    QStringList s;
    for (int n = 1; n <= 76; ++n)
        s << QStringLiteral("L%1 '%2' bold=%3 visible=%4 colour=%5 cursor=%6")
                 .arg(n)
                 .arg(w.Label[n]->isVisible() ? w.Label[n]->caption() : QString())
                 .arg(w.Label[n]->isBold())
                 .arg(w.Label[n]->isVisible())
                 .arg(w.Label[n]->textColour().name())
                 .arg(w.Label[n]->cursor().shape());
    const std::pair<const char*, QWidget*> controls[] = {{"Label1000", w.fileSizeCaption},
                                                         {"LabelSize", w.fileSizeLabel},
                                                         {"LabelAvtorNadpis", w.authorCaption},
                                                         {"Labelavtor", w.authorLabel},
                                                         {"LabelOpisNadpis", w.descriptionCaption},
                                                         {"Labelopis", w.descriptionLabel},
                                                         {"Label223", w.dimensionsCaption},
                                                         {"LabelDimention", w.dimensionsLabel},
                                                         {"StringGrid1", w.listGrid},
                                                         {"ImagePoNazvaniyu", w.byNameButton},
                                                         {"ImagePoGodu", w.byYearButton},
                                                         {"ImagePoKa4estvy", w.byQualityButton},
                                                         {"ImageGor", w.citiesTab},
                                                         {"Panel3", w.previewPanel}};
    for (const auto& [name, control] : controls)
        s << QStringLiteral("%1 visible=%2").arg(QString::fromLatin1(name)).arg(control->isVisible());
    for (int i = 1; i <= 5; ++i)
        s << QStringLiteral("star%1 %2").arg(i).arg(w.starPictures[i]->isVisible());
    s << w.fileSizeLabel->caption() << w.authorLabel->caption() << w.descriptionLabel->caption() << entry.mapPath()
      << entry.previewPath() << QString::number(entry.row()) << QString::number(w.listGrid->rowCount())
      << QString::fromLatin1(w.previewBytes.toHex().left(64)) << QString::number(w.previewPicture->cursor().shape())
      << QString::number(w.previewPicture->contextMenuPolicy()) << QString::number(w.previewPanel->contextMenuPolicy());
    return s;
}

} // namespace

class AboutPage : public CatalogueWindowTest
{
protected:
    void openWithAbout(int aboutCount, int about2Count)
    {
        collection.writeComplete(cities(35));
        collection.writeAbout(numberedLines(QStringLiteral("О собрании"), aboutCount),
                              numberedLines(QStringLiteral("Ссылка"), about2Count));
        openWritten();
    }
    void clickAbout()
    {
        QTest::mouseClick(w().aboutButton, Qt::LeftButton, {}, QPoint(5, 5));
        waitForPreview();
    }
};

TEST_F(AboutPage, PlacesTheAboutTextsByTheirLineCounts)
{
    const struct
    {
        int aboutLines;
        int about2Lines;
    } table[] = {{10, 20}, {30, 20}, {40, 20}};
    for (const auto& c : table) {
        SCOPED_TRACE(c.aboutLines);
        openWithAbout(c.aboutLines, c.about2Lines);
        clickAbout();

        EXPECT_EQ(entry->category(), 99);
        for (int k = 1; k <= 29; ++k)
            EXPECT_EQ(row(k), k <= c.aboutLines ? QStringLiteral("О собрании %1").arg(k) : QString()) << k;
        for (int k = 48; k <= 76; ++k)
            EXPECT_EQ(w().Label[k]->caption(), QString()) << k;
        // Line 30 enters the grid, but no label shows it.
        EXPECT_EQ(w().listGrid->rowCount(), 30);
        EXPECT_EQ(w().listGrid->cell(0, 29), c.aboutLines >= 30 ? QStringLiteral("О собрании 30") : QString());
        for (int n = 30; n <= 47; ++n)
            EXPECT_EQ(w().Label[n]->caption(), QStringLiteral("Ссылка %1").arg(n - 29)) << n;
        for (int n = 30; n <= 41; ++n)
            EXPECT_TRUE(w().Label[n]->isVisible()) << n;
        // Rows 13..18 lie on the panel beneath the preview and are never seen.
        for (int n = 42; n <= 47; ++n)
            EXPECT_FALSE(w().Label[n]->isVisible()) << n;
    }
}

TEST_F(AboutPage, HidesTheListAndPanelControlsAndHighlightsNoRow)
{
    openWithAbout(30, 20);
    // The picture is read off the GUI thread, which a slow disc would hold up.
    bool readOnGuiThread = false;
    files::setReadPaceForTests([&](const QString& path, qint64, qint64) {
        readOnGuiThread = readOnGuiThread ||
                          (path.endsWith(QLatin1String("about.jpg")) && QThread::currentThread() == qApp->thread());
    });
    const auto soundDisc = qScopeGuard([] { files::setReadPaceForTests({}); });
    clickAbout();
    EXPECT_FALSE(readOnGuiThread);

    const std::pair<const char*, QWidget*> hidden[] = {{"ImageGor", w().citiesTab},
                                                       {"ImageObl", w().regionsTab},
                                                       {"Imagerus", w().countryTab},
                                                       {"ImageMet", w().metroTab},
                                                       {"ImageArt", w().articlesTab},
                                                       {"StringGrid1", w().listGrid},
                                                       {"ImagePoNazvaniyu", w().byNameButton},
                                                       {"ImagePoGodu", w().byYearButton},
                                                       {"ImagePoKa4estvy", w().byQualityButton},
                                                       {"Label1000", w().fileSizeCaption},
                                                       {"Label223", w().dimensionsCaption},
                                                       {"LabelOpisNadpis", w().descriptionCaption},
                                                       {"Labelopis", w().descriptionLabel},
                                                       {"LabelSize", w().fileSizeLabel},
                                                       {"LabelDimention", w().dimensionsLabel},
                                                       {"LabelAvtorNadpis", w().authorCaption},
                                                       {"Labelavtor", w().authorLabel}};
    for (const auto& [name, control] : hidden)
        EXPECT_FALSE(control->isVisible()) << name;
    for (int i = 1; i <= 5; ++i)
        EXPECT_FALSE(w().starPictures[i]->isVisible()) << i;

    EXPECT_EQ(highlightedSlot(), 0);
    for (int k = 1; k <= 29; ++k) {
        EXPECT_EQ(w().Label[k]->textColour(), QColor(68, 28, 26)) << k;
        EXPECT_EQ(w().Label[k]->cursor().shape(), Qt::ArrowCursor) << k;
    }
    QFile about(collection.file(QStringLiteral("Goroda/About/about.jpg")));
    ASSERT_TRUE(about.open(QIODevice::ReadOnly));
    EXPECT_EQ(w().previewBytes, about.readAll());
    EXPECT_TRUE(w().previewPicture->hasPicture());
    EXPECT_EQ(w().previewPicture->cursor().shape(), Qt::ArrowCursor);
    EXPECT_NE(w().previewPicture->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_NE(w().previewPanel->contextMenuPolicy(), Qt::CustomContextMenu);
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}

TEST_F(AboutPage, ABadAboutPictureIsNamedAndTheRestOfThePageShows)
{
    const struct
    {
        const char* name;
        QByteArray bytes; // empty: no file
    } table[] = {{"missing", QByteArray()},
                 {"undecodable", QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, 'z')},
                 {"larger than a picture of the page needs",
                  TestCollection::jpegBytes(QSize(100, 80)) + QByteArray(loading::Loader::MaxPictureFileBytes, '\0')}};
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        openWithAbout(12, 20);
        const QString aboutPicture = QStringLiteral("Goroda/About/about.jpg");
        if (c.bytes.isEmpty())
            ASSERT_TRUE(QFile::remove(collection.file(aboutPicture)));
        else
            collection.writeBytes(aboutPicture, c.bytes);
        ASSERT_TRUE(w().previewPicture->hasPicture()); // the first city's preview
        MessageRecorder::clear();

        clickAbout();
        ASSERT_EQ(MessageRecorder::messages().size(), 1);
        EXPECT_TRUE(MessageRecorder::last().contains(QStringLiteral("about.jpg")))
            << MessageRecorder::last().toStdString();
        EXPECT_FALSE(w().previewPicture->hasPicture());
        EXPECT_TRUE(w().previewBytes.isEmpty());
        EXPECT_EQ(w().previewPicture->cursor().shape(), Qt::ArrowCursor);
        EXPECT_EQ(row(12), QStringLiteral("О собрании 12"));
        EXPECT_EQ(w().Label[30]->caption(), QStringLiteral("Ссылка 1"));
        EXPECT_FALSE(w().fileSizeLabel->isVisible());
    }
}

TEST_F(AboutPage, ScrollingKeepsTheSecondColumnEmpty)
{
    openWithAbout(30, 30);
    clickAbout();
    controls::SkinScrollBar* bar = w().listScrollBar;
    ASSERT_TRUE(bar->isVisible());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->downArrowRect().center());
    EXPECT_EQ(row(1), QStringLiteral("О собрании 2"));
    for (int k = 48; k <= 76; ++k)
        EXPECT_EQ(w().Label[k]->caption(), QString()) << k;
}

TEST_F(AboutPage, ARowClickHighlightsTheLineAndFillsNothing)
{
    openWithAbout(30, 20);
    clickRow(2);
    clickAbout();
    const QString author = w().authorLabel->caption();
    clickRow(3);
    EXPECT_EQ(highlightedSlot(), 3);
    EXPECT_EQ(currentRow(), 3);
    EXPECT_EQ(w().authorLabel->caption(), author);
    // The file actions still act on the map chosen last.
    testsupport::setClipboardText(QStringLiteral("прежнее"));
    w().copyFileAction->trigger();
    const QString map = QFileInfo(collection.file(QStringLiteral("Goroda/gorod002.jpg"))).absoluteFilePath();
    EXPECT_EQ(testsupport::clipboardFiles(), QList<QUrl>{QUrl::fromLocalFile(map)});
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}

TEST_F(AboutPage, ChoosingTheCitiesAgainRestoresTheStartUpWindow)
{
    openWithAbout(30, 20);
    const QStringList atStart = snapshot(w(), *entry);
    clickAbout();
    ASSERT_NE(snapshot(w(), *entry), atStart);
    clickAbout(); // built anew over itself
    // The way the user comes back: over the cities tab, which lights its button, and a click on it.
    QTest::mouseMove(w().citiesHoverArea, QPoint(5, 5));
    QTest::mouseClick(w().citiesTab, Qt::LeftButton, {}, QPoint(5, 5));
    waitForPreview();
    const QStringList after = snapshot(w(), *entry);
    ASSERT_EQ(after.size(), atStart.size());
    for (qsizetype i = 0; i < atStart.size(); ++i)
        EXPECT_EQ(after[i].toStdString(), atStart[i].toStdString());
}
