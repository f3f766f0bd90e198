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
        picture("Image1", "ScrollBox1", {0, 0, 737, 337}),
        other("ProgressBar1", "ScrollBox1", {0, 0, 796, 25}).cutAt(1024),

        panel("Panel1", form, {0, 0, 800, 20}, WindowColour),
        picture("Image2", "Panel1", {0, 0, 800, 20}).withArtwork().stretching({758, 20}),
        picture("Imagesvernut", "Panel1", {752, 0, 21, 20}).withArtwork().withHand().anchoredRight(41),
        picture("Imagezakryt", "Panel1", {773, 0, 20, 20}).withArtwork().withHand().anchoredRight(20),

        // The control bar. Its artwork keeps its natural 800 pixels; wider bars show the panel's colour, which is
        // its ground.
        other("Panel2", form, {0, 503, 800, 44}, BarColour),
        picture("niz", "Panel2", {0, -2, 800, 44}).withArtwork(),
        label("Label2", "Panel2", {5, 22}, 15, White).inBold().withCaption("Объём файла:"),
        label("LabelSize", "Panel2", {112, 24}, 12, White),
        label("Label4", "Panel2", {172, 22}, 15, White).inBold().withCaption("Размер изображения:"),
        label("LabelDimention", "Panel2", {338, 24}, 12, White),
        // Each hover image is created right after its plain button, so it lies over it.
        picture("prev1", "Panel2", {483, 9, 29, 27}).withHand(),
        picture("prev2", "Panel2", {481, 5, 32, 33}).withArtwork().withHand().hidden(),
        picture("ff1", "Panel2", {525, 9, 29, 27}).withHand(),
        picture("ff2", "Panel2", {523, 5, 32, 34}).withArtwork().withHand().hidden(),
        picture("Imageplus", "Panel2", {569, 7, 36, 34}).withHand().hidden(),
        picture("Imageplus2", "Panel2", {568, 5, 33, 33}).withArtwork().withHand().hidden(),
        picture("Imageminus", "Panel2", {613, 6, 36, 34}).withHand(),
        picture("Imageminus2", "Panel2", {612, 5, 34, 33}).withArtwork().withHand().hidden(),
        picture("Imagenaekran", "Panel2", {665, 7, 35, 33}).withHand(),
        picture("Imagenaekran2", "Panel2", {663, 5, 37, 33}).withArtwork().withHand().hidden(),
        picture("Imageistinnyy", "Panel2", {719, 7, 37, 32}).withHand(),
        picture("Imageistinnyy2", "Panel2", {718, 5, 38, 33}).withArtwork().withHand().hidden(),
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
