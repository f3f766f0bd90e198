// Creates every control of the catalogue window in its place, in creation order: among siblings a later control
// lies on top of an earlier one, and the panels lie on top of the pictures and labels drawn on their parent.
#include <QLineEdit>
#include <QMenu>

#include "catalogue_window/control_factory.h"
#include "catalogue_window/tform1.h"
#include "controls/picture_control.h"
#include "controls/skin_scroll_bar.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "platform/fonts.h"

using namespace catalogue_window;
using controls::PictureControl;
using controls::TextLabel;

namespace {

const QColor Parchment(211, 206, 176);
const QColor DarkRed(139, 38, 0);
const QColor StripeRed(223, 0, 41);

/// Top of list slot 1..29: 15 pixels between slots 1, 2 and 3, 16 from there on.
int slotTop(int slot)
{
    return slot <= 3 ? 5 + 15 * (slot - 1) : 51 + 16 * (slot - 4);
}

/// Controls lying directly on the window are part of its drag surface: the mouse passes through them.
void makeDragSurface(QWidget* widget)
{
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace

void TForm1::createControls()
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Каталог старинных карт"));
    setFixedSize(800, 601);
    move(143, 90);
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, WindowColour);
    setPalette(windowPalette);
    setFont(platform::designFont(11));

    // Directly on the window.
    Image5 = makePicture(this, QRect(0, 61, 800, 540), QStringLiteral("Image5"), Parchment);
    Image3 = makePicture(this, QRect(0, 0, 239, 62), QStringLiteral("Image3"), StripeRed);
    LabelOpisNadpis = makeLabel(this, 361, 425, 11, true, CaptionColour, QStringLiteral("Описание:"));
    Labelopis = makeLabel(this, 361, 439, 11, false, ValueColour, QString());
    Labelopis->setFixedBox(QSize(282, 137), true);
    Label223 = makeLabel(this, 361, 376, 11, true, CaptionColour, QStringLiteral("Размер изображения"));
    Label223->hide();
    LabelDimention = makeLabel(this, 490, 366, 11, false, CaptionColour, QStringLiteral("LabelDimention"));
    LabelDimention->hide();
    const QRect starRects[6] = {{}, {657, 383, 19, 20}, {675, 383, 20, 20}, {694, 383, 20, 20}, {711, 383, 20, 20},
                                {730, 384, 19, 17}};
    for (int n = 1; n <= 5; ++n) {
        ImageZvezda[n] = makePicture(this, starRects[n], QStringLiteral("ImageZvezda%1").arg(n), QColor(150, 0, 24));
        ImageZvezda[n]->hide();
    }
    Labelavtor = makeLabel(this, 406, 407, 11, false, ValueColour, QString());
    Labelavtor->setFixedBox(QSize(363, 14), true);
    LabelAvtorNadpis = makeLabel(this, 361, 407, 11, true, CaptionColour, QStringLiteral("Автор:"));
    Label1000 = makeLabel(this, 361, 390, 11, true, CaptionColour, QStringLiteral("Объём файла:"));
    LabelSize = makeLabel(this, 451, 390, 11, false, ValueColour, QString());
    for (QWidget* w : std::initializer_list<QWidget*>{Image5, Image3, LabelOpisNadpis, Labelopis, Label223,
                                                      LabelDimention, Labelavtor, LabelAvtorNadpis, Label1000,
                                                      LabelSize})
        makeDragSurface(w);
    for (int n = 1; n <= 5; ++n)
        makeDragSurface(ImageZvezda[n]);
    for (int n = 30; n <= 41; ++n)
        Label[n] = makeLabel(this, 362, 384 + 16 * (n - 30), 13, false, RowNormalColour, QString());

    // Panel6 lies beneath the preview panel at the same place: its picture and rows are never seen.
    Panel6 = makePanel(this, QRect(362, 77, 397, 297), PreviewPanelColour);
    Image7 = makePicture(Panel6, QRect(0, 0, 397, 297), QStringLiteral("Image7"), Parchment);
    const int panel6Rows[] = {42, 43, 44, 45, 47, 46};
    const int panel6Tops[] = {192, 208, 224, 240, 256, 272};
    for (int i = 0; i < 6; ++i) {
        const int n = panel6Rows[i];
        Label[n] = makeLabel(Panel6, 2, panel6Tops[i], 13, false, RowNormalColour, QString());
        if (n <= 45)
            Label[n]->hide();
    }

