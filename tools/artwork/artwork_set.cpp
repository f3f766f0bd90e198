#include "artwork_set.h"

#include "artwork_kit.h"
#include "cursor_art.h"
#include "icon_art.h"
#include "jpeg_writer.h"
#include "map_drawing.h"
#include "skin_art.h"
#include "top_bar_art.h"
#include "viewer_art.h"
#include "window_art.h"

#include <QDir>
#include <QFile>

namespace artwork {

namespace {

const QString collectionTitle = QStringLiteral("Старинные карты России");
const QString publisher = QStringLiteral("Картографическое собрание");
// Quality of the faded maps' JPEGs, with the colour at full resolution: the red frame and lettering stay clean.
constexpr int fadedMapQuality = 92;

} // namespace

QString writeArtwork(const QString& assets)
{
    const QString catalogue = assets + QStringLiteral("/artwork/catalogue/");
    const QString viewer = assets + QStringLiteral("/artwork/viewer/");
    QStringList errors;
    QDir().mkpath(catalogue);
    auto png = [&](const QImage& image, const QString& path) {
        const QString error = savePng(image, path);
        if (!error.isEmpty())
            errors << error;
    };

    auto jpeg = [&](const QImage& image, const QString& path) {
        const QString error = toolcommon::writeJpeg(image, path, fadedMapQuality, true, toolcommon::Chroma::Full);
        if (!error.isEmpty())
            errors << error;
    };

    // Every window picture at scale 1 and 2; Qt's naming marks the second (Image5@2x.png). The faded maps are
    // opaque and as busy as a photograph: they are kept as JPEGs, a fifth of their size as PNGs.
    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QStringLiteral(".png") : QStringLiteral("@2x.png");
        const QString jpegSuffix = scale == 1 ? QStringLiteral(".jpg") : QStringLiteral("@2x.jpg");
        const QString backgroundFile = catalogue + QStringLiteral("Image5") + jpegSuffix;
        jpeg(drawWindowBackground(publisher, scale), backgroundFile);
        // The stars lie on the background as the window shows it, decoded from its file.
        QImage background(backgroundFile);
        background.setDevicePixelRatio(scale);
        png(drawTitle(collectionTitle, scale), catalogue + QStringLiteral("Image3") + suffix);
        png(drawTopBar(scale), catalogue + QStringLiteral("Image9") + suffix);
        for (const TabPlace& tab : tabPlaces())
            png(drawTabHighlight(tab, scale), catalogue + tab.resourceName + suffix);
        jpeg(drawListBackground(scale), catalogue + QStringLiteral("Image8") + jpegSuffix);
        jpeg(drawPlainMap(scale), catalogue + QStringLiteral("Image7") + jpegSuffix);
        const std::vector<QRect> stars = starPlaces();
        for (std::size_t i = 0; i < stars.size(); ++i)
            png(drawStar(background, stars[i]), catalogue + QStringLiteral("ImageZvezda%1").arg(i + 1) + suffix);
        png(drawLogo(publisher, scale), catalogue + QStringLiteral("Image4") + suffix);
        png(drawAboutButton(scale), catalogue + QStringLiteral("Image6") + suffix);

        png(drawTitleStrip(scale), viewer + QStringLiteral("Image2") + suffix);
        png(drawMinimiseSign(scale), viewer + QStringLiteral("Imagesvernut") + suffix);
        png(drawCloseSign(scale), viewer + QStringLiteral("Imagezakryt") + suffix);
        png(drawControlBar(scale), viewer + QStringLiteral("niz") + suffix);
        for (const BarButton& button : barButtons())
            png(drawHoverPicture(button, scale), viewer + button.hoverName + suffix);
    }

    toolcommon::MapSpec initial;
    initial.kind = toolcommon::MapKind::Country;
    initial.title = QStringLiteral("Карта Российского государства");
    initial.year = QStringLiteral("1745");
    initial.seed = 1745;
    const QString jpegError = toolcommon::writeJpeg(toolcommon::drawMap(initial, QSize(2914, 2235)),
                                                    catalogue + QStringLiteral("initial_map.jpg"), 85, true);
    if (!jpegError.isEmpty())
        errors << jpegError;

    for (const int scale : {1, 2}) {
        const QString suffix = scale == 1 ? QStringLiteral(".png") : QStringLiteral("@2x.png");
        png(drawOpenHandCursor(scale), assets + QStringLiteral("/cursors/RUKARAZJATA") + suffix);
        png(drawFistCursor(scale), assets + QStringLiteral("/cursors/RUKASJATA") + suffix);
    }

    // The desktop's icon, in the sizes the package puts into the hicolor theme.
    for (const int size : {48, 128, 256})
        png(drawAppIcon(size), assets + QStringLiteral("/icons/hicolor/%1x%1/apps/mapcatalogue.png").arg(size));

    QDir().mkpath(assets + QStringLiteral("/skin"));
    QFile skin(assets + QStringLiteral("/skin/skin.ini"));
    if (!skin.open(QIODevice::WriteOnly) || skin.write(skinDefinition()) < 0)
        errors << QStringLiteral("Cannot write %1").arg(skin.fileName());
    return errors.join(QLatin1Char('\n'));
}

} // namespace artwork
