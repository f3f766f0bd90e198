#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>

namespace artwork {

// The colours the windows' layout binds, and the ones that go with them.
inline const QColor stripeRed{223, 0, 41};
inline const QColor stripeGold{150, 122, 56};
inline const QColor frameRed{139, 38, 0};
inline const QColor barGround{141, 39, 0};
inline const QColor parchment{211, 206, 176};
inline const QColor listText{68, 28, 26};
inline const QColor starRed{150, 0, 24};
inline const QColor lightLetters{252, 238, 204};
inline const QColor darkOutline{58, 10, 0};
inline const QColor goldLine{196, 158, 78};

/// A blank 24-bit picture of the given size.
QImage blankPicture(int width, int height, QColor fill = Qt::black);
/// One-pixel horizontal stripes, red on even rows and gold on odd ones, over the given rows.
void paintStripes(QImage& image, int firstRow, int lastRow);
/// A dark red-brown field with a fine irregular grain, like worn leather.
void paintDarkTexture(QImage& image, const QRect& area, std::uint32_t seed);
/// A faded old map in parchment tones, plain enough for dark text to read over it.
QImage fadedMap(int width, int height, std::uint64_t seed, double fade);

/// The largest font of the family not above maxPixels in which text fits maxWidth.
QFont fittedFont(const QString& family, const QString& text, int maxPixels, double maxWidth, bool bold);
/// Light text with a dark outline, centred on a point; the outline keeps it legible over stripes.
void drawOutlinedText(QPainter& painter, const QString& text, QPointF centre, const QFont& font, QColor fill,
                      QColor outline, double outlineWidth);

/// Writes a picture as PNG, creating the folder. Returns an error text, empty on success.
QString savePng(const QImage& image, const QString& path);

} // namespace artwork
