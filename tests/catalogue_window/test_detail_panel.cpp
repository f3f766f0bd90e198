// The detail panel: paths, preview, file size, texts and stars of the chosen entry, and the click on the preview.
#include <QFile>

#include "catalogue_window/panel_entries.h"
#include "catalogue_window/window_fixture.h"

using namespace testsupport;

namespace {

void (TForm1::*const categoryViews[])() = {nullptr,
                                           &TForm1::ImageGorClick,
                                           &TForm1::ImageOblClick,
                                           &TForm1::ImagerusClick,
                                           &TForm1::ImageMetClick,
                                           &TForm1::ImageArtClick};

int visibleStars(TForm1& form)
{
    int count = 0;
    for (int i = 1; i <= 5; ++i)
        count += form.starPictures[i]->isVisible() ? 1 : 0;
    return count;
}

void resizeFile(const QString& path, qint64 size)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(size));
}

struct CategoryCase
{
    int category;
    const char* code;
};

void PrintTo(const CategoryCase& c, std::ostream* os)
{
    *os << c.code;
}

} // namespace

class PanelTest : public CatalogueWindowTest
{
};

// --- size text ----------------------------------------------------------------------------------------------

class SizeText : public CatalogueWindowTest, public ::testing::WithParamInterface<CategoryCase>
{
};

