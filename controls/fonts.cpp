#include "controls/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace controls {
namespace {

const char* const DesignFamily = "MS Sans Serif";

struct StandIn
{
    const char* family;
    int stretch; ///< percent of the face's own width
};

// Both stand-ins run wider than the design's font at the same character height, Liberation Sans by a few percent and
// DejaVu Sans by about a fifth: "Объём файла:" at 15 pixels bold takes 109 and 125 pixels where the viewer leaves 107
// before the size beside it. Narrowed by these stretches, every caption of both windows ends before its neighbour.
#ifdef Q_OS_WIN
// Windows draws the design's bitmap font with its TrueType successor at the design's own widths. Where that is missing
// (Wine without its own fonts, which offers the host's fonts instead) the Linux stand-ins follow.
constexpr StandIn StandIns[] = {{"Microsoft Sans Serif", 100}, {"Liberation Sans", 95}, {"DejaVu Sans", 82}};
#else
constexpr StandIn StandIns[] = {{"Liberation Sans", 95}, {"DejaVu Sans", 82}};
#endif

int stretchOf(const QString& family)
{
    for (const StandIn& standIn : StandIns) {
        if (family == QLatin1String(standIn.family))
            return standIn.stretch;
    }
    return 100;
}

} // namespace

void installFontSubstitutions()
{
    QStringList families;
    for (const StandIn& standIn : StandIns)
        families << QString::fromLatin1(standIn.family);
    QFont::insertSubstitutions(QString::fromLatin1(DesignFamily), families);
}

QString designFamily()
{
    static const QString chosen = [] {
        const QStringList installed = QFontDatabase::families();
        for (const StandIn& standIn : StandIns) {
            if (installed.contains(QLatin1String(standIn.family)))
                return QString::fromLatin1(standIn.family);
        }
        // Neither is installed: the substitution leaves the choice to the font matcher.
        return QString::fromLatin1(DesignFamily);
    }();
    return chosen;
}

QFont designFont(int pixelHeight, bool bold, bool fixedPitch)
{
    installFontSubstitutions();
    QFont font(designFamily());
    if (fixedPitch) {
        // Slot 1 asks for a fixed-pitch face; the font matcher picks the installed monospace family.
        font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    } else {
        font.setStretch(stretchOf(font.family()));
    }
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace controls
