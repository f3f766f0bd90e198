#include "controls/skin.h"

#include <QFile>
#include <QStringList>

namespace controls {
namespace {

const QColor Parchment(211, 206, 176);
const QColor DarkRed(139, 38, 0);
const QColor DarkBrown(68, 28, 26);

QColor parseColour(const QString& value)
{
    // Only the documented #rrggbb form: QColor would also accept names and other forms the skin never uses.
    if (value.size() != 7 || value[0] != QLatin1Char('#'))
        return {};
    bool ok = false;
    const uint rgb = value.mid(1).toUInt(&ok, 16);
    return ok ? QColor::fromRgb(rgb) : QColor();
}

QColor* slotFor(Skin& skin, const QString& section, const QString& key)
{
    if (section.compare(QLatin1String("grid"), Qt::CaseInsensitive) == 0) {
        if (key.compare(QLatin1String("Background"), Qt::CaseInsensitive) == 0)
            return &skin.grid.background;
        if (key.compare(QLatin1String("Text"), Qt::CaseInsensitive) == 0)
            return &skin.grid.text;
        if (key.compare(QLatin1String("Lines"), Qt::CaseInsensitive) == 0)
            return &skin.grid.lines;
    } else if (section.compare(QLatin1String("vscrollbar"), Qt::CaseInsensitive) == 0) {
        if (key.compare(QLatin1String("Track"), Qt::CaseInsensitive) == 0)
            return &skin.vscrollbar.track;
        if (key.compare(QLatin1String("Thumb"), Qt::CaseInsensitive) == 0)
            return &skin.vscrollbar.thumb;
        if (key.compare(QLatin1String("Arrows"), Qt::CaseInsensitive) == 0)
            return &skin.vscrollbar.arrows;
        if (key.compare(QLatin1String("Border"), Qt::CaseInsensitive) == 0)
            return &skin.vscrollbar.border;
    }
    return nullptr;
}

} // namespace

Skin defaultSkin()
{
    Skin skin;
    skin.grid = {Parchment, DarkRed, QColor(176, 168, 132)};
    skin.vscrollbar = {DarkRed, Parchment, Parchment, DarkBrown};
    return skin;
}

Skin parseSkin(const QString& iniText)
{
    Skin skin = defaultSkin();
    QString section;
    QString text = iniText;
    // Editors on Windows like to start the file with a byte order mark, which would hide the first section.
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        QColor* slot = slotFor(skin, section, line.left(equals).trimmed());
        const QColor colour = parseColour(line.mid(equals + 1).trimmed());
        if (slot && colour.isValid())
            *slot = colour;
    }
    return skin;
}

const Skin& programSkin()
{
    static const Skin skin = [] {
        QFile file(QStringLiteral(":/skin/skin.ini"));
        if (!file.open(QIODevice::ReadOnly))
            return defaultSkin();
        return parseSkin(QString::fromUtf8(file.readAll()));
    }();
    return skin;
}

} // namespace controls
