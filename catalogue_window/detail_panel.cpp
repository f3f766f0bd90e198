// The detail panel of the chosen entry: the grid click, the preview, the file size, the texts and the stars, and the
// click on the preview that opens the viewer.
#include <optional>

#include "catalogue/categories.h"
#include "catalogue/size_text.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "desktop/error_report.h"
#include "desktop/failure_text.h"
#include "files/data_files.h"
#include "loading/loader.h"
#include "picture/jpeg_decoder.h"
#include "window_layout/catalogue_controls.h"

namespace {

// A picture within the viewer's budget has at most a 64th of its pixels after the 1/8 reduction every large picture
// gets here; a file that needs more for its preview only declares a huge size (65500 x 65500) and would cost
// hundreds of megabytes for a grey box.
constexpr qint64 PreviewMaxPixels = picture::DefaultMaxPixels / 64;

} // namespace

void TForm1::showChosenEntry()
{
    // The grid has as many rows as the entry's list.
    listGrid->setRowCount(m_entry.list().rowCount());
    // The grid reads its row from the entry and scrolls it into view: a new top row runs StringGrid1TopLeftChanged
    // (the scroll refill) first. Then the grid's click lights the row and fills the panel.
    listGrid->scrollToCurrentRow();
    StringGrid1Click();
}

void TForm1::StringGrid1Click()
{
    if (const int slot = visibleSlotOfCurrentRow())
        markChosenSlot(slot);
    ShowDetails();
}

void TForm1::ShowDetails()
{
    const catalogue::CategoryTable* table = m_entry.table();
    const std::optional<int> slot = m_entry.slot();
    if (!table || !slot)
        return;

    const std::string& author = table->Author[*slot];
    const std::string& description = table->Description[*slot];
    auto showTexts = [&] {
        authorLabel->setCaption(files::displayText(author));
        descriptionLabel->setCaption(files::displayText(description));
        authorCaption->setVisible(!author.empty());
        descriptionCaption->setVisible(!description.empty());
    };

    if (!catalogue::isMapCategory(m_entry.category())) {
        showTexts(); // the articles view: texts only, the file actions keep the last map
        return;
    }

    m_lastPreviewPath = m_entry.previewPath();
    m_lastMapPath = m_entry.mapPath();

    // The rest of the panel shows at once; the preview once it is read and decoded, and its failure is reported
    // then, while this is still the entry on show. Until then the panel shows no picture, never the previous entry's.
    // Whether there is a preview is found on the disc lane too: an entry without one shows none, silently.
    loadPreview(m_lastPreviewPath, true);
    // The map file's size is found on the disc lane as well, and stopped with the preview.
    fileSizeLabel->setCaption({});
    m_loader.measureFile(this, m_lastMapPath, m_previewStop.get_token(), [this](std::optional<qint64> size) {
        fileSizeLabel->setCaption(QString::fromStdString(catalogue::sizeText(size)));
    });

    showTexts();

    const int stars = catalogue::starCount(table->Quality[*slot]);
    for (int i = 1; i <= 5; ++i)
        starPictures[i]->setVisible(i <= stars);
}

void TForm1::ImageMapClick()
{
    // The entry is the grid's current row: the grid's click has told it.
    if (!catalogue::isMapCategory(m_entry.category()) || !m_entry.slot())
        return;
    if (files::dataFileExists(m_entry.mapPath()) && m_openViewer)
        m_openViewer();
}

void TForm1::previewMouseMove()
{
    // The articles picture opens nothing, so once the mouse is on it the hand gives way to the arrow.
    if (m_entry.category() == catalogue::Articles)
        previewPicture->setCursor(Qt::ArrowCursor);
}

void TForm1::loadPreview(const QString& relativePath, bool mayBeMissing)
{
    clearImageMap();
    // Called only while this is still the preview wanted: a later preview, picture or the window's end stops it.
    m_loader.loadPicture(this, relativePath, previewDecodeOptions(), m_previewStop.get_token(),
                         [this, relativePath, mayBeMissing](const failure::Result<loading::LoadedPicture>& loaded) {
                             desktop::runGuarded([&] {
                                 if (loaded) {
                                     showPreviewPicture(loaded->picture, loaded->bytes);
                                     return;
                                 }
                                 if (loaded.error().what == failure::What::FileNotFound && mayBeMissing)
                                     return;
                                 // The picture is the only thing missing: the panel or the page beside it stays.
                                 desktop::reportFailure(desktop::Action::ShowPicture,
                                                        loaded.error().onFile(relativePath.toStdString()));
                             });
                         });
}

picture::JpegDecodeOptions TForm1::previewDecodeOptions() const
{
    picture::JpegDecodeOptions options;
    // Previews are decoded at the smallest DCT scale that still covers the preview area's device pixels.
    options.fitBox =
        controls::deviceSize(window_layout::catalogueControl("ImageMap").place.size(), devicePixelRatioF());
    options.maxPixels = PreviewMaxPixels;
    return options;
}

void TForm1::showPreviewPicture(const QImage& picture, const QByteArray& bytes)
{
    const QSize box = window_layout::catalogueControl("ImageMap").place.size();
    previewPicture->setPixelRatio(controls::fillingPixelRatio(picture.size(), box, devicePixelRatioF()));
    previewPicture->setPicture(picture);
    previewBytes = bytes;
}

void TForm1::clearImageMap()
{
    m_previewStop.request_stop();
    m_previewStop = std::stop_source();
    previewPicture->clearPicture();
    previewBytes.clear();
}
