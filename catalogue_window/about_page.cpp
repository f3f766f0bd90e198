// The about page: the about texts in the list area, the about picture in the preview, the link rows below it.
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"

namespace {

using namespace catalogue_window;

const QString AboutPicture = QStringLiteral("Goroda/About/about.jpg");

} // namespace

void TForm1::ImageAboutClick()
{
    // The page's rows are its text lines: the chosen row stays where it was, within the page's lines. Showing it
    // runs the row click and the grid click with the category already the about page, so they fill nothing; what
    // they touch is overwritten below.
    m_entry.show(catalogue::AboutPage, std::min(listGrid->row(), AboutRows - 1));

    // On this page a right-click on the picture opens nothing.
    setPopupAttached(false);

    listGrid->setTopRow(0);

    for (int slot = 1; slot <= VisibleRows; ++slot) {
        Label[firstColumnLabel(slot)]->setCursor(Qt::ArrowCursor);
        Label[secondColumnLabel(slot)]->setCaption(QString());
    }

    refillRowLabels();
    for (int k = 0; k < LinkRowCount; ++k)
        Label[FirstLinkRow + k]->setCaption(listText(1, listGrid->topRow() + k));
    // No row is highlighted on this page.
    markChosenSlot(0);

    showViewControls(window_layout::AboutView);

    // The page is whole at once; its picture shows once read, or a message names it.
    previewPicture->setCursor(Qt::ArrowCursor);
    loadPreview(AboutPicture);
}
