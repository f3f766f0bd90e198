// Construction and layout of the viewer window: every control in its place, size, font, colour and stacking.
#include "viewer_window/tform2.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QProgressBar>
#include <QResizeEvent>

#include "controls/picture_control.h"
#include "controls/progress_bar.h"
#include "controls/text_label.h"
#include "platform/guarded.h"
#include "platform/fonts.h"
#include "viewer_window/scroll_box.h"

QPointer<TForm2> Form2;

namespace {

const QColor WindowColour(200, 156, 91);
const QColor ViewColour(225, 207, 174);
const QColor BarColour(141, 39, 0);
constexpr int TitleHeight = 20;
constexpr int BarHeight = 44;

/// Artwork of the viewer; a null picture (nothing drawn) while the resource is missing.
QImage artwork(const char* name)
{
    return QImage(QStringLiteral(":/artwork/viewer/") + QLatin1String(name));
}

controls::TextLabel* makeLabel(QWidget* parent, QPoint at, int pixelHeight, bool bold, const QString& text)
{
    auto* label = new controls::TextLabel(parent);
    label->setFontSpec(pixelHeight, bold);
    label->setTextColour(Qt::white);
    label->setCaption(text);
    label->move(at);
    return label;
}

controls::PictureControl* makeButton(QWidget* parent, QRect place, const char* picture)
{
    auto* button = new controls::PictureControl(parent);
    if (picture)
        button->setPicture(artwork(picture));
    button->setGeometry(place);
    button->setCursor(Qt::PointingHandCursor);
    button->setMouseTracking(true);
    return button;
}

/// The control bar: a panel with a raised one-pixel bevel (light top and left, shadow bottom and right).
class RaisedPanel : public controls::Panel
{
public:
    RaisedPanel(QWidget* parent, QColor colour) : controls::Panel(parent, colour) {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        controls::Panel::paintEvent(event);
        QPainter painter(this);
        const QRect r = rect().adjusted(0, 0, -1, -1);
        painter.setPen(QColor(255, 255, 255));
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    }
};

} // namespace

TForm2::TForm2(CatalogueSelection& form1, QWidget* parent) : QWidget(parent), form1(form1)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    setFont(platform::designFont(11));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, WindowColour);
    setPalette(colours);
    setAutoFillBackground(true);
    setCursor(Qt::WaitCursor);
    resize(800, 547);

    createControls();
    connectHandlers();
    layoutControls();
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::createControls()
{
    ScrollBox1 = new ScrollBox(this);
    QPalette viewColours = ScrollBox1->viewport()->palette();
    viewColours.setColor(QPalette::Window, ViewColour);
    viewColours.setColor(QPalette::Base, ViewColour);
    ScrollBox1->viewport()->setPalette(viewColours);
    ScrollBox1->setGeometry(0, TitleHeight, 800, 483);

    Image1 = new controls::PictureControl(ScrollBox1->content());
    Image1->setGeometry(0, 0, 737, 337);
    Image1->setAutoSize(true);
    Image1->setMouseTracking(true);
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    ScrollBox1->setScrolledChild(Image1);

    auto* progressBar = new controls::ProgressBar;
    progressBar->setBorderWidth(3);
    ProgressBar1 = progressBar;
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ScrollBox1->setTopBar(ProgressBar1, 25, 1024);

    Panel1 = new controls::Panel(this, WindowColour);
    Panel1->setGeometry(0, 0, 800, TitleHeight);
    Image2 = new controls::PictureControl(Panel1);
    Image2->setPicture(artwork("Image2.png"));
    Image2->setStretch(true);
    Image2->setGeometry(0, 0, 800, TitleHeight);
    Image2->setMouseTracking(true);
    Imagesvernut = makeButton(Panel1, QRect(752, 0, 21, 20), "Imagesvernut.png");
    Imagezakryt = makeButton(Panel1, QRect(773, 0, 20, 20), "Imagezakryt.png");

    createControlBar();

    PopupMenu1 = new QMenu(this);
    gnhgnhg1 = PopupMenu1->addAction(QStringLiteral("Открыть с помощью просмотрщика"));
    gnhgnhg1->setVisible(false);
    oiloiloi1 = PopupMenu1->addAction(QStringLiteral("Сохранить в файл..."));
    N1 = PopupMenu1->addAction(QStringLiteral("Копировать файл"));
    N2 = PopupMenu1->addAction(QStringLiteral("Закрыть окно"));
}

