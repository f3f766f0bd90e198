#pragma once

#include <QImage>
#include <QString>

namespace toolcommon {

/// Writes a picture as a JPEG (4:2:0, the given quality), progressive or baseline. Returns an error text, empty on
/// success; a half-written file is removed.
QString writeJpeg(const QImage& image, const QString& path, int quality, bool progressive);

} // namespace toolcommon
