#include "tool_fonts.h"

#include <QFontDatabase>

namespace toolcommon {

bool loadToolFonts(QString* error)
{
    static const char* const files[] = {
        "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSerif-BoldItalic.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
        "/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf",
        "/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf",
        "/usr/share/fonts/truetype/liberation2/LiberationSerif-Italic.ttf",
    };
    for (const char* file : files) {
        if (QFontDatabase::addApplicationFont(QString::fromLatin1(file)) < 0) {
            if (error)
                *error = QStringLiteral("Cannot load the font %1 (packages fonts-dejavu-core, fonts-liberation2)")
                             .arg(QString::fromLatin1(file));
            return false;
        }
    }
    return true;
}

std::mutex& fontLock()
{
    static std::mutex lock;
    return lock;
}

QFont pixelFont(const QString& family, int pixelSize, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace toolcommon
