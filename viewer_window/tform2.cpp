// Construction and layout of the viewer window: its controls are built from its control table
// (window_layout/viewer_controls.cpp); what the table does not say about a control is set here.
#include "viewer_window/tform2.h"

#include <QAction>
#include <QMenu>
#include <QPalette>
#include <QProgressBar>
#include <QResizeEvent>

#include "controls/control_builder.h"
#include "controls/fonts.h"
#include "controls/picture_control.h"
#include "controls/progress_bar.h"
#include "controls/text_label.h"
#include "current_entry/current_entry.h"
#include "desktop/guarded.h"
#include "viewer_window/detail_tiles.h"
#include "viewer_window/navigator.h"
#include "viewer_window/scroll_box.h"
#include "window_layout/viewer_controls.h"

QPointer<TForm2> Form2;

namespace {

/// The control bar: a panel with a raised one-pixel bevel, light top and left, shadow bottom and right, in the
/// colours of the design.
QWidget* raisedPanel(QWidget* parent, QColor colour)
{
    auto* panel = new controls::Panel(parent, colour);
    QPalette bevel = panel->palette();
    bevel.setColor(QPalette::Light, QColor(255, 255, 255));
    bevel.setColor(QPalette::Dark, QColor(128, 128, 128));
    panel->setPalette(bevel);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    return panel;
}

} // namespace

TForm2::TForm2(CurrentEntry& entry, loading::Loader& loader, QWidget& catalogueWindow)
    : QWidget(&catalogueWindow), m_entry(entry), m_catalogueWindow(catalogueWindow), m_loader(loader)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFocusPolicy(Qt::StrongFocus);
    const window_layout::WindowRow& window = window_layout::viewerWindow();
    setFont(controls::designFont(window.fontHeight));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, window.colour);
    setPalette(colours);
    setAutoFillBackground(true);
    setCursor(Qt::WaitCursor);
    resize(window.size);

    createControls();
    connectHandlers();
    connectAccessibility();
    // The reduced copies and the picture's pages are jobs of the program's pool, which outlives the window.
    mapPicture->setWorkPool(&m_loader.pool());
    layoutControls();
    FormCreate();
}

TForm2::~TForm2() = default;

std::span<const controls::ControlTie<TForm2>> TForm2::controlTies()
{
    using controls::tie;
    static constexpr controls::ControlTie<TForm2> ties[] = {
        tie<&TForm2::mapView>("ScrollBox1"),
        tie<&TForm2::mapPicture>("Image1"),
        tie<&TForm2::progressBar>("ProgressBar1"),
        tie<&TForm2::mapNavigator>("MapNavigator"),
        tie<&TForm2::mapDetail>("MapDetail"),
        tie<&TForm2::titleStrip>("Panel1"),
        tie<&TForm2::titleBackground>("Image2"),
        tie<&TForm2::minimiseButton>("Imagesvernut"),
        tie<&TForm2::closeButton>("Imagezakryt"),
        tie<&TForm2::controlBar>("Panel2"),
        tie<&TForm2::controlBarBackground>("niz"),
        tie<&TForm2::fileSizeCaption>("Label2"),
        tie<&TForm2::fileSizeLabel>("LabelSize"),
        tie<&TForm2::dimensionsCaption>("Label4"),
        tie<&TForm2::dimensionsLabel>("LabelDimention"),
        tie<&TForm2::previousButton>("prev1"),
        tie<&TForm2::previousHover>("prev2"),
        tie<&TForm2::nextButton>("ff1"),
        tie<&TForm2::nextHover>("ff2"),
        tie<&TForm2::zoomInButton>("Imageplus"),
        tie<&TForm2::zoomInHover>("Imageplus2"),
        tie<&TForm2::zoomOutButton>("Imageminus"),
        tie<&TForm2::zoomOutHover>("Imageminus2"),
        tie<&TForm2::fitButton>("Imagenaekran"),
        tie<&TForm2::fitHover>("Imagenaekran2"),
        tie<&TForm2::actualSizeButton>("Imageistinnyy"),
        tie<&TForm2::actualSizeHover>("Imageistinnyy2"),
        tie<&TForm2::titleAndYearLabel>("LabelMestoGod"),
    };
    return ties;
}

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
        } else if (row.name == "MapNavigator") {
            auto* picture = qobject_cast<controls::PictureControl*>(built.control(QStringLiteral("Image1")));
            made = new viewer::Navigator(*box, *picture, row.colour);
        } else if (row.name == "MapDetail") {
            auto* picture = qobject_cast<controls::PictureControl*>(built.control(QStringLiteral("Image1")));
            made = new viewer::DetailTiles(m_loader, *picture);
        } else if (row.name == "Panel2") {
            made = raisedPanel(parent, row.colour);
            made->setGeometry(row.place);
        }
        return made;
    });
    built.assign<TForm2>(*this, controlTies());

    mapPicture->setAutoSize(true);
    mapPicture->setContextMenuPolicy(Qt::CustomContextMenu);
    mapView->setScrolledChild(mapPicture);
    for (QWidget* w : std::initializer_list<QWidget*>{mapPicture, titleBackground, controlBarBackground, minimiseButton,
                                                      closeButton, previousButton, previousHover, nextButton, nextHover,
                                                      zoomInButton, zoomInHover, zoomOutButton, zoomOutHover, fitButton,
                                                      fitHover, actualSizeButton, actualSizeHover})
        w->setMouseTracking(true);

    pictureMenu = new QMenu(this);
    openWithViewerAction = pictureMenu->addAction(QStringLiteral("Открыть с помощью просмотрщика"));
    openWithViewerAction->setVisible(false);
    saveMapAction = pictureMenu->addAction(QStringLiteral("Сохранить в файл..."));
    copyFileAction = pictureMenu->addAction(QStringLiteral("Копировать файл"));
    closeWindowAction = pictureMenu->addAction(QStringLiteral("Закрыть окно"));
}

