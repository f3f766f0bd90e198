// Binds the controls' events to the window's handlers. Every binding enters program code through runGuarded, so an
// error raised by a handler ends that handler and is shown by the general error handler.
#include <QAction>
#include <QMenu>

#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "platform/error_report.h"

using platform::runGuarded;

void TForm1::connectHandlers()
{
    // Controls call these callbacks from their own Qt event handlers, already inside runGuarded.
    Image1->OnClick = [this] { Image1Click(); };
    Image2->OnClick = [this] { Image2Click(); };

    ImageGor->OnClick = [this] { ImageGorClick(); };
    ImageObl->OnClick = [this] { ImageOblClick(); };
    Imagerus->OnClick = [this] { ImagerusClick(); };
    ImageMet->OnClick = [this] { ImageMetClick(); };
    ImageArt->OnClick = [this] { ImageArtClick(); };
    controls::PictureControl* hoverAreas[] = {Image10, Image11, Image12, Image13, Image14};
    for (int category = 1; category <= 5; ++category) {
        hoverAreas[category - 1]->setMouseTracking(true);
        hoverAreas[category - 1]->OnMouseMove = [this, category](Qt::MouseButtons, QPoint) {
            CategoryHoverMove(category);
        };
    }
    for (controls::PictureControl* background : {Image9, Image8}) {
        background->setMouseTracking(true);
        background->OnMouseMove = [this](Qt::MouseButtons, QPoint) { Image9MouseMove(); };
    }

    for (int slot = 1; slot <= 29; ++slot) {
        for (controls::TextLabel* label : {Label[slot], Label[slot + 47]}) {
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

    ImagePoNazvaniyu->OnClick = [this] { ImagePoNazvaniyuClick(); };
    ImagePoGodu->OnClick = [this] { ImagePoGoduClick(); };
    ImagePoKa4estvy->OnClick = [this] { ImagePoKa4estvyClick(); };

    ImageMap->OnClick = [this] { ImageMapClick(); };
    ImageMap->setMouseTracking(true);
    ImageMap->OnMouseMove = [this](Qt::MouseButtons, QPoint) { ImageMapMouseMove(); };

    for (int n = 30; n <= 47; ++n) {
        Label[n]->OnClick = [this, n] { LinkRowClick(n); };
        Label[n]->OnMouseMove = [this, n] { LinkRowMouseMove(n); };
        Label[n]->installEventFilter(this);
    }

    Image4->OnClick = [this] { Image4Click(); };
    Image6->OnClick = [this] { ImageAboutClick(); };

    // Menu items are triggered by Qt directly: guard them here.
    connect(bvnnhgn1, &QAction::triggered, this, [this] { runGuarded([this] { bvnnhgn1Click(); }); });
    connect(gnhgnhg1, &QAction::triggered, this, [this] { runGuarded([this] { gnhgnhg1Click(); }); });
    connect(oiloiloi1, &QAction::triggered, this, [this] { runGuarded([this] { oiloiloi1Click(); }); });
    connect(N1, &QAction::triggered, this, [this] { runGuarded([this] { N1Click(); }); });
    connect(N2, &QAction::triggered, this, [this] { runGuarded([this] { N2Click(); }); });
    for (QWidget* owner : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(ImageMap)}) {
        connect(owner, &QWidget::customContextMenuRequested, this, [this, owner](const QPoint& pos) {
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
