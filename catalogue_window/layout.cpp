// Creates every control of the catalogue window from its control table (window_layout/catalogue_controls.cpp), in
// the table's order: among siblings a later control lies on top of an earlier one, and the panels lie on top of the
// pictures and labels drawn on their parent. What the table does not say about a control is set here.
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

#include "catalogue_window/tform1.h"
#include "controls/control_builder.h"
#include "controls/focus_frame.h"
#include "controls/fonts.h"
#include "controls/picture_control.h"
#include "controls/skin_scroll_bar.h"
#include "controls/string_grid.h"
#include "controls/text_label.h"
#include "desktop/main_window.h"
#include "window_layout/catalogue_controls.h"

using controls::PictureControl;
using controls::TextLabel;
using window_layout::ControlRow;
using window_layout::Kind;

namespace {

/// Controls lying directly on the window are part of its drag surface: the mouse passes through them.
void makeDragSurface(QWidget* widget)
{
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

} // namespace

std::span<const controls::ControlTie<TForm1>> TForm1::controlTies()
{
    using controls::tie;
    using controls::tieNumbered;
    static constexpr controls::ControlTie<TForm1> ties[] = {
        tie<&TForm1::windowBackground>("Image5"),
        tie<&TForm1::titleArtwork>("Image3"),
        tie<&TForm1::descriptionCaption>("LabelOpisNadpis"),
        tie<&TForm1::descriptionLabel>("Labelopis"),
        tie<&TForm1::dimensionsCaption>("Label223"),
        tie<&TForm1::dimensionsLabel>("LabelDimention"),
        tieNumbered<&TForm1::starPictures, 1, 5>("ImageZvezda"),
        tie<&TForm1::authorLabel>("Labelavtor"),
        tie<&TForm1::authorCaption>("LabelAvtorNadpis"),
        tie<&TForm1::fileSizeCaption>("Label1000"),
        tie<&TForm1::fileSizeLabel>("LabelSize"),
        tieNumbered<&TForm1::Label, 1, catalogue_window::LastLabel>("Label"),
        tie<&TForm1::linkPanel>("Panel6"),
        tie<&TForm1::linkPanelBackground>("Image7"),
        tie<&TForm1::topBar>("Panel1"),
        tie<&TForm1::topBarBackground>("Image9"),
        tie<&TForm1::citiesHoverArea>("Image10"),
        tie<&TForm1::regionsHoverArea>("Image11"),
        tie<&TForm1::countryHoverArea>("Image12"),
        tie<&TForm1::metroHoverArea>("Image13"),
        tie<&TForm1::articlesHoverArea>("Image14"),
        tie<&TForm1::minimiseButton>("Image1"),
        tie<&TForm1::closeButton>("Image2"),
        tie<&TForm1::regionsTab>("ImageObl"),
        tie<&TForm1::countryTab>("Imagerus"),
        tie<&TForm1::metroTab>("ImageMet"),
        tie<&TForm1::articlesTab>("ImageArt"),
        tie<&TForm1::citiesTab>("ImageGor"),
        tie<&TForm1::listPanel>("Panel2"),
        tie<&TForm1::listBackground>("Image8"),
        tie<&TForm1::byNameButton>("ImagePoNazvaniyu"),
        tie<&TForm1::byYearButton>("ImagePoGodu"),
        tie<&TForm1::byQualityButton>("ImagePoKa4estvy"),
        tie<&TForm1::listGrid>("StringGrid1"),
        tie<&TForm1::listScrollBar>("bsSkinScrollBar1"),
        tie<&TForm1::previewPanel>("Panel3"),
        tie<&TForm1::previewPicture>("ImageMap"),
        tie<&TForm1::hiddenEdit>("Edit1"),
        tie<&TForm1::publisherPanel>("Panel4"),
        tie<&TForm1::publisherLogo>("Image4"),
        tie<&TForm1::aboutPanel>("Panel5"),
        tie<&TForm1::aboutButton>("Image6"),
    };
    return ties;
}

void TForm1::createControls()
{
    const window_layout::WindowRow& window = window_layout::catalogueWindow();
    setWindowFlags(desktop::borderlessMainWindowFlags());
    setWindowTitle(QStringLiteral("Каталог старинных карт"));
    setFixedSize(window.size);
    move(window.at);
    setAutoFillBackground(true);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, window.colour);
    setPalette(windowPalette);
    setFont(controls::designFont(window.fontHeight));

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

    built.assign<TForm1>(*this, controlTies());

    // The pictures and labels on the window itself, but for the link rows, which take the mouse (eventFilter).
    for (const ControlRow& row : window_layout::catalogueControls()) {
        QWidget* control = built.control(QString::fromStdString(row.name));
        const auto linkRows = std::span(Label).subspan(catalogue_window::FirstLinkRow, catalogue_window::LinkRowCount);
        const bool onWindow = *row.parent == '\0' && (row.kind == Kind::Picture || row.kind == Kind::Label);
        if (onWindow && std::find(linkRows.begin(), linkRows.end(), control) == linkRows.end())
            makeDragSurface(control);
    }

    listFocusFrame = new controls::FocusFrame(listGrid, window_layout::RowHighlightColour, listPanel);
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
