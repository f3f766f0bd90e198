#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <stop_token>

namespace loading {

/// The largest file the save dialog previews. The user may point at any file, on any medium; a map of the collection
/// is far smaller, and a larger file previews as nothing rather than holding a slow disc for its whole length.
inline constexpr qint64 MaxPreviewFileBytes = qint64(16) << 20;

/// The bytes of a regular file (any path) for its preview; empty when there is none, it cannot be read or it is
/// larger than maxBytes. It reads the disc: run by a job of the disc lane, never on the GUI thread.
QByteArray readPreviewFile(const QString& path, qint64 maxBytes = MaxPreviewFileBytes);

/// A picture file's bytes shrunk to fit box, for the save dialog's preview; a null image when they are no readable
/// picture or stop was requested. JPEG files are decoded with DCT scaling, so a large map previews quickly.
QImage previewOfBytes(const QByteArray& bytes, QSize box, std::stop_token stop = {});

/// Both in turn, as the save dialog's preview job does them.
inline QImage previewPicture(const QString& path, QSize box, qint64 maxBytes = MaxPreviewFileBytes)
{
    return previewOfBytes(readPreviewFile(path, maxBytes), box);
}

} // namespace loading
