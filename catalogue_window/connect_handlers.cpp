// Binds the controls' events to the window's handlers. Every binding enters program code through the error guard, so
// an error raised by a handler ends that handler and is shown by the general error handler: the controls guard the
// callbacks they call from their Qt events, and signals are bound through platform::connectGuarded.
#include <QAction>
#include <QMenu>

#include "catalogue_window/row_slots.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "platform/guarded.h"

using catalogue_window::firstColumnLabel;
using catalogue_window::secondColumnLabel;
using platform::connectGuarded;

void TForm1::connectHandlers()
{
    Image1->OnClick = [this] { Image1Click(); };
    Image2->OnClick = [this] { Image2Click(); };

    ImageGor->OnClick = [this] { ImageGorClick(); };
    ImageObl->OnClick = [this] { ImageOblClick(); };
    Imagerus->OnClick = [this] { ImagerusClick(); };
    ImageMet->OnClick = [this] { ImageMetClick(); };
    ImageArt->OnClick = [this] { ImageArtClick(); };
    const std::pair<controls::PictureControl*, int> hoverAreas[] = {{Image10, catalogue::Cities},
                                                                    {Image11, catalogue::Regions},
                                                                    {Image12, catalogue::Country},
                                                                    {Image13, catalogue::MetroMaps},
                                                                    {Image14, catalogue::Articles}};
    for (const auto& [area, category] : hoverAreas) {
        area->setMouseTracking(true);
        area->OnMouseMove = [this, category](Qt::MouseButtons, QPoint) { CategoryHoverMove(category); };
    }
    for (controls::PictureControl* background : {Image9, Image8}) {
        background->setMouseTracking(true);
        background->OnMouseMove = [this](Qt::MouseButtons, QPoint) { Image9MouseMove(); };
    }

    for (int slot = 1; slot <= catalogue_window::VisibleRows; ++slot) {
        for (controls::TextLabel* label : {Label[firstColumnLabel(slot)], Label[secondColumnLabel(slot)]}) {
            label->OnClick = [this, slot] { LabelClick(slot); };
            label->OnDblClick = [this, slot] { LabelDblClick(slot); };
        }
    }
    // The wheel moves the list wherever the pointer is over the list panel: rows, the gaps between and beside their
    // texts, empty rows and the scroll bar all pass the wheel on to the panel, which hands it to the grid.
    Panel2->installEventFilter(this);
    StringGrid1->OnClick = [this] { StringGrid1Click(); };
    StringGrid1->OnKeyDown = [this](int key) { StringGrid1KeyDown(key); };
    StringGrid1->OnTopLeftChanged = [this] { StringGrid1TopLeftChanged(); };
    connectGuarded(&m_entry, &CurrentEntry::changed, this, &TForm1::showChosenEntry);

    ImagePoNazvaniyu->OnClick = [this] { ImagePoNazvaniyuClick(); };
    ImagePoGodu->OnClick = [this] { ImagePoGoduClick(); };
    ImagePoKa4estvy->OnClick = [this] { ImagePoKa4estvyClick(); };

    ImageMap->OnClick = [this] { ImageMapClick(); };
    ImageMap->setMouseTracking(true);
    ImageMap->OnMouseMove = [this](Qt::MouseButtons, QPoint) { ImageMapMouseMove(); };

    for (int n = catalogue_window::FirstLinkRow; n <= catalogue_window::LastLinkRow; ++n) {
        Label[n]->OnClick = [this, n] { LinkRowClick(n); };
        Label[n]->OnMouseMove = [this, n] { LinkRowMouseMove(n); };
        Label[n]->installEventFilter(this);
    }

    Image4->OnClick = [this] { Image4Click(); };
    Image6->OnClick = [this] { ImageAboutClick(); };

    connectGuarded(bvnnhgn1, &QAction::triggered, this, &TForm1::bvnnhgn1Click);
    connectGuarded(gnhgnhg1, &QAction::triggered, this, &TForm1::gnhgnhg1Click);
    connectGuarded(oiloiloi1, &QAction::triggered, this, &TForm1::oiloiloi1Click);
    connectGuarded(N1, &QAction::triggered, this, &TForm1::N1Click);
    connectGuarded(N2, &QAction::triggered, this, &TForm1::N2Click);
    for (QWidget* owner : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(ImageMap)}) {
        connectGuarded(owner, &QWidget::customContextMenuRequested, this, [this, owner](const QPoint& pos) {
            if (m_popupAttached)
                PopupMenu1->popup(owner->mapToGlobal(pos));
        });
    }
}

void TForm1::setPopupAttached(bool attached)
{
    m_popupAttached = attached;
    const Qt::ContextMenuPolicy policy = attached ? Qt::CustomContextMenu : Qt::PreventContextMenu;
    Panel3->setContextMenuPolicy(policy);
    ImageMap->setContextMenuPolicy(policy);
}
