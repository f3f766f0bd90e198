#pragma once

#include <QImage>
#include <QString>

namespace toolcommon {

/// How a JPEG keeps the colour: at half resolution each way (4:2:0, as cameras and scanners write) or at full
/// resolution (4:4:4, for fine coloured lines on drawn artwork).
enum class Chroma { Halved, Full };

/// Writes a picture as a JPEG (the given quality), progressive or baseline. Returns an error text, empty on success;
/// a half-written file is removed.
QString writeJpeg(const QImage& image, const QString& path, int quality, bool progressive,
                  Chroma chroma = Chroma::Halved);

} // namespace toolcommon
