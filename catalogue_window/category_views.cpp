// The five category views and the hover highlighting of the category tabs.
#include "catalogue/categories.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "platform/data_files.h"
#include "platform/error_report.h"
#include "window_layout/catalogue_controls.h"

using catalogue::CategoryTable;
using catalogue_window::firstColumnLabel;

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
    CategoryTable* table = m_data.table(category);
    if (!table)
        return;
    const bool articles = category == catalogue::Articles;

    for (int n = catalogue_window::FirstLinkRow; n <= catalogue_window::LastLinkRow; ++n)
        Label[n]->hide();

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

    m_entry.startList(category);

    const int count = table->count();
    StringGrid1->resize(0, StringGrid1->height());
    StringGrid1->setRowCount(count);
    // Every view starts at its first entry, also when the list was scrolled without moving its current row.
    StringGrid1->setRow(0);
    StringGrid1->setTopRow(0);
    for (int row = 0; row < controls::StringGrid::MaxRows; ++row) {
        StringGrid1->setCell(0, row, QString());
        StringGrid1->setCell(1, row, QString());
    }
    for (int slot = 1; slot <= count; ++slot) {
        StringGrid1->setCell(0, slot - 1, platform::displayText(table->Title[slot]));
        StringGrid1->setCell(1, slot - 1, platform::displayText(table->Year[slot]));
    }

    for (int slot = 1; slot <= catalogue_window::VisibleRows; ++slot)
        Label[firstColumnLabel(slot)]->setCursor(Qt::PointingHandCursor);
    refillRowLabels();
    setSecondColumnLeft(catalogue_window::secondColumnLeft());
    StringGrid1->setFocus();

    // The first entry is chosen: its slot lit, its details shown.
    m_entry.announce();

    if (pictureError)
        platform::showMessage(*pictureError);
}

controls::PictureControl* TForm1::categoryHighlight(int category) const
{
    switch (category) {
    case catalogue::Cities:
        return ImageGor;
    case catalogue::Regions:
        return ImageObl;
    case catalogue::Country:
        return Imagerus;
    case catalogue::MetroMaps:
        return ImageMet;
    case catalogue::Articles:
        return ImageArt;
    default:
        return nullptr;
    }
}

void TForm1::CategoryHoverMove(int category)
{
    if (controls::PictureControl* highlight = categoryHighlight(category))
        highlight->show();
}

void TForm1::Image9MouseMove()
{
    const int category = m_data.CurrentCategory;
    if (!catalogue::isCategory(category) && category != catalogue::AboutPage)
        return;
    for (int tab = catalogue::Cities; tab <= catalogue::Articles; ++tab)
        categoryHighlight(tab)->setVisible(tab == category);
}
