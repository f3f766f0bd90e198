// Binds the controls' events to the window's handlers. Every binding enters program code through the error guard
// (desktop::connectGuarded), so an error raised by a handler ends that handler and is shown by the general error
// handler. The bindings are direct: the handlers of one event run at once, in the order they are bound here.
#include <QAction>
#include <QMenu>

#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "desktop/guarded.h"

using catalogue_window::firstColumnLabel;
using catalogue_window::secondColumnLabel;
using controls::PictureControl;
using controls::StringGrid;
using controls::TextLabel;
using desktop::connectGuarded;

void TForm1::connectHandlers()
{
    connectGuarded(minimiseButton, &PictureControl::clicked, this, &TForm1::minimiseProgram);
    connectGuarded(closeButton, &PictureControl::clicked, this, &TForm1::closeWindow);

    connectGuarded(citiesTab, &PictureControl::clicked, this, &TForm1::ImageGorClick);
    connectGuarded(regionsTab, &PictureControl::clicked, this, &TForm1::ImageOblClick);
    connectGuarded(countryTab, &PictureControl::clicked, this, &TForm1::ImagerusClick);
    connectGuarded(metroTab, &PictureControl::clicked, this, &TForm1::ImageMetClick);
    connectGuarded(articlesTab, &PictureControl::clicked, this, &TForm1::ImageArtClick);
    const std::pair<PictureControl*, int> hoverAreas[] = {{citiesHoverArea, catalogue::Cities},
                                                          {regionsHoverArea, catalogue::Regions},
                                                          {countryHoverArea, catalogue::Country},
                                                          {metroHoverArea, catalogue::MetroMaps},
                                                          {articlesHoverArea, catalogue::Articles}};
    for (const auto& [area, category] : hoverAreas) {
        area->setMouseTracking(true);
        connectGuarded(area, &PictureControl::mouseMoved, this, [this, category] { CategoryHoverMove(category); });
    }
    for (PictureControl* background : {topBarBackground, listBackground}) {
        background->setMouseTracking(true);
        connectGuarded(background, &PictureControl::mouseMoved, this, &TForm1::backgroundMouseMove);
    }

    for (int slot = 1; slot <= catalogue_window::VisibleRows; ++slot) {
        for (TextLabel* label : {Label[firstColumnLabel(slot)], Label[secondColumnLabel(slot)]}) {
            connectGuarded(label, &TextLabel::clicked, this, [this, slot] { rowClick(slot); });
            connectGuarded(label, &TextLabel::doubleClicked, this, [this, slot] { rowDoubleClick(slot); });
        }
    }
    // The wheel moves the list wherever the pointer is over the list panel: rows, the gaps between and beside their
    // texts, empty rows and the scroll bar all pass the wheel on to the panel, which hands it to the grid.
    listPanel->installEventFilter(this);
    // The grid keeps neither the list's texts nor its current row: it reads the texts from the entry's list and the
    // row from the entry, and asks the entry to move when the user moves the row. The window follows the entry:
    // showChosenEntry runs the grid's click, which the grid itself never raises.
    listGrid->setCellSource([this](int column, int row) { return listText(column, row); });
    listGrid->bindRow([this] { return m_entry.row(); }, [this](int row) { m_entry.setRow(row); });
    connectGuarded(listGrid, &StringGrid::keyPressed, this, &TForm1::StringGrid1KeyDown);
    connectGuarded(listGrid, &StringGrid::topLeftChanged, this, &TForm1::StringGrid1TopLeftChanged);
    connectGuarded(listGrid, &StringGrid::textTyped, this, &TForm1::chooseTypedEntry);
    connectGuarded(&m_entry, &CurrentEntry::changed, this, &TForm1::showChosenEntry);

    connectGuarded(byNameButton, &PictureControl::clicked, this, &TForm1::ImagePoNazvaniyuClick);
    connectGuarded(byYearButton, &PictureControl::clicked, this, &TForm1::ImagePoGoduClick);
    connectGuarded(byQualityButton, &PictureControl::clicked, this, &TForm1::ImagePoKa4estvyClick);

    connectGuarded(previewPicture, &PictureControl::clicked, this, &TForm1::ImageMapClick);
    previewPicture->setMouseTracking(true);
    connectGuarded(previewPicture, &PictureControl::mouseMoved, this, &TForm1::previewMouseMove);

    for (int n = catalogue_window::FirstLinkRow; n <= catalogue_window::LastLinkRow; ++n) {
        connectGuarded(Label[n], &TextLabel::clicked, this, [this, n] { LinkRowClick(n); });
        connectGuarded(Label[n], &TextLabel::mouseMoved, this, [this, n] { LinkRowMouseMove(n); });
        Label[n]->installEventFilter(this);
    }

    connectGuarded(publisherLogo, &PictureControl::clicked, this, &TForm1::openPublisherSite);
    connectGuarded(aboutButton, &PictureControl::clicked, this, &TForm1::ImageAboutClick);

    connectGuarded(openInViewerAction, &QAction::triggered, this, &TForm1::openInViewer);
    connectGuarded(openWithViewerAction, &QAction::triggered, this, &TForm1::openHiddenFile);
    connectGuarded(savePreviewAction, &QAction::triggered, this, &TForm1::savePreview);
    connectGuarded(copyFileAction, &QAction::triggered, this, &TForm1::copyMapFile);
    connectGuarded(closeWindowAction, &QAction::triggered, this, &TForm1::closeWindow);
    for (QWidget* owner : {static_cast<QWidget*>(previewPanel), static_cast<QWidget*>(previewPicture)}) {
        connectGuarded(owner, &QWidget::customContextMenuRequested, this, [this, owner](const QPoint& pos) {
            if (m_popupAttached)
                previewMenu->popup(owner->mapToGlobal(pos));
        });
    }
}

void TForm1::setPopupAttached(bool attached)
{
    m_popupAttached = attached;
    const Qt::ContextMenuPolicy policy = attached ? Qt::CustomContextMenu : Qt::PreventContextMenu;
    previewPanel->setContextMenuPolicy(policy);
    previewPicture->setContextMenuPolicy(policy);
}
