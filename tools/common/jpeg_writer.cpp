#include "jpeg_writer.h"

#include <QFile>

namespace toolcommon {

QString writeJpeg(const QImage& source, const QString& path, int quality, bool progressive, Chroma chroma)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "BGRX samples match Format_RGB32 only on little-endian machines");
    const QImage image =
        source.format() == QImage::Format_RGB32 ? source : source.convertToFormat(QImage::Format_RGB32);
    jpegencoder::Encoding encoding;
    encoding.size = image.size();
    encoding.samples = jpegencoder::Samples::Bgrx;
    encoding.quality = quality;
    encoding.progressive = progressive;
    encoding.optimisedCoding = true;
    encoding.chroma = chroma;
    const jpegencoder::Encoded encoded =
        jpegencoder::encode(encoding, [&image](int y) { return image.constScanLine(y); });
    if (!encoded.error.isEmpty())
        return QStringLiteral("Cannot write %1: %2").arg(path, encoded.error);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return QStringLiteral("Cannot create %1").arg(path);
    const bool written = file.write(encoded.bytes) == encoded.bytes.size();
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        file.remove();
        return QStringLiteral("Cannot write %1: write error").arg(path);
    }
    return {};
}

} // namespace toolcommon
