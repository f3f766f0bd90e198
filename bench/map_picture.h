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

} // namespace bench
