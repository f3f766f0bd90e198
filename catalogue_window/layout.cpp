// Creates every control of the catalogue window from its control table (window_layout/catalogue_controls.cpp), in
// the table's order: among siblings a later control lies on top of an earlier one, and the panels lie on top of the
// pictures and labels drawn on their parent. What the table does not say about a control is set here.
#include <QLineEdit>
#include <QMenu>

#include "catalogue_window/tform1.h"
#include "controls/control_builder.h"
#include "controls/picture_control.h"
#include "controls/skin_scroll_bar.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "platform/fonts.h"
#include "window_layout/catalogue_controls.h"

using controls::PictureControl;
using controls::TextLabel;
using window_layout::ControlRow;

namespace {

/// Controls lying directly on the window are part of its drag surface: the mouse passes through them.
void makeDragSurface(QWidget* widget)
{
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace

void TForm1::createControls()
{
    const window_layout::WindowRow& window = window_layout::catalogueWindow();
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Каталог старинных карт"));
    setFixedSize(window.size);
    move(window.at);
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, window.colour);
    setPalette(windowPalette);
    setFont(platform::designFont(window.fontHeight));

    controls::ControlBuilder built(this, QStringLiteral(":/artwork/catalogue"));
    built.build(window_layout::catalogueControls(), [](const ControlRow& row, QWidget* parent) -> QWidget* {
        if (row.name == "StringGrid1") {
            auto* grid = new controls::StringGrid(parent);
            grid->setGeometry(row.place);
            return grid;
        }
        if (row.name == "bsSkinScrollBar1") {
            auto* bar = new controls::SkinScrollBar(parent);
            bar->setGeometry(row.place);
            return bar;
        }
        if (row.name == "Edit1") {
            auto* edit = new QLineEdit(parent);
            edit->setGeometry(row.place);
            return edit;
        }
        return nullptr;
    });

    Image5 = built.get<PictureControl>(QStringLiteral("Image5"));
    Image3 = built.get<PictureControl>(QStringLiteral("Image3"));
    LabelOpisNadpis = built.get<TextLabel>(QStringLiteral("LabelOpisNadpis"));
    Labelopis = built.get<TextLabel>(QStringLiteral("Labelopis"));
    Label223 = built.get<TextLabel>(QStringLiteral("Label223"));
    LabelDimention = built.get<TextLabel>(QStringLiteral("LabelDimention"));
    for (int n = 1; n <= 5; ++n)
        ImageZvezda[n] = built.get<PictureControl>(QStringLiteral("ImageZvezda%1").arg(n));
    Labelavtor = built.get<TextLabel>(QStringLiteral("Labelavtor"));
    LabelAvtorNadpis = built.get<TextLabel>(QStringLiteral("LabelAvtorNadpis"));
    Label1000 = built.get<TextLabel>(QStringLiteral("Label1000"));
    LabelSize = built.get<TextLabel>(QStringLiteral("LabelSize"));
    for (int n = 1; n <= catalogue_window::LastLabel; ++n)
        Label[n] = built.get<TextLabel>(QStringLiteral("Label%1").arg(n));
    Panel6 = built.get<controls::Panel>(QStringLiteral("Panel6"));
    Image7 = built.get<PictureControl>(QStringLiteral("Image7"));
    Panel1 = built.get<controls::Panel>(QStringLiteral("Panel1"));
    Image9 = built.get<PictureControl>(QStringLiteral("Image9"));
    Image10 = built.get<PictureControl>(QStringLiteral("Image10"));
    Image11 = built.get<PictureControl>(QStringLiteral("Image11"));
    Image12 = built.get<PictureControl>(QStringLiteral("Image12"));
    Image13 = built.get<PictureControl>(QStringLiteral("Image13"));
    Image14 = built.get<PictureControl>(QStringLiteral("Image14"));
    Image1 = built.get<PictureControl>(QStringLiteral("Image1"));
    Image2 = built.get<PictureControl>(QStringLiteral("Image2"));
    ImageObl = built.get<PictureControl>(QStringLiteral("ImageObl"));
    Imagerus = built.get<PictureControl>(QStringLiteral("Imagerus"));
    ImageMet = built.get<PictureControl>(QStringLiteral("ImageMet"));
    ImageArt = built.get<PictureControl>(QStringLiteral("ImageArt"));
    ImageGor = built.get<PictureControl>(QStringLiteral("ImageGor"));
    Panel2 = built.get<controls::Panel>(QStringLiteral("Panel2"));
    Image8 = built.get<PictureControl>(QStringLiteral("Image8"));
    ImagePoNazvaniyu = built.get<PictureControl>(QStringLiteral("ImagePoNazvaniyu"));
    ImagePoGodu = built.get<PictureControl>(QStringLiteral("ImagePoGodu"));
    ImagePoKa4estvy = built.get<PictureControl>(QStringLiteral("ImagePoKa4estvy"));
    StringGrid1 = built.get<controls::StringGrid>(QStringLiteral("StringGrid1"));
    bsSkinScrollBar1 = built.get<controls::SkinScrollBar>(QStringLiteral("bsSkinScrollBar1"));
    Panel3 = built.get<controls::Panel>(QStringLiteral("Panel3"));
    ImageMap = built.get<PictureControl>(QStringLiteral("ImageMap"));
    Edit1 = built.get<QLineEdit>(QStringLiteral("Edit1"));
    Panel4 = built.get<controls::Panel>(QStringLiteral("Panel4"));
    Image4 = built.get<PictureControl>(QStringLiteral("Image4"));
    Panel5 = built.get<controls::Panel>(QStringLiteral("Panel5"));
    Image6 = built.get<PictureControl>(QStringLiteral("Image6"));

    for (QWidget* w :
         std::initializer_list<QWidget*>{Image5, Image3, LabelOpisNadpis, Labelopis, Label223, LabelDimention,
                                         Labelavtor, LabelAvtorNadpis, Label1000, LabelSize})
        makeDragSurface(w);
    for (int n = 1; n <= 5; ++n)
        makeDragSurface(ImageZvezda[n]);

    StringGrid1->setRowCount(55);
    StringGrid1->setScrollBar(bsSkinScrollBar1);
    bsSkinScrollBar1->setGrid(StringGrid1);
    ImageMap->setProportional(true);
    ImageMap->setCenter(true);

    PopupMenu1 = new QMenu(this);
    bvnnhgn1 = PopupMenu1->addAction(QStringLiteral("Открыть в новом окне"));
    gnhgnhg1 = PopupMenu1->addAction(QStringLiteral("Открыть с помощью просмотрщика"));
    gnhgnhg1->setVisible(false);
    oiloiloi1 = PopupMenu1->addAction(QStringLiteral("Сохранить в файл..."));
    N1 = PopupMenu1->addAction(QStringLiteral("Копировать файл"));
    N2 = PopupMenu1->addAction(QStringLiteral("Закрыть окно"));

    showInitialPreview();
}
