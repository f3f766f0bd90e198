#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <stop_token>

#include "failure/result.h"
#include "loading/delivery.h"
#include "picture/jpeg_decoder.h"

namespace work {
class WorkPool;
}

namespace loading {

/// A picture read and decoded: its file's bytes and the picture.
struct LoadedPicture
{
    QByteArray bytes;
    QImage picture;
};

/// The one check and decode of a picture's bytes: a JPEG is decoded with options, anything else is refused as no
/// JPEG picture. A shortage of memory is a failure, never an exception.
failure::Result<QImage> decodePicture(const QByteArray& bytes, const picture::JpegDecodeOptions& options);
/// The same for a file of size bytes whose data comes in pieces (picture::decodeJpegPieces).
failure::Result<QImage> decodePicture(qint64 size, const picture::DataPieces& next,
                                      const picture::JpegDecodeOptions& options);

/// A picture of the collection read (disc lane) within maxBytes and decoded (compute lane), both with urgency Soon:
/// the catalogue's preview, the about page's and the articles' pictures. done gets the picture or the failure (on
/// path) through delivery; a stopped load delivers nothing, and one stopped before it starts reads nothing.
class PictureLoad : public std::enable_shared_from_this<PictureLoad>
{
public:
    using Done = std::function<void(const failure::Result<LoadedPicture>&)>;

    PictureLoad(work::WorkPool& pool, QString path, qint64 maxBytes, picture::JpegDecodeOptions options,
                Delivery delivery, Done done);
    bool wanted() const { return m_delivery.wanted(); }
    /// Queues the read.
    static void start(std::shared_ptr<PictureLoad> load);

private:
    void read(std::stop_token stop);
    void decode(std::stop_token stop);
    void deliver(failure::Result<LoadedPicture> result);

    work::WorkPool& m_pool;
    QString m_path;
    qint64 m_maxBytes;
    picture::JpegDecodeOptions m_options;
    Delivery m_delivery;
    Done m_done;
    QByteArray m_bytes;
};

} // namespace loading
