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

/// A blank 24-bit picture of the given size in window pixels, drawn for a screen of the given scale (1 or 2): it has
/// scale times as many pixels each way, and a painter on it still works in window pixels.
QImage blankPicture(int width, int height, QColor fill = Qt::black, int scale = 1);
/// The picture's size in window pixels.
QSize windowSize(const QImage& image);
/// One-window-pixel horizontal stripes, red on even rows and gold on odd ones, over the given rows (window pixels).
void paintStripes(QImage& image, int firstRow, int lastRow);
/// A dark red-brown field with a fine irregular grain, like worn leather, over an area in window pixels; the fine
/// grain is one screen pixel at every scale.
void paintDarkTexture(QImage& image, const QRect& area, std::uint32_t seed);
/// A faded old map in parchment tones, plain enough for dark text to read over it.
QImage fadedMap(int width, int height, std::uint64_t seed, double fade, int scale = 1);
/// The part of a picture at a place in window pixels, at the picture's scale.
QImage copyOf(const QImage& image, const QRect& place);

/// The largest font of the family not above maxPixels in which text fits maxWidth.
QFont fittedFont(const QString& family, const QString& text, int maxPixels, double maxWidth, bool bold);
/// Light text with a dark outline, centred on a point; the outline keeps it legible over stripes.
void drawOutlinedText(QPainter& painter, const QString& text, QPointF centre, const QFont& font, QColor fill,
                      QColor outline, double outlineWidth);

/// Writes a picture as PNG, creating the folder. Returns an error text, empty on success.
QString savePng(const QImage& image, const QString& path);

} // namespace artwork
