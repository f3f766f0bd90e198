#include "platform/fonts.h"

#include <QStringList>

namespace platform {

static const char* const DesignFamily = "MS Sans Serif";

void installFontSubstitutions()
{
    QFont::insertSubstitutions(QString::fromLatin1(DesignFamily),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

QFont designFont(int pixelHeight, bool bold, bool fixedPitch)
{
    installFontSubstitutions();
    QFont font(QString::fromLatin1(DesignFamily));
    if (fixedPitch) {
        // Slot 1 asks for a fixed-pitch face; the font matcher picks the installed monospace family.
        font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

} // namespace platform
