// Construction and layout of the viewer window: its controls are built from its control table
// (window_layout/viewer_controls.cpp); what the table does not say about a control is set here.
#include "viewer_window/tform2.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPalette>
#include <QProgressBar>
#include <QResizeEvent>

#include "controls/control_builder.h"
#include "controls/picture_control.h"
#include "controls/progress_bar.h"
#include "controls/text_label.h"
#include "current_entry/current_entry.h"
#include "platform/fonts.h"
#include "platform/guarded.h"
#include "viewer_window/scroll_box.h"
#include "window_layout/viewer_controls.h"

QPointer<TForm2> Form2;

namespace {

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

TForm2::TForm2(CurrentEntry& entry, QWidget& catalogueWindow)
    : QWidget(&catalogueWindow), m_entry(entry), m_catalogueWindow(catalogueWindow)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    const window_layout::WindowRow& window = window_layout::viewerWindow();
    setFont(platform::designFont(window.fontHeight));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, window.colour);
    setPalette(colours);
    setAutoFillBackground(true);
    setCursor(Qt::WaitCursor);
    resize(window.size);

    createControls();
    connectHandlers();
    layoutControls();
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::createControls()
{
    controls::ControlBuilder built(this, QStringLiteral(":/artwork/viewer"));
    ScrollBox* box = nullptr;
    built.build(window_layout::viewerControls(), [&](const window_layout::ControlRow& row, QWidget* parent) {
        QWidget* made = nullptr;
        if (row.name == "ScrollBox1") {
            box = new ScrollBox(parent);
            QPalette viewColours = box->viewport()->palette();
            viewColours.setColor(QPalette::Window, row.colour);
            viewColours.setColor(QPalette::Base, row.colour);
            box->viewport()->setPalette(viewColours);
            box->setGeometry(row.place);
            built.placeChildrenIn(QStringLiteral("ScrollBox1"), box->content());
            made = box;
        } else if (row.name == "ProgressBar1") {
            auto* bar = new controls::ProgressBar;
            bar->setBorderWidth(3);
            bar->setRange(0, 100);
            bar->setValue(0);
            bar->setTextVisible(false);
            box->setTopBar(bar, row.place.height(), row.maxWidth);
            made = bar;
        } else if (row.name == "Panel2") {
            made = new RaisedPanel(parent, row.colour);
            made->setGeometry(row.place);
        }
        return made;
    });
    ScrollBox1 = built.get<ScrollBox>(QStringLiteral("ScrollBox1"));
    Image1 = built.get<controls::PictureControl>(QStringLiteral("Image1"));
    ProgressBar1 = built.get<QProgressBar>(QStringLiteral("ProgressBar1"));
    Panel1 = built.get<controls::Panel>(QStringLiteral("Panel1"));
    Image2 = built.get<controls::PictureControl>(QStringLiteral("Image2"));
    Imagesvernut = built.get<controls::PictureControl>(QStringLiteral("Imagesvernut"));
    Imagezakryt = built.get<controls::PictureControl>(QStringLiteral("Imagezakryt"));
    Panel2 = built.get<controls::Panel>(QStringLiteral("Panel2"));
    niz = built.get<controls::PictureControl>(QStringLiteral("niz"));
    Label2 = built.get<controls::TextLabel>(QStringLiteral("Label2"));
    LabelSize = built.get<controls::TextLabel>(QStringLiteral("LabelSize"));
    Label4 = built.get<controls::TextLabel>(QStringLiteral("Label4"));
    LabelDimention = built.get<controls::TextLabel>(QStringLiteral("LabelDimention"));
    prev1 = built.get<controls::PictureControl>(QStringLiteral("prev1"));
    prev2 = built.get<controls::PictureControl>(QStringLiteral("prev2"));
    ff1 = built.get<controls::PictureControl>(QStringLiteral("ff1"));
    ff2 = built.get<controls::PictureControl>(QStringLiteral("ff2"));
    Imageplus = built.get<controls::PictureControl>(QStringLiteral("Imageplus"));
    Imageplus2 = built.get<controls::PictureControl>(QStringLiteral("Imageplus2"));
    Imageminus = built.get<controls::PictureControl>(QStringLiteral("Imageminus"));
    Imageminus2 = built.get<controls::PictureControl>(QStringLiteral("Imageminus2"));
    Imagenaekran = built.get<controls::PictureControl>(QStringLiteral("Imagenaekran"));
    Imagenaekran2 = built.get<controls::PictureControl>(QStringLiteral("Imagenaekran2"));
    Imageistinnyy = built.get<controls::PictureControl>(QStringLiteral("Imageistinnyy"));
    Imageistinnyy2 = built.get<controls::PictureControl>(QStringLiteral("Imageistinnyy2"));
    LabelMestoGod = built.get<controls::TextLabel>(QStringLiteral("LabelMestoGod"));

    Image1->setAutoSize(true);
    Image1->setContextMenuPolicy(Qt::CustomContextMenu);
    ScrollBox1->setScrolledChild(Image1);
    for (QWidget* w : std::initializer_list<QWidget*>{Image1, Image2, niz, Imagesvernut, Imagezakryt, prev1, prev2, ff1,
                                                      ff2, Imageplus, Imageplus2, Imageminus, Imageminus2, Imagenaekran,
                                                      Imagenaekran2, Imageistinnyy, Imageistinnyy2})
        w->setMouseTracking(true);

    PopupMenu1 = new QMenu(this);
    gnhgnhg1 = PopupMenu1->addAction(QStringLiteral("Открыть с помощью просмотрщика"));
    gnhgnhg1->setVisible(false);
    oiloiloi1 = PopupMenu1->addAction(QStringLiteral("Сохранить в файл..."));
    N1 = PopupMenu1->addAction(QStringLiteral("Копировать файл"));
    N2 = PopupMenu1->addAction(QStringLiteral("Закрыть окно"));
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
    platform::connectGuarded(&m_entry, &CurrentEntry::changed, this, &TForm2::showEntry);
}

void TForm2::layoutControls()
{
    // The title strip and the control bar keep their heights; the view takes the rest.
    const int w = width();
    const int h = height();
    const int titleHeight = window_layout::viewerControl("Panel1").place.height();
    const int barHeight = window_layout::viewerControl("Panel2").place.height();
    Panel1->setGeometry(0, 0, w, titleHeight);
    Image2->setGeometry(0, 0, w, titleHeight);
    Panel2->setGeometry(0, h - barHeight, w, barHeight);
    ScrollBox1->setGeometry(0, titleHeight, w, std::max(0, h - titleHeight - barHeight));
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
