#include "loading/file_preview.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <new>

#include "loading/picture_load.h"

namespace loading {
namespace {

QImage shrunkToFit(const QImage& image, QSize box)
{
    if (image.isNull() || (image.width() <= box.width() && image.height() <= box.height()))
        return image;
    return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QByteArray readPreviewFile(const QString& path, qint64 maxBytes)
{
    // Only a regular file: a folder or a device (a named pipe would block the read) previews as nothing.
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxBytes)
        return {};
    try {
        return file.read(maxBytes);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

QImage previewOfBytes(const QByteArray& bytes, QSize box, std::stop_token stop)
{
    if (bytes.isEmpty() || stop.stop_requested())
        return {};
    if (picture::looksLikeJpeg(bytes.left(3))) {
        picture::JpegDecodeOptions options;
        options.fitBox = box;
        options.stop = std::move(stop);
        // A file that cannot be shown leaves the preview empty: the dialog only offers it.
        const failure::Result<QImage> decoded = decodePicture(bytes, options);
        return decoded ? shrunkToFit(*decoded, box) : QImage();
    }
    try {
        QBuffer buffer;
        buffer.setData(bytes);
        QImageReader reader(&buffer);
        const QSize size = reader.size();
        if (size.isValid() && (size.width() > box.width() || size.height() > box.height()))
            reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
        return shrunkToFit(reader.read(), box);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace loading
