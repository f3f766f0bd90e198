// The catalogue window's controls: one row each, in creation order. Moving a control is changing its row.
#include "window_layout/catalogue_controls.h"

#include "window_layout/row_slots.h"

#include <string>

namespace window_layout {

namespace {

constexpr QColor Parchment(211, 206, 176);
constexpr QColor DarkRed(139, 38, 0);
constexpr QColor StripeRed(223, 0, 41);
constexpr QColor StarRed(150, 0, 24);
constexpr QColor Caption = RowHighlightColour;
constexpr QColor Value(0, 0, 0);
constexpr QColor TopBar(135, 113, 67);
constexpr QColor ListPanel(192, 192, 192);
constexpr QColor PreviewPanel(202, 186, 153);

// Which views show and hide a control: the lists (maps and articles) and the views that are not the maps'.
constexpr unsigned Lists = MapsView | ArticlesView;
constexpr unsigned NotMaps = ArticlesView | AboutView;

/// Top of list slot 1..VisibleRows: 15 pixels between slots 1, 2 and 3, 16 from there on.
int slotTop(int slot)
{
    return slot <= 3 ? 5 + 15 * (slot - 1) : 51 + 16 * (slot - 4);
}

std::string labelName(int n)
{
    return "Label" + std::to_string(n);
}

// The rows are aligned by hand, one control a line.
// clang-format off
std::vector<ControlRow> makeTable()
{
    const char* form = "";
    std::vector<ControlRow> t = {
        picture("Image5", form, {0, 61, 800, 540}).withArtwork(Parchment).ignored(),
        picture("Image3", form, {0, 0, 239, 62}).withArtwork(StripeRed).ignored(),
        label("LabelOpisNadpis", form, {361, 425}, 11, Caption).inBold().withCaption("Описание:").inArticlesAt(399).ignored()
            .inViews(MapsView, NotMaps),
        label("Labelopis", form, {361, 439}, 11, Value).fixedBox({282, 137}).inArticlesAt(415).captionedBy("LabelOpisNadpis")
            .inViews(Lists, AboutView),
        label("Label223", form, {361, 376}, 11, Caption).inBold().withCaption("Размер изображения").hidden().ignored()
            .inViews(0, AboutView),
        label("LabelDimention", form, {490, 366}, 11, Caption).withCaption("LabelDimention").hidden().ignored()
            .inViews(0, AboutView),
        picture("ImageZvezda1", form, {657, 383, 19, 20}).withArtwork(StarRed).hidden().as(Role::Picture, "Качество: %1 из 5")
            .inViews(MapsView, NotMaps),
        picture("ImageZvezda2", form, {675, 383, 20, 20}).withArtwork(StarRed).hidden().ignored()
            .inViews(MapsView, NotMaps),
        picture("ImageZvezda3", form, {694, 383, 20, 20}).withArtwork(StarRed).hidden().ignored()
            .inViews(MapsView, NotMaps),
        picture("ImageZvezda4", form, {711, 383, 20, 20}).withArtwork(StarRed).hidden().ignored()
            .inViews(MapsView, NotMaps),
        picture("ImageZvezda5", form, {730, 384, 19, 17}).withArtwork(StarRed).hidden().ignored()
            .inViews(MapsView, NotMaps),
        label("Labelavtor", form, {406, 407}, 11, Value).fixedBox({363, 14}).inArticlesAt(383).captionedBy("LabelAvtorNadpis")
            .inViews(Lists, AboutView),
        label("LabelAvtorNadpis", form, {361, 407}, 11, Caption).inBold().withCaption("Автор:").inArticlesAt(383).ignored()
            .inViews(MapsView, NotMaps),
        label("Label1000", form, {361, 390}, 11, Caption).inBold().withCaption("Объём файла:").ignored()
            .inViews(MapsView, NotMaps),
        label("LabelSize", form, {451, 390}, 11, Value).captionedBy("Label1000").inViews(MapsView, NotMaps),
    };
    // The link rows on the window, 16 pixels apart: the about page's.
    for (int n = FirstLinkRow; n <= LastWindowLinkRow; ++n)
        t.push_back(label(labelName(n), form, {362, 384 + 16 * (n - FirstLinkRow)}, 13, RowNormalColour)
                        .as(Role::Link)
                        .inViews(AboutView, Lists));

    // Panel6 lies beneath the preview panel at the same place: its picture and rows are never seen.
    t.push_back(panel("Panel6", form, {362, 77, 397, 297}, PreviewPanel));
    t.push_back(picture("Image7", "Panel6", {0, 0, 397, 297}).withArtwork(Parchment).ignored());
    const int panel6Rows[] = {42, 43, 44, 45, 47, 46};
    for (int i = 0; i < 6; ++i) {
        const int n = panel6Rows[i];
        const ControlRow link = label(labelName(n), "Panel6", {2, 192 + 16 * i}, 13, RowNormalColour).as(Role::Link)
            .inViews(0, Lists);
        t.push_back(n <= 45 ? link.hidden() : link);
    }

    // The top bar: the painted tabs, their hover areas and lit copies, minimise and close.
    t.insert(t.end(), {
        panel("Panel1", form, {230, 0, 570, 61}, TopBar),
        picture("Image9", "Panel1", {0, 0, 570, 61}).withArtwork(StripeRed).ignored(),
        picture("Image10", "Panel1", {25, 7, 52, 44}).withHand().as(Role::PageTab, "Города").pressing("ImageGor"),
        picture("Image11", "Panel1", {113, 6, 60, 47}).withHand().as(Role::PageTab, "Регионы").pressing("ImageObl"),
        picture("Image12", "Panel1", {201, 6, 60, 47}).withHand().as(Role::PageTab, "Россия").pressing("Imagerus"),
        picture("Image13", "Panel1", {297, 6, 65, 47}).withHand().as(Role::PageTab, "Схемы метро").pressing("ImageMet"),
        picture("Image14", "Panel1", {411, 6, 48, 44}).withHand().as(Role::PageTab, "Статьи").pressing("ImageArt"),
        picture("Image1", "Panel1", {533, 9, 15, 15}).withHand().as(Role::Button, "Свернуть"),
        picture("Image2", "Panel1", {551, 8, 14, 15}).withHand().as(Role::Button, "Закрыть"),
        picture("ImageObl", "Panel1", {108, 7, 63, 44}).withArtwork(DarkRed).withHand().hidden().ignored()
            .inViews(0, AboutView),
        picture("Imagerus", "Panel1", {201, 7, 53, 44}).withArtwork(DarkRed).withHand().hidden().ignored()
            .inViews(0, AboutView),
        picture("ImageMet", "Panel1", {284, 7, 93, 44}).withArtwork(DarkRed).withHand().hidden().ignored()
            .inViews(0, AboutView),
        picture("ImageArt", "Panel1", {408, 7, 48, 44}).withArtwork(DarkRed).withHand().hidden().ignored()
            .inViews(0, AboutView),
        picture("ImageGor", "Panel1", {25, 7, 52, 44}).withArtwork(DarkRed).withHand().ignored().inViews(0, AboutView),
    });

    // The list: background with the ordering bar, the ordering areas, 58 row labels, the hidden grid and its bar.
    t.insert(t.end(), {
        panel("Panel2", form, {36, 76, 312, 491}, ListPanel),
        picture("Image8", "Panel2", {0, 0, 312, 491}).withArtwork(Parchment).ignored(),
        picture("ImagePoNazvaniyu", "Panel2", {58, 475, 61, 13}).withHand().as(Role::Button, "По названию")
            .inViews(MapsView, NotMaps),
        picture("ImagePoGodu", "Panel2", {124, 474, 32, 14}).withHand().as(Role::Button, "По году")
            .inViews(MapsView, NotMaps),
        picture("ImagePoKa4estvy", "Panel2", {163, 474, 124, 14}).withHand().as(Role::Button, "По качеству изображения")
            .inViews(MapsView, NotMaps),
    });
    // Slot 1 is the chosen row at first.
    for (int slot = 1; slot <= VisibleRows; ++slot) {
        const QColor colour = slot == 1 ? RowHighlightColour : RowNormalColour;
        ControlRow first = label(labelName(firstColumnLabel(slot)), "Panel2", {4, slotTop(slot)}, 13, colour).cutAt(300).withHand();
        ControlRow second = label(labelName(secondColumnLabel(slot)), "Panel2", {220, slotTop(slot)}, 13, colour).withHand();
        t.push_back(slot == 1 ? first.withFixedPitch() : first);
        t.push_back(slot == 1 ? second.withFixedPitch() : second);
    }
    t.insert(t.end(), {
        other("StringGrid1", "Panel2", {292, 0, 4, 468}).inViews(Lists, AboutView).as(Role::List, "Список"),
        other("bsSkinScrollBar1", "Panel2", {298, 3, 13, 467}).withHand().as(Role::ScrollBar, "Прокрутка списка"),
        // The preview.
        panel("Panel3", form, {362, 77, 398, 298}, PreviewPanel).inViews(Lists, 0),
        picture("ImageMap", "Panel3", {0, 0, 396, 296}).withHand().as(Role::Picture, "%1"),

        other("Edit1", form, {360, 573, 273, 21}).hidden().ignored(),
        panel("Panel4", form, {661, 546, 115, 32}, DarkRed),
        picture("Image4", "Panel4", {0, 0, 115, 32}).withArtwork(DarkRed).withHand().as(Role::Link, "Сайт издателя"),
        panel("Panel5", form, {42, 584, 39, 12}, DarkRed),
        picture("Image6", "Panel5", {0, 0, 39, 12}).withArtwork(DarkRed).withHand().as(Role::Button, "О диске"),
    });
    return t;
}
// clang-format on

} // namespace

const WindowRow& catalogueWindow()
{
    static const WindowRow window{{143, 90}, {800, 601}, QColor(223, 213, 191), 11};
    return window;
}

const std::vector<ControlRow>& catalogueControls()
{
    static const std::vector<ControlRow> table = makeTable();
    return table;
}

const ControlRow& catalogueControl(std::string_view name)
{
    return row(catalogueControls(), name);
}

} // namespace window_layout
