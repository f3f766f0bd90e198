// The about page: the about texts in the list area, the about picture in the preview, the link rows below it.
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "platform/data_files.h"
#include "platform/error_report.h"

namespace {

constexpr int AboutRows = 30; // lines of each about file the page uses
constexpr int ListSlots = 29; // first-column labels Label[1]..Label[29]
constexpr int FirstLinkRow = 30;
constexpr int LinkRows = 18; // Label[30]..Label[47]
constexpr int FirstSecondColumn = 48;
const QColor AboutTextColour(68, 28, 26);
const QString AboutPicture = QStringLiteral("Goroda/About/about.jpg");

} // namespace

void TForm1::ImageAboutClick()
{
    data.CurrentCategory = catalogue::AboutPage;

    for (int n = FirstLinkRow; n <= 41; ++n)
        Label[n]->show();

    // On this page a right-click on the picture opens nothing.
    setPopupAttached(false);

    // Row changes caused here run the row click and the grid click with the category already the about page, so
    // they fill nothing; everything they touch is overwritten below.
    StringGrid1->setRowCount(AboutRows);
    StringGrid1->setTopRow(0);

    for (int i = 1; i <= AboutRows; ++i) {
        StringGrid1->setCell(0, i - 1, platform::displayText(data.AboutLines[i]));
        StringGrid1->setCell(1, i - 1, platform::displayText(data.AboutLines2[i]));
    }

    for (int k = 1; k <= ListSlots; ++k)
        Label[k]->setCursor(Qt::ArrowCursor);
    for (int k = FirstSecondColumn; k < FirstSecondColumn + ListSlots; ++k)
        Label[k]->setCaption(QString());

    const int top = StringGrid1->topRow();
    for (int k = 0; k < ListSlots; ++k)
        Label[k + 1]->setCaption(StringGrid1->cell(0, top + k));
    for (int k = 0; k < LinkRows; ++k)
        Label[FirstLinkRow + k]->setCaption(StringGrid1->cell(1, top + k));

    // No row is highlighted on this page.
    for (int k = 1; k <= ListSlots; ++k) {
        Label[k]->setBold(false);
        Label[k]->setTextColour(AboutTextColour);
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