void TForm2::connectHandlers()
{
    // Every event of the controls and every signal is bound through the guard here; the bindings are direct, so the
    // handlers of one event run at once, in the order they are bound.
    using controls::PictureControl;
    desktop::connectGuarded(mapPicture, &PictureControl::mousePressed, this, &TForm2::pictureMouseDown);
    desktop::connectGuarded(mapPicture, &PictureControl::mouseMoved, this, &TForm2::pictureMouseMove);
    desktop::connectGuarded(mapPicture, &PictureControl::mouseReleased, this, &TForm2::pictureMouseUp);
    desktop::connectGuarded(mapView, &ScrollBox::mousePressed, this, &TForm2::pictureMouseDown);
    desktop::connectGuarded(mapView, &ScrollBox::mouseReleased, this, &TForm2::pictureMouseUp);
    desktop::connectGuarded(mapPicture, &QWidget::customContextMenuRequested, this,
                            [this](QPoint pos) { pictureMenu->popup(mapPicture->mapToGlobal(pos)); });

    desktop::connectGuarded(titleBackground, &PictureControl::mouseMoved, this, &TForm2::titleStripMouseMove);
    desktop::connectGuarded(controlBarBackground, &PictureControl::mouseMoved, this, &TForm2::controlBarMouseMove);
    desktop::connectGuarded(minimiseButton, &PictureControl::clicked, this, &TForm2::minimiseProgram);
    desktop::connectGuarded(closeButton, &PictureControl::clicked, this, &TForm2::closeViewer);

    struct Button
    {
        controls::PictureControl* plain;
        controls::PictureControl* hover;
        void (TForm2::*click)();
    };
    const Button buttons[] = {
        {previousButton, previousHover, &TForm2::stepToPrevious},
        {nextButton, nextHover, &TForm2::stepToNext},
        {zoomInButton, zoomInHover, &TForm2::zoomIn},
        {zoomOutButton, zoomOutHover, &TForm2::zoomOut},
        {fitButton, fitHover, &TForm2::fitToScreen},
        {actualSizeButton, actualSizeHover, &TForm2::showActualSize},
    };
    for (const Button& button : buttons) {
        desktop::connectGuarded(button.plain, &PictureControl::clicked, this, button.click);
        desktop::connectGuarded(button.hover, &PictureControl::clicked, this, button.click);
        desktop::connectGuarded(button.plain, &PictureControl::mouseMoved, this,
                                [this, hover = button.hover] { showHoverImage(hover); });
    }

    desktop::connectGuarded(saveMapAction, &QAction::triggered, this, &TForm2::saveMap);
    desktop::connectGuarded(copyFileAction, &QAction::triggered, this, &TForm2::copyMapFile);
    desktop::connectGuarded(closeWindowAction, &QAction::triggered, this, &TForm2::closeViewer);
    desktop::connectGuarded(&m_entry, &CurrentEntry::changed, this, &TForm2::showEntry);
    // The window shows its document as it changes.
    desktop::connectGuarded(&m_document, &viewer::MapDocument::pictureReplaced, this, &TForm2::showPictureOfDocument);
    desktop::connectGuarded(&m_document, &viewer::MapDocument::changed, this, &TForm2::showDocument);
    desktop::connectGuarded(&m_document, &viewer::MapDocument::partDecoded, this,
                            [this](const QRect& written) { showDecodedPart(written); });
    desktop::connectGuarded(&m_document, &viewer::MapDocument::opened, this, &TForm2::showOpenedMap);
    desktop::connectGuarded(&m_document, &viewer::MapDocument::failed, this, &TForm2::reportFailedOpening);
}

void TForm2::layoutControls()
{
    // The title strip and the control bar keep their heights; the view takes the rest.
    const int w = width();
    const int h = height();
    const int titleHeight = window_layout::viewerControl("Panel1").place.height();
    const int barHeight = window_layout::viewerControl("Panel2").place.height();
    titleStrip->setGeometry(0, 0, w, titleHeight);
    titleBackground->setGeometry(0, 0, w, titleHeight);
    controlBar->setGeometry(0, h - barHeight, w, barHeight);
    mapView->setGeometry(0, titleHeight, w, std::max(0, h - titleHeight - barHeight));
    if (m_windowButtonsPlaced)
        placeWindowButtons();
}

void TForm2::placeWindowButtons()
{
    // The window buttons keep their design places until the window is opened; then they follow the strip's right
    // edge as their rows say.
    for (controls::PictureControl* button : {minimiseButton, closeButton}) {
        const window_layout::ControlRow& row = window_layout::viewerControl(button->objectName().toStdString());
        button->move(titleStrip->width() - row.rightAnchor, row.place.top());
    }
    m_windowButtonsPlaced = true;
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutControls();
}