TEST_P(SizeText, FollowsTheFullSizeFileInEveryCategory)
{
    const CategoryCase c = GetParam();
    const QString code = QString::fromLatin1(c.code);
    const struct
    {
        qint64 bytes; // -1: no file
        const char* text;
    } table[] = {{1023, "1023 bytes"}, {1024, "1 Kb"}, {1049599, "1024 Kb"}, {1049600, "1 Mb"}, {2097151, "1 Mb"},
                 {2097152, "2 Mb"},    {-1, ""}};
    const int cases = static_cast<int>(std::size(table));

    // Slot 1 is an ordinary entry, slots 2.. carry the sizes of the table.
    std::vector<Entry> entries;
    for (int k = 0; k <= cases; ++k)
        entries.push_back(
            mapEntry(QStringLiteral("Карта %1").arg(k), code, QStringLiteral("%1_%2.jpg").arg(code).arg(k)));
    collection.writeComplete(entries);
    for (int k = 1; k <= cases; ++k) {
        const QString path = collection.file(folderOf(code) + QStringLiteral("%1_%2.jpg").arg(code).arg(k));
        if (table[k - 1].bytes < 0)
            ASSERT_TRUE(QFile::remove(path));
        else
            resizeFile(path, table[k - 1].bytes);
    }
    openWritten();
    (w().*categoryViews[c.category])();
    waitForPreview();
    ASSERT_FALSE(w().fileSizeLabel->caption().isEmpty());

    // The size is found off the GUI thread; until then the panel shows none, never the entry before's.
    for (int k = 1; k <= cases; ++k) {
        clickRow(k + 1);
        EXPECT_EQ(currentRow(), k + 1);
        EXPECT_EQ(w().fileSizeLabel->caption(), QString());
        waitForPreview();
        EXPECT_EQ(w().fileSizeLabel->caption(), QString::fromLatin1(table[k - 1].text)) << table[k - 1].bytes;
    }
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(MapCategories, SizeText,
                         ::testing::Values(CategoryCase{1, "Goroda"}, CategoryCase{2, "Oblasti"},
                                           CategoryCase{3, "Russia"}, CategoryCase{4, "Metro"}),
                         [](const ::testing::TestParamInfo<CategoryCase>& info) {
                             return std::string(info.param.code);
                         });

// --- stars and texts ---------------------------------------------------------------------------------------

TEST_F(PanelTest, StarsFollowTheQualityAndHideForAnythingElse)
{
    const struct
    {
        const char* quality;
        int stars;
    } table[] = {{"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}, {"0", 0}, {"6", 0}, {"", 0}, {"3 ", 0}, {"x", 0}};
    const int cases = static_cast<int>(std::size(table));
    std::vector<Entry> entries{
        mapEntry(QStringLiteral("Звёзды 00"), QStringLiteral("Goroda"), QStringLiteral("z0.jpg"), QStringLiteral("5"))};
    for (int k = 1; k <= cases; ++k)
        entries.push_back(mapEntry(QStringLiteral("Звёзды %1").arg(k, 2, 10, QLatin1Char('0')),
                                   QStringLiteral("Goroda"), QStringLiteral("z%1.jpg").arg(k),
                                   QString::fromLatin1(table[k - 1].quality)));
    open(entries);
    ASSERT_EQ(visibleStars(w()), 5);

    for (int k = 1; k <= cases; ++k) {
        clickRow(1); // five stars on show before each case
        ASSERT_EQ(visibleStars(w()), 5);
        clickRow(k + 1);
        for (int i = 1; i <= 5; ++i)
            EXPECT_EQ(w().starPictures[i]->isVisible(), i <= table[k - 1].stars)
                << "quality '" << table[k - 1].quality << "' star " << i;
    }
}

TEST_F(PanelTest, CaptionsShowOnlyWithTheirTexts)
{
    const struct
    {
        const char* author;
        const char* description;
    } table[] = {{"Иванов", "Подробная карта"}, {"", "Подробная карта"}, {"Иванов", ""}, {"", ""}};
    const int cases = static_cast<int>(std::size(table));
    std::vector<Entry> entries{mapEntry(QStringLiteral("Тексты 0"), QStringLiteral("Goroda"), QStringLiteral("t0.jpg"),
                                        QStringLiteral("3"), QStringLiteral("Прежний"), QStringLiteral("Прежнее"))};
    for (int k = 1; k <= cases; ++k)
        entries.push_back(mapEntry(
            QStringLiteral("Тексты %1").arg(k), QStringLiteral("Goroda"), QStringLiteral("t%1.jpg").arg(k),
            QStringLiteral("3"), QString::fromUtf8(table[k - 1].author), QString::fromUtf8(table[k - 1].description)));
    open(entries);

    for (int k = 1; k <= cases; ++k) {
        clickRow(1);
        clickRow(k + 1);
        const QString author = QString::fromUtf8(table[k - 1].author);
        const QString description = QString::fromUtf8(table[k - 1].description);
        EXPECT_EQ(w().authorLabel->caption(), author);
        EXPECT_EQ(w().descriptionLabel->caption(), description);
        EXPECT_EQ(w().authorCaption->isVisible(), !author.isEmpty()) << k;
        EXPECT_EQ(w().descriptionCaption->isVisible(), !description.isEmpty()) << k;
        EXPECT_TRUE(w().authorLabel->isVisible());
        EXPECT_TRUE(w().descriptionLabel->isVisible());
    }
}

// --- paths --------------------------------------------------------------------------------------------------

TEST_F(PanelTest, MetroMapsLieInTheCitiesFolders)
{
    open({mapEntry(QStringLiteral("Москва"), QStringLiteral("Goroda"), QStringLiteral("moskva.jpg")),
          mapEntry(QStringLiteral("Схема метро"), QStringLiteral("Metro"), QStringLiteral("metro1935.jpg"))});
    w().ImageMetClick();
    waitForPreview();
    EXPECT_EQ(entry->previewPath(), QStringLiteral("Goroda/previews/metro1935.jpg"));
    EXPECT_EQ(entry->mapPath(), QStringLiteral("Goroda/metro1935.jpg"));
    EXPECT_TRUE(w().previewPicture->hasPicture());
    QFile preview(collection.file(QStringLiteral("Goroda/previews/metro1935.jpg")));
    ASSERT_TRUE(preview.open(QIODevice::ReadOnly));
    EXPECT_EQ(w().previewBytes, preview.readAll());
    EXPECT_FALSE(w().fileSizeLabel->caption().isEmpty());
}

TEST_F(PanelTest, ArticlesViewShowsTextsOnly)
{
    Entry article = mapEntry(QStringLiteral("О картах"), QStringLiteral("art"), QStringLiteral("o_kartah.html"),
                             QString(), QString(), QStringLiteral("Статья о старых картах"));
    open({mapEntry(QStringLiteral("Москва"), QStringLiteral("Goroda"), QStringLiteral("moskva.jpg")), article});
    const QString sizeBefore = w().fileSizeLabel->caption();
    w().ImageArtClick();
    waitForPreview();

    EXPECT_EQ(w().descriptionLabel->caption(), QStringLiteral("Статья о старых картах"));
    EXPECT_EQ(w().authorLabel->caption(), QString());
    EXPECT_FALSE(w().authorCaption->isVisible());
    EXPECT_TRUE(w().descriptionCaption->isVisible());
    EXPECT_FALSE(w().fileSizeLabel->isVisible());
    EXPECT_EQ(w().fileSizeLabel->caption(), sizeBefore);
    EXPECT_EQ(visibleStars(w()), 0);
    QFile foto(collection.file(QStringLiteral("Articles/foto.jpg")));
    ASSERT_TRUE(foto.open(QIODevice::ReadOnly));
    EXPECT_EQ(w().previewBytes, foto.readAll());
}

TEST_F(PanelTest, GridClickRecordsTheRowAndHighlightsItsSlotOnlyWithinThePage)
{
    open(cities(40));
    w().listGrid->setRow(33); // scrolls: row 33 shows in the last slot
    ASSERT_EQ(w().listGrid->topRow(), 5);
    EXPECT_EQ(currentRow(), 34);
    EXPECT_EQ(highlightedSlot(), 29);
    EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор 34"));

    key(Qt::Key_Up); // a grid click within the page: no scroll refill, the slot mapping alone lights the slot
    ASSERT_EQ(w().listGrid->topRow(), 5);
    EXPECT_EQ(currentRow(), 33);
    EXPECT_EQ(highlightedSlot(), 28);
    EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор 33"));

    w().listGrid->setTopRow(0); // row 32 now lies below the page
    w().authorLabel->setCaption(QStringLiteral("marker"));
    w().StringGrid1Click(); // as a caller runs it: the details again, and no slot lit
    EXPECT_EQ(currentRow(), 33);
    EXPECT_EQ(highlightedSlot(), 0);
    EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор 33"));
    EXPECT_EQ(entry->mapPath(), QStringLiteral("Goroda/gorod033.jpg"));
}

// --- preview ------------------------------------------------------------------------------------------------

TEST_F(PanelTest, PreviewIsToldByItsContentAndFailuresLeaveTheRestOfThePanel)
{
    enum Kind { Missing, Undecodable, Gif, PngNamedJpg, UpperJpg, Jpeg };
    const struct
    {
        const char* fileName;
        Kind kind;
        bool shown;
        const char* message; // part of the expected message; nullptr: no message
    } table[] = {
        {"p1.jpg", Missing, false, nullptr},         {"p2.jpg", Undecodable, false, "p2.jpg"},
        {"p3.gif", Gif, false, "не поддерживается"}, {"p4.jpg", PngNamedJpg, false, "не поддерживается"},
        {"p5.JPG", UpperJpg, true, nullptr},         {"p6.jpeg", Jpeg, true, nullptr},
    };
    const int cases = static_cast<int>(std::size(table));
    std::vector<Entry> entries{mapEntry(QStringLiteral("Превью 0"), QStringLiteral("Goroda"), QStringLiteral("p0.jpg"),
                                        QStringLiteral("5"), QStringLiteral("Автор 0"))};
    for (int k = 1; k <= cases; ++k)
        entries.push_back(mapEntry(QStringLiteral("Превью %1").arg(k), QStringLiteral("Goroda"),
                                   QString::fromLatin1(table[k - 1].fileName), QString::number(k % 5 + 1),
                                   QStringLiteral("Автор %1").arg(k)));
    collection.writeComplete(entries);
    resizeFile(collection.file(QStringLiteral("Goroda/p0.jpg")), 3 * 1024);
    for (int k = 1; k <= cases; ++k) {
        resizeFile(collection.file(QStringLiteral("Goroda/") + QString::fromLatin1(table[k - 1].fileName)), 2048);
        const QString preview = QStringLiteral("Goroda/previews/") + QString::fromLatin1(table[k - 1].fileName);
        switch (table[k - 1].kind) {
        case Missing:
            ASSERT_TRUE(QFile::remove(collection.file(preview)));
            break;
        case Undecodable:
            collection.writeBytes(preview, QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(200, '\x11'));
            break;
        case Gif:
            collection.writeBytes(preview, QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14));
            break;
        case PngNamedJpg:
            collection.writeBytes(preview, QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(40, '\0'));
            break;
        case UpperJpg:
        case Jpeg:
            break; // written as JPEG by the collection
        }
    }
    openWritten();
    ASSERT_TRUE(w().previewPicture->hasPicture());

    for (int k = 1; k <= cases; ++k) {
        const auto& c = table[k - 1];
        clickRow(1);
        waitForPreview();
        ASSERT_TRUE(w().previewPicture->hasPicture());
        MessageRecorder::clear();
        clickRow(k + 1);
        waitForPreview();

        EXPECT_EQ(w().previewPicture->hasPicture(), c.shown) << c.fileName;
        EXPECT_EQ(w().previewBytes.isEmpty(), !c.shown) << c.fileName;
        if (c.message) {
            ASSERT_EQ(MessageRecorder::messages().size(), 1) << c.fileName;
            EXPECT_TRUE(MessageRecorder::last().contains(QString::fromUtf8(c.message)))
                << MessageRecorder::last().toStdString();
            EXPECT_TRUE(MessageRecorder::last().contains(QString::fromLatin1(c.fileName)));
        } else {
            EXPECT_TRUE(MessageRecorder::messages().isEmpty()) << MessageRecorder::last().toStdString();
        }
        // The rest of the panel belongs to the new entry whatever happened to its preview.
        EXPECT_EQ(w().authorLabel->caption(), QStringLiteral("Автор %1").arg(k));
        EXPECT_EQ(w().fileSizeLabel->caption(), QStringLiteral("2 Kb"));
        EXPECT_EQ(visibleStars(w()), k % 5 + 1);
    }
}

TEST_F(PanelTest, LargePreviewIsShrunkByTheDecoderToCoverThePreviewArea)
{
    collection.writeComplete(
        {mapEntry(QStringLiteral("Большая"), QStringLiteral("Goroda"), QStringLiteral("big.jpg"))});
    collection.writeJpeg(QStringLiteral("Goroda/previews/big.jpg"), QSize(1600, 1200));
    openWritten();
    const QSize shown = w().previewPicture->picture().size();
    // 1/4 of 1600 x 1200 still covers 396 x 296; 1/8 would not.
    EXPECT_EQ(shown, QSize(400, 300));
    const QRect drawn = w().previewPicture->drawnRect();
    EXPECT_LE(drawn.width(), 396);
    EXPECT_LE(drawn.height(), 296);
}

// --- click on the preview -------------------------------------------------------------------------------------

TEST_F(PanelTest, ClickOnThePreviewOpensTheViewerOnlyForAnExistingMap)
{
    open({mapEntry(QStringLiteral("А город"), QStringLiteral("Goroda"), QStringLiteral("a.jpg")),
          mapEntry(QStringLiteral("Б город"), QStringLiteral("Goroda"), QStringLiteral("b.jpg")),
          mapEntry(QStringLiteral("Статья"), QStringLiteral("art"), QStringLiteral("s.html"))});
    ASSERT_TRUE(QFile::remove(collection.file(QStringLiteral("Goroda/b.jpg"))));
    int opened = 0;
    QString openedPath;
    w().setViewerOpener([&] {
        ++opened;
        openedPath = entry->mapPath();
    });
    const auto clickPreview = [&] {
        QTest::mouseClick(w().previewPicture, Qt::LeftButton, {}, w().previewPicture->rect().center());
    };

    clickPreview();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(openedPath, QStringLiteral("Goroda/a.jpg"));

    clickRow(2); // its map file is missing
    clickPreview();
    EXPECT_EQ(opened, 1);

    w().ImageArtClick();
    clickPreview();
    w().ImageAboutClick();
    clickPreview();
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(MessageRecorder::messages().isEmpty());
}
