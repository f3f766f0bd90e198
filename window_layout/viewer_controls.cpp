// The viewer window's controls: one row each, in creation order. Moving a control is changing its row.
#include "window_layout/viewer_controls.h"

namespace window_layout {

namespace {

constexpr QColor WindowColour(200, 156, 91);
constexpr QColor BarColour(141, 39, 0);
constexpr QColor White(255, 255, 255);

// The rows are aligned by hand, one control a line.
// clang-format off
std::vector<ControlRow> makeTable()
{
    const char* form = "";
    return {
        other("ScrollBox1", form, {0, 20, 800, 483}, QColor(225, 207, 174)),
        picture("Image1", "ScrollBox1", {0, 0, 737, 337}).as(Role::ZoomedPicture, "%1"),
        other("ProgressBar1", "ScrollBox1", {0, 0, 796, 25}).cutAt(1024).as(Role::Stock, "Загрузка карты"),
        // Beyond the design: the whole map in small in the view's lower right corner; it places itself.
        other("MapNavigator", "ScrollBox1", {}, BarColour).hidden().as(Role::Picture, "Обзор карты"),
        // Beyond the design: the part in view of a map shown as its overview, at full detail, over the picture.
        other("MapDetail", "Image1", {}).hidden().ignored(),

        panel("Panel1", form, {0, 0, 800, 20}, WindowColour),
        picture("Image2", "Panel1", {0, 0, 800, 20}).withArtwork().stretching({758, 20}).ignored(),
        picture("Imagesvernut", "Panel1", {752, 0, 21, 20}).withArtwork().withHand().anchoredRight(41).as(Role::Button, "Свернуть"),
        picture("Imagezakryt", "Panel1", {773, 0, 20, 20}).withArtwork().withHand().anchoredRight(20).as(Role::Button, "Закрыть"),

        // The control bar. Its artwork keeps its natural 800 pixels; wider bars show the panel's colour, which is
        // its ground.
        other("Panel2", form, {0, 503, 800, 44}, BarColour).as(Role::Group),
        picture("niz", "Panel2", {0, -2, 800, 44}).withArtwork().ignored(),
        label("Label2", "Panel2", {5, 22}, 15, White).inBold().withCaption("Объём файла:").ignored(),
        label("LabelSize", "Panel2", {112, 24}, 12, White).captionedBy("Label2"),
        label("Label4", "Panel2", {172, 22}, 15, White).inBold().withCaption("Размер изображения:").ignored(),
        label("LabelDimention", "Panel2", {338, 24}, 12, White).captionedBy("Label4"),
        // Each hover image is created right after its plain button, so it lies over it.
        picture("prev1", "Panel2", {483, 9, 29, 27}).withHand().as(Role::Button, "Предыдущая карта"),
        picture("prev2", "Panel2", {481, 5, 32, 33}).withArtwork().withHand().hidden().ignored(),
        picture("ff1", "Panel2", {525, 9, 29, 27}).withHand().as(Role::Button, "Следующая карта"),
        picture("ff2", "Panel2", {523, 5, 32, 34}).withArtwork().withHand().hidden().ignored(),
        picture("Imageplus", "Panel2", {569, 7, 36, 34}).withHand().hidden().as(Role::Button, "Увеличить"),
        picture("Imageplus2", "Panel2", {568, 5, 33, 33}).withArtwork().withHand().hidden().ignored(),
        picture("Imageminus", "Panel2", {613, 6, 36, 34}).withHand().as(Role::Button, "Уменьшить"),
        picture("Imageminus2", "Panel2", {612, 5, 34, 33}).withArtwork().withHand().hidden().ignored(),
        picture("Imagenaekran", "Panel2", {665, 7, 35, 33}).withHand().as(Role::Button, "По размеру экрана"),
        picture("Imagenaekran2", "Panel2", {663, 5, 37, 33}).withArtwork().withHand().hidden().ignored(),
        picture("Imageistinnyy", "Panel2", {719, 7, 37, 32}).withHand().as(Role::Button, "Истинный размер"),
        picture("Imageistinnyy2", "Panel2", {718, 5, 38, 33}).withArtwork().withHand().hidden().ignored(),
        label("LabelMestoGod", "Panel2", {5, 5}, 12, White).inBold().fixedBox({468, 15}),
    };
}
// clang-format on

} // namespace

const WindowRow& viewerWindow()
{
    static const WindowRow window{{0, 0}, {800, 547}, WindowColour, 11};
    return window;
}

const std::vector<ControlRow>& viewerControls()
{
    static const std::vector<ControlRow> table = makeTable();
    return table;
}

const ControlRow& viewerControl(std::string_view name)
{
    return row(viewerControls(), name);
}

} // namespace window_layout
