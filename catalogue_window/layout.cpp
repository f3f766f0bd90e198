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

    windowBackground = built.get<PictureControl>(QStringLiteral("Image5"));
    titleArtwork = built.get<PictureControl>(QStringLiteral("Image3"));
    descriptionCaption = built.get<TextLabel>(QStringLiteral("LabelOpisNadpis"));
    descriptionLabel = built.get<TextLabel>(QStringLiteral("Labelopis"));
    dimensionsCaption = built.get<TextLabel>(QStringLiteral("Label223"));
    dimensionsLabel = built.get<TextLabel>(QStringLiteral("LabelDimention"));
    for (int n = 1; n <= 5; ++n)
        starPictures[n] = built.get<PictureControl>(QStringLiteral("ImageZvezda%1").arg(n));
    authorLabel = built.get<TextLabel>(QStringLiteral("Labelavtor"));
    authorCaption = built.get<TextLabel>(QStringLiteral("LabelAvtorNadpis"));
    fileSizeCaption = built.get<TextLabel>(QStringLiteral("Label1000"));
    fileSizeLabel = built.get<TextLabel>(QStringLiteral("LabelSize"));
    for (int n = 1; n <= catalogue_window::LastLabel; ++n)
        Label[n] = built.get<TextLabel>(QStringLiteral("Label%1").arg(n));
    linkPanel = built.get<controls::Panel>(QStringLiteral("Panel6"));
    linkPanelBackground = built.get<PictureControl>(QStringLiteral("Image7"));
    topBar = built.get<controls::Panel>(QStringLiteral("Panel1"));
    topBarBackground = built.get<PictureControl>(QStringLiteral("Image9"));
    citiesHoverArea = built.get<PictureControl>(QStringLiteral("Image10"));
    regionsHoverArea = built.get<PictureControl>(QStringLiteral("Image11"));
    countryHoverArea = built.get<PictureControl>(QStringLiteral("Image12"));
    metroHoverArea = built.get<PictureControl>(QStringLiteral("Image13"));
    articlesHoverArea = built.get<PictureControl>(QStringLiteral("Image14"));
    minimiseButton = built.get<PictureControl>(QStringLiteral("Image1"));
    closeButton = built.get<PictureControl>(QStringLiteral("Image2"));
    regionsTab = built.get<PictureControl>(QStringLiteral("ImageObl"));
    countryTab = built.get<PictureControl>(QStringLiteral("Imagerus"));
    metroTab = built.get<PictureControl>(QStringLiteral("ImageMet"));
    articlesTab = built.get<PictureControl>(QStringLiteral("ImageArt"));
    citiesTab = built.get<PictureControl>(QStringLiteral("ImageGor"));
    listPanel = built.get<controls::Panel>(QStringLiteral("Panel2"));
    listBackground = built.get<PictureControl>(QStringLiteral("Image8"));
    byNameButton = built.get<PictureControl>(QStringLiteral("ImagePoNazvaniyu"));
    byYearButton = built.get<PictureControl>(QStringLiteral("ImagePoGodu"));
    byQualityButton = built.get<PictureControl>(QStringLiteral("ImagePoKa4estvy"));
    listGrid = built.get<controls::StringGrid>(QStringLiteral("StringGrid1"));
    listScrollBar = built.get<controls::SkinScrollBar>(QStringLiteral("bsSkinScrollBar1"));
    previewPanel = built.get<controls::Panel>(QStringLiteral("Panel3"));
    previewPicture = built.get<PictureControl>(QStringLiteral("ImageMap"));
    hiddenEdit = built.get<QLineEdit>(QStringLiteral("Edit1"));
    publisherPanel = built.get<controls::Panel>(QStringLiteral("Panel4"));
    publisherLogo = built.get<PictureControl>(QStringLiteral("Image4"));
    aboutPanel = built.get<controls::Panel>(QStringLiteral("Panel5"));
    aboutButton = built.get<PictureControl>(QStringLiteral("Image6"));

    for (QWidget* w : std::initializer_list<QWidget*>{windowBackground, titleArtwork, descriptionCaption,
                                                      descriptionLabel, dimensionsCaption, dimensionsLabel, authorLabel,
                                                      authorCaption, fileSizeCaption, fileSizeLabel})
        makeDragSurface(w);
    for (int n = 1; n <= 5; ++n)
        makeDragSurface(starPictures[n]);

    listGrid->setRowCount(55);
    listGrid->setScrollBar(listScrollBar);
    listScrollBar->setGrid(listGrid);
    previewPicture->setProportional(true);
    previewPicture->setCenter(true);

    previewMenu = new QMenu(this);
    openInViewerAction = previewMenu->addAction(QStringLiteral("Открыть в новом окне"));
    openWithViewerAction = previewMenu->addAction(QStringLiteral("Открыть с помощью просмотрщика"));
    openWithViewerAction->setVisible(false);
    savePreviewAction = previewMenu->addAction(QStringLiteral("Сохранить в файл..."));
    copyFileAction = previewMenu->addAction(QStringLiteral("Копировать файл"));
    closeWindowAction = previewMenu->addAction(QStringLiteral("Закрыть окно"));

    showInitialPreview();
}
