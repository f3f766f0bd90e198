#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace bench {

/// The parchment colour that covers most of every generated map; the first-picture probe looks for it on screen.
inline constexpr int ParchmentRed = 236, ParchmentGreen = 222, ParchmentBlue = 188;

/// A map-like picture: grainy parchment, street blocks, roads, a river and lettering, the same for the same seed.
QImage drawMapLike(QSize size, quint32 seed);

/// Writes an RGB32 picture as binary PPM (P6), the input cjpeg takes.
bool writePpm(const QImage& image, const QString& path);

/// The sheets a map too large to draw in memory is made of: drawMapLike pictures this many pixels each way.
inline constexpr int TilePixels = 4096;

/// Writes a PPM of any size made of map-like sheets, row by row (path "-": standard output, for cjpeg to read as it
/// comes): the memory of one sheet, whatever the size.
bool writeTiledPpm(QSize size, quint32 seed, const QString& path);

} // namespace bench