void TForm2::createControlBar()
{
    Panel2 = new RaisedPanel(this, BarColour);
    Panel2->setGeometry(0, 503, 800, BarHeight);

    // The bar's artwork keeps its natural 800 pixels; wider bars show the panel's colour, which is its ground.
    niz = new controls::PictureControl(Panel2);
    niz->setPicture(artwork("niz.png"));
    niz->setGeometry(0, -2, 800, 44);
    niz->setMouseTracking(true);

    Label2 = makeLabel(Panel2, QPoint(5, 22), 15, true, QStringLiteral("Объём файла:"));
    // The value labels stay empty until the open step fills them: the bar shows while a large map decodes.
    LabelSize = makeLabel(Panel2, QPoint(112, 24), 12, false, QString());
    Label4 = makeLabel(Panel2, QPoint(172, 22), 15, true, QStringLiteral("Размер изображения:"));
    LabelDimention = makeLabel(Panel2, QPoint(338, 24), 12, false, QString());

    // Each hover image is created right after its plain button, so it lies over it.
    prev1 = makeButton(Panel2, QRect(483, 9, 29, 27), nullptr);
    prev2 = makeButton(Panel2, QRect(481, 5, 32, 33), "prev2.png");
    ff1 = makeButton(Panel2, QRect(525, 9, 29, 27), nullptr);
    ff2 = makeButton(Panel2, QRect(523, 5, 32, 34), "ff2.png");
    Imageplus = makeButton(Panel2, QRect(569, 7, 36, 34), nullptr);
    Imageplus2 = makeButton(Panel2, QRect(568, 5, 33, 33), "Imageplus2.png");
    Imageminus = makeButton(Panel2, QRect(613, 6, 36, 34), nullptr);
    Imageminus2 = makeButton(Panel2, QRect(612, 5, 34, 33), "Imageminus2.png");
    Imagenaekran = makeButton(Panel2, QRect(665, 7, 35, 33), nullptr);
    Imagenaekran2 = makeButton(Panel2, QRect(663, 5, 37, 33), "Imagenaekran2.png");
    Imageistinnyy = makeButton(Panel2, QRect(719, 7, 37, 32), nullptr);
    Imageistinnyy2 = makeButton(Panel2, QRect(718, 5, 38, 33), "Imageistinnyy2.png");
    Imageplus->hide();
    hideHoverImages();

    LabelMestoGod = new controls::TextLabel(Panel2);
    LabelMestoGod->setFontSpec(12, true);
    LabelMestoGod->setTextColour(Qt::white);
    LabelMestoGod->setFixedBox(QSize(468, 15), true);
    LabelMestoGod->move(5, 5);
}

void TForm2::connectHandlers()
{
    // The controls and the scroll box guard the callbacks they call from their Qt events; signals are bound through
    // the guard here.
    Image1->OnMouseDown = [this](Qt::MouseButton b, QPoint p) { Image1MouseDown(b, p); };
    Image1->OnMouseMove = [this](Qt::MouseButtons b, QPoint p) { Image1MouseMove(b, p); };
    Image1->OnMouseUp = [this](Qt::MouseButton b, QPoint p) { Image1MouseUp(b, p); };
    ScrollBox1->OnMouseDown = [this](Qt::MouseButton b, QPoint p) { Image1MouseDown(b, p); };
    ScrollBox1->OnMouseUp = [this](Qt::MouseButton b, QPoint p) { Image1MouseUp(b, p); };
    platform::connectGuarded(Image1, &QWidget::customContextMenuRequested, this,
                             [this](QPoint pos) { PopupMenu1->popup(Image1->mapToGlobal(pos)); });

    Image2->OnMouseMove = [this](Qt::MouseButtons, QPoint) { Image2MouseMove(); };
    niz->OnMouseMove = [this](Qt::MouseButtons, QPoint) { nizMouseMove(); };
    Imagesvernut->OnClick = [this] { ImagesvernutClick(); };
    Imagezakryt->OnClick = [this] { ImagezakrytClick(); };

    struct Button
    {
        controls::PictureControl* plain;
        controls::PictureControl* hover;
        void (TForm2::*click)();
    };
    const Button buttons[] = {
        {prev1, prev2, &TForm2::prev2Click},
        {ff1, ff2, &TForm2::ff1Click},
        {Imageplus, Imageplus2, &TForm2::ImageplusClick},
        {Imageminus, Imageminus2, &TForm2::ImageminusClick},
        {Imagenaekran, Imagenaekran2, &TForm2::ImagenaekranClick},
        {Imageistinnyy, Imageistinnyy2, &TForm2::ImageistinnyyClick},
    };
    for (const Button& button : buttons) {
        const auto click = [this, handler = button.click] { (this->*handler)(); };
        button.plain->OnClick = click;
        button.hover->OnClick = click;
        button.plain->OnMouseMove = [this, hover = button.hover](Qt::MouseButtons, QPoint) {
            PlainButtonMouseMove(hover);
        };
    }

    platform::connectGuarded(oiloiloi1, &QAction::triggered, this, &TForm2::oiloiloi1Click);
    platform::connectGuarded(N1, &QAction::triggered, this, &TForm2::N1Click);
    platform::connectGuarded(N2, &QAction::triggered, this, &TForm2::N2Click);
}

void TForm2::layoutControls()
{
    const int w = width();
    const int h = height();
    Panel1->setGeometry(0, 0, w, TitleHeight);
    Image2->setGeometry(0, 0, w, TitleHeight);
    Panel2->setGeometry(0, h - BarHeight, w, BarHeight);
    ScrollBox1->setGeometry(0, TitleHeight, w, std::max(0, h - TitleHeight - BarHeight));
    if (m_windowButtonsPlaced)
        placeWindowButtons();
}

void TForm2::placeWindowButtons()
{
    Imagesvernut->move(Panel1->width() - 41, 0);
    Imagezakryt->move(Panel1->width() - 20, 0);
    m_windowButtonsPlaced = true;
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}
