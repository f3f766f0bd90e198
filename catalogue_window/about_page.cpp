// The about page: the about texts in the list area, the about picture in the preview, the link rows below it.
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "platform/data_files.h"
#include "platform/error_report.h"

namespace {

using namespace catalogue_window;

constexpr int AboutRows = 30; // lines of each about file the page uses
const QColor AboutTextColour(68, 28, 26);
const QString AboutPicture = QStringLiteral("Goroda/About/about.jpg");

} // namespace

void TForm1::ImageAboutClick()
{
    // The page's rows are its text lines: the grid keeps its current row, which the entry follows.
    m_entry.startList(catalogue::AboutPage, std::min(StringGrid1->row(), AboutRows - 1));

    for (int n = FirstLinkRow; n <= LastWindowLinkRow; ++n)
        Label[n]->show();

    // On this page a right-click on the picture opens nothing.
    setPopupAttached(false);

    // Row changes caused here run the row click and the grid click with the category already the about page, so
    // they fill nothing; everything they touch is overwritten below.
    StringGrid1->setRowCount(AboutRows);
    StringGrid1->setTopRow(0);

    for (int i = 1; i <= AboutRows; ++i) {
        StringGrid1->setCell(0, i - 1, platform::displayText(m_data.AboutLines[i]));
        StringGrid1->setCell(1, i - 1, platform::displayText(m_data.AboutLines2[i]));
    }

    for (int slot = 1; slot <= VisibleRows; ++slot) {
        Label[firstColumnLabel(slot)]->setCursor(Qt::ArrowCursor);
        Label[secondColumnLabel(slot)]->setCaption(QString());
    }

    const int top = StringGrid1->topRow();
    for (int slot = 1; slot <= VisibleRows; ++slot)
        Label[firstColumnLabel(slot)]->setCaption(StringGrid1->cell(0, top + slot - 1));
    for (int k = 0; k < LinkRowCount; ++k)
        Label[FirstLinkRow + k]->setCaption(StringGrid1->cell(1, top + k));

    // No row is highlighted on this page.
    for (int slot = 1; slot <= VisibleRows; ++slot) {
        Label[firstColumnLabel(slot)]->setBold(false);
        Label[firstColumnLabel(slot)]->setTextColour(AboutTextColour);
    }

    for (QWidget* w : std::initializer_list<QWidget*>{ImageGor, ImageObl, Imagerus, ImageMet, ImageArt, StringGrid1,
                                                      ImagePoNazvaniyu, ImagePoGodu, ImagePoKa4estvy, Label1000,
                                                      Label223, LabelOpisNadpis, Labelopis, LabelSize, LabelDimention,
                                                      LabelAvtorNadpis, Labelavtor})
        w->hide();
    for (int i = 1; i <= 5; ++i)
        ImageZvezda[i]->hide();

    // The pointer is set before loading, so a missing picture still leaves the whole page in place.
    ImageMap->setCursor(Qt::ArrowCursor);
    if (const std::optional<QString> error = loadImageMap(AboutPicture))
        platform::showMessage(*error);
}