    // The top bar: the painted tabs, their hover areas and lit copies, minimise and close.
    Panel1 = makePanel(this, QRect(230, 0, 570, 61), TopBarColour);
    Image9 = makePicture(Panel1, QRect(0, 0, 570, 61), QStringLiteral("Image9"), StripeRed);
    Image10 = makePicture(Panel1, QRect(25, 7, 52, 44));
    Image11 = makePicture(Panel1, QRect(113, 6, 60, 47));
    Image12 = makePicture(Panel1, QRect(201, 6, 60, 47));
    Image13 = makePicture(Panel1, QRect(297, 6, 65, 47));
    Image14 = makePicture(Panel1, QRect(411, 6, 48, 44));
    Image1 = makePicture(Panel1, QRect(533, 9, 15, 15));
    Image2 = makePicture(Panel1, QRect(551, 8, 14, 15));
    ImageObl = makePicture(Panel1, QRect(108, 7, 63, 44), QStringLiteral("ImageObl"), DarkRed);
    Imagerus = makePicture(Panel1, QRect(201, 7, 53, 44), QStringLiteral("Imagerus"), DarkRed);
    ImageMet = makePicture(Panel1, QRect(284, 7, 93, 44), QStringLiteral("ImageMet"), DarkRed);
    ImageArt = makePicture(Panel1, QRect(408, 7, 48, 44), QStringLiteral("ImageArt"), DarkRed);
    ImageGor = makePicture(Panel1, QRect(25, 7, 52, 44), QStringLiteral("ImageGor"), DarkRed);
    for (PictureControl* p : {Image10, Image11, Image12, Image13, Image14, Image1, Image2, ImageObl, Imagerus,
                              ImageMet, ImageArt, ImageGor})
        p->setCursor(Qt::PointingHandCursor);
    for (PictureControl* p : {ImageObl, Imagerus, ImageMet, ImageArt})
        p->hide();

    // The list: background with the ordering bar, the ordering areas, 58 row labels, the hidden grid and its bar.
    Panel2 = makePanel(this, QRect(36, 76, 312, 491), ListPanelColour);
    Image8 = makePicture(Panel2, QRect(0, 0, 312, 491), QStringLiteral("Image8"), Parchment);
    ImagePoNazvaniyu = makePicture(Panel2, QRect(58, 475, 61, 13));
    ImagePoGodu = makePicture(Panel2, QRect(124, 474, 32, 14));
    ImagePoKa4estvy = makePicture(Panel2, QRect(163, 474, 124, 14));
    for (PictureControl* p : {ImagePoNazvaniyu, ImagePoGodu, ImagePoKa4estvy})
        p->setCursor(Qt::PointingHandCursor);
    for (int slot = 1; slot <= 29; ++slot) {
        const QColor colour = slot == 1 ? RowHighlightColour : RowNormalColour;
        for (int n : {slot, slot + 47}) {
            auto* label = new TextLabel(Panel2);
            label->move(n == slot ? 4 : 220, slotTop(slot));
            label->setFontSpec(13, false, slot == 1);
            label->setTextColour(colour);
            if (n == slot)
                label->setMaxTextWidth(300);
            // The rows stay empty until the load fills them: a design caption would show while a large catalogue loads.
            label->setCaption(QString());
            label->setCursor(Qt::PointingHandCursor);
            Label[n] = label;
        }
    }
    StringGrid1 = new controls::StringGrid(Panel2);
    StringGrid1->setGeometry(292, 0, 4, 468);
    StringGrid1->setRowCount(55);
    bsSkinScrollBar1 = new controls::SkinScrollBar(Panel2);
    bsSkinScrollBar1->setGeometry(298, 3, 13, 467);
    bsSkinScrollBar1->setCursor(Qt::PointingHandCursor);
    StringGrid1->setScrollBar(bsSkinScrollBar1);
    bsSkinScrollBar1->setGrid(StringGrid1);

    // The preview.
    Panel3 = makePanel(this, QRect(362, 77, 398, 298), PreviewPanelColour);
    ImageMap = makePicture(Panel3, QRect(0, 0, 396, 296));
    ImageMap->setProportional(true);
    ImageMap->setCenter(true);
    ImageMap->setCursor(Qt::PointingHandCursor);

    Edit1 = new QLineEdit(this);
    Edit1->setGeometry(360, 573, 273, 21);
    Edit1->hide();

    Panel4 = makePanel(this, QRect(661, 546, 115, 32), DarkRed);
    Image4 = makePicture(Panel4, QRect(0, 0, 115, 32), QStringLiteral("Image4"), DarkRed);
    Image4->setCursor(Qt::PointingHandCursor);
    Panel5 = makePanel(this, QRect(42, 584, 39, 12), DarkRed);
    Image6 = makePicture(Panel5, QRect(0, 0, 39, 12), QStringLiteral("Image6"), DarkRed);
    Image6->setCursor(Qt::PointingHandCursor);

    PopupMenu1 = new QMenu(this);
    bvnnhgn1 = PopupMenu1->addAction(QStringLiteral("Открыть в новом окне"));
    gnhgnhg1 = PopupMenu1->addAction(QStringLiteral("Открыть с помощью просмотрщика"));
    gnhgnhg1->setVisible(false);
    oiloiloi1 = PopupMenu1->addAction(QStringLiteral("Сохранить в файл..."));
    N1 = PopupMenu1->addAction(QStringLiteral("Копировать файл"));
    N2 = PopupMenu1->addAction(QStringLiteral("Закрыть окно"));

    showInitialPreview();
}
