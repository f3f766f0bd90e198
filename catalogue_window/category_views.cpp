// The five category views and the hover highlighting of the category tabs.
#include "catalogue/categories.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "platform/data_files.h"
#include "platform/error_report.h"
#include "window_layout/catalogue_controls.h"

using catalogue::CategoryTable;

void TForm1::ImageGorClick()
{
    CategoryView(catalogue::Cities);
}

void TForm1::ImageOblClick()
{
    CategoryView(catalogue::Regions);
}

void TForm1::ImagerusClick()
{
    CategoryView(catalogue::Country);
}

void TForm1::ImageMetClick()
{
    CategoryView(catalogue::MetroMaps);
}

void TForm1::ImageArtClick()
{
    CategoryView(catalogue::Articles);
}

void TForm1::CategoryView(int category)
{
    CategoryTable* table = data.table(category);
    if (!table)
        return;
    const bool articles = category == catalogue::Articles;

    for (int n = 30; n <= 41; ++n)
        Label[n]->hide();
    Label[46]->hide();
    Label[47]->hide();

    ImageMap->setCursor(Qt::PointingHandCursor);
    setPopupAttached(true);
    // A missing articles picture does not stop the view: the articles are listed with an empty preview.
    const std::optional<QString> pictureError =
        articles ? loadImageMap(QStringLiteral("Articles/foto.jpg")) : std::nullopt;

    // The author and description move up in the articles view, where the file size and the stars are hidden.
    for (QWidget* w : std::initializer_list<QWidget*>{LabelAvtorNadpis, Labelavtor, LabelOpisNadpis, Labelopis}) {
        const window_layout::ControlRow& row = window_layout::catalogueControl(w->objectName().toStdString());
        w->move(row.place.left(), articles ? row.articlesTop : row.place.top());
    }
    StringGrid1->show();
    Labelopis->show();
    Labelavtor->show();
    Panel3->show();
    for (QWidget* w : std::initializer_list<QWidget*>{ImagePoNazvaniyu, ImagePoGodu, ImagePoKa4estvy, Label1000,
                                                      LabelOpisNadpis, LabelSize, LabelAvtorNadpis})
        w->setVisible(!articles);
    for (int n = 1; n <= 5; ++n)
        ImageZvezda[n]->setVisible(!articles);

    data.CurrentCategory = category;

    const int count = table->count();
    StringGrid1->resize(0, StringGrid1->height());
    StringGrid1->setRowCount(count);
    StringGrid1->setRow(0);
    if (category == catalogue::Regions)
        StringGrid1->setTopRow(0);
    for (int row = 0; row < controls::StringGrid::MaxRows; ++row) {
        StringGrid1->setCell(0, row, QString());
        StringGrid1->setCell(1, row, QString());
    }
    for (int slot = 1; slot <= count; ++slot) {
        StringGrid1->setCell(0, slot - 1, platform::displayText(table->Title[slot]));
        StringGrid1->setCell(1, slot - 1, platform::displayText(table->Year[slot]));
    }

    for (int slot = 1; slot <= 29; ++slot)
        Label[slot]->setCursor(Qt::PointingHandCursor);
    refillRowLabels();
    setSecondColumnLeft(window_layout::catalogueControl("Label48").place.left());
    StringGrid1->setFocus();

    if (category == catalogue::Cities) {
        StringGrid1Click();
        LabelClick(1);
    } else {
        LabelClick(1);
        StringGrid1Click();
    }

    if (pictureError)
        platform::showMessage(*pictureError);
}

void TForm1::CategoryHoverMove(int category)
{
    controls::PictureControl* highlights[] = {ImageGor, ImageObl, Imagerus, ImageMet, ImageArt};
    if (category >= 1 && category <= 5)
        highlights[category - 1]->show();
}

void TForm1::Image9MouseMove()
{
    const int category = data.CurrentCategory;
    const bool known = (category >= 1 && category <= 5) || category == catalogue::AboutPage;
    if (!known)
        return;
    controls::PictureControl* highlights[] = {ImageGor, ImageObl, Imagerus, ImageMet, ImageArt};
    for (int n = 1; n <= 5; ++n)
        highlights[n - 1]->setVisible(n == category);
}
