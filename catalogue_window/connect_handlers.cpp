// Binds the controls' events to the window's handlers. Every binding enters program code through the error guard, so
// an error raised by a handler ends that handler and is shown by the general error handler: the controls guard the
// callbacks they call from their Qt events, and signals are bound through desktop::connectGuarded.
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
using desktop::connectGuarded;

void TForm1::connectHandlers()
{
    minimiseButton->OnClick = [this] { minimiseProgram(); };
    closeButton->OnClick = [this] { closeWindow(); };

    citiesTab->OnClick = [this] { ImageGorClick(); };
    regionsTab->OnClick = [this] { ImageOblClick(); };
    countryTab->OnClick = [this] { ImagerusClick(); };
    metroTab->OnClick = [this] { ImageMetClick(); };
    articlesTab->OnClick = [this] { ImageArtClick(); };
    const std::pair<controls::PictureControl*, int> hoverAreas[] = {{citiesHoverArea, catalogue::Cities},
                                                                    {regionsHoverArea, catalogue::Regions},
                                                                    {countryHoverArea, catalogue::Country},
                                                                    {metroHoverArea, catalogue::MetroMaps},
                                                                    {articlesHoverArea, catalogue::Articles}};
    for (const auto& [area, category] : hoverAreas) {
        area->setMouseTracking(true);
        area->OnMouseMove = [this, category](Qt::MouseButtons, QPoint) { CategoryHoverMove(category); };
    }
    for (controls::PictureControl* background : {topBarBackground, listBackground}) {
        background->setMouseTracking(true);
        background->OnMouseMove = [this](Qt::MouseButtons, QPoint) { backgroundMouseMove(); };
    }

    for (int slot = 1; slot <= catalogue_window::VisibleRows; ++slot) {
        for (controls::TextLabel* label : {Label[firstColumnLabel(slot)], Label[secondColumnLabel(slot)]}) {
            label->OnClick = [this, slot] { rowClick(slot); };
            label->OnDblClick = [this, slot] { rowDoubleClick(slot); };
        }
    }
    // The wheel moves the list wherever the pointer is over the list panel: rows, the gaps between and beside their
    // texts, empty rows and the scroll bar all pass the wheel on to the panel, which hands it to the grid.
    listPanel->installEventFilter(this);
    // The grid keeps neither the list's texts nor its current row: it reads the texts from the tables and the row
    // from the chosen entry, and moves the entry when the user moves the row.
    listGrid->setCellSource([this](int column, int row) { return listText(column, row); });
    listGrid->bindRow([this] { return m_entry.row(); }, [this](int row) { m_entry.setRow(row); });
    listGrid->OnClick = [this] { StringGrid1Click(); };
    listGrid->OnKeyDown = [this](int key) { StringGrid1KeyDown(key); };
    listGrid->OnTopLeftChanged = [this] { StringGrid1TopLeftChanged(); };
    connectGuarded(&m_entry, &CurrentEntry::changed, this, &TForm1::showChosenEntry);

    byNameButton->OnClick = [this] { ImagePoNazvaniyuClick(); };
    byYearButton->OnClick = [this] { ImagePoGoduClick(); };
    byQualityButton->OnClick = [this] { ImagePoKa4estvyClick(); };

    previewPicture->OnClick = [this] { ImageMapClick(); };
    previewPicture->setMouseTracking(true);
    previewPicture->OnMouseMove = [this](Qt::MouseButtons, QPoint) { previewMouseMove(); };

    for (int n = catalogue_window::FirstLinkRow; n <= catalogue_window::LastLinkRow; ++n) {
        Label[n]->OnClick = [this, n] { LinkRowClick(n); };
        Label[n]->OnMouseMove = [this, n] { LinkRowMouseMove(n); };
        Label[n]->installEventFilter(this);
    }

    publisherLogo->OnClick = [this] { openPublisherSite(); };
    aboutButton->OnClick = [this] { ImageAboutClick(); };

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
