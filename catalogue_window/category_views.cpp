// The five category views and the hover highlighting of the category tabs.
#include "catalogue/categories.h"
#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "files/data_files.h"
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
    const CategoryTable* table = m_entry.data().table(category);
    if (!table)
        return;
    const bool articles = category == catalogue::Articles;

    showViewControls(articles ? window_layout::ArticlesView : window_layout::MapsView);

    previewPicture->setCursor(Qt::PointingHandCursor);
    setPopupAttached(true);
    // The articles are listed at once, their picture shown once read; a missing one leaves an empty preview.
    if (articles)
        loadPreview(QStringLiteral("Articles/foto.jpg"));

    // The author and description move up in the articles view, where the file size and the stars are hidden.
    for (QWidget* w :
         std::initializer_list<QWidget*>{authorCaption, authorLabel, descriptionCaption, descriptionLabel}) {
        const window_layout::ControlRow& row = window_layout::catalogueControl(w->objectName().toStdString());
        w->move(row.place.left(), articles ? row.articlesTop : row.place.top());
    }

    listGrid->resize(0, listGrid->height());
    m_yearsFirst = false;
    // The first entry is chosen, also when the list was scrolled without moving its current row: the grid scrolls
    // to it, its slot is lit and its details are shown.
    m_entry.show(category, 0);

    for (int slot = 1; slot <= catalogue_window::VisibleRows; ++slot)
        Label[firstColumnLabel(slot)]->setCursor(Qt::PointingHandCursor);
    refillRowLabels();
    setSecondColumnLeft(catalogue_window::secondColumnLeft());
    listGrid->setFocus();
}

void TForm1::showViewControls(window_layout::CatalogueView view)
{
    for (const window_layout::ControlRow& row : window_layout::catalogueControls()) {
        if ((row.shownIn | row.hiddenIn) & view)
            findChild<QWidget*>(QString::fromStdString(row.name))->setVisible(row.shownIn & view);
    }
}

controls::PictureControl* TForm1::categoryHighlight(int category) const
{
    switch (category) {
    case catalogue::Cities:
        return citiesTab;
    case catalogue::Regions:
        return regionsTab;
    case catalogue::Country:
        return countryTab;
    case catalogue::MetroMaps:
        return metroTab;
    case catalogue::Articles:
        return articlesTab;
    default:
        return nullptr;
    }
}

void TForm1::CategoryHoverMove(int category)
{
    if (controls::PictureControl* highlight = categoryHighlight(category))
        highlight->show();
}

void TForm1::backgroundMouseMove()
{
    const int category = m_entry.category();
    if (!catalogue::isCategory(category) && category != catalogue::AboutPage)
        return;
    for (int tab = catalogue::Cities; tab <= catalogue::Articles; ++tab)
        categoryHighlight(tab)->setVisible(tab == category);
}
