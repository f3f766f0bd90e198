#pragma once

#include "jpeg_encoder/jpeg_encoder.h"

#include <QImage>
#include <QString>

namespace toolcommon {

using jpegencoder::Chroma;

/// Writes a picture as a JPEG (the given quality, Huffman tables made for it), progressive or baseline. Returns an
/// error text, empty on success; a half-written file is removed.
QString writeJpeg(const QImage& image, const QString& path, int quality, bool progressive,
                  Chroma chroma = Chroma::Halved);

} // namespace toolcommon
