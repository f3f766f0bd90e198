#include "loading/picture_load.h"

#include <new>

#include "files/data_files.h"
#include "work/work_pool.h"

namespace loading {

namespace {

template <typename Decode> failure::Result<QImage> withoutThrowing(Decode&& decode)
{
    try {
        return decode();
    } catch (const std::bad_alloc&) {
        return failure::Failure{failure::What::NoMemory, {}, {}, {}};
    }
}

} // namespace

failure::Result<QImage> decodePicture(const QByteArray& bytes, const picture::JpegDecodeOptions& options)
{
    return withoutThrowing([&] { return picture::decodeJpeg(bytes, options); });
}

failure::Result<QImage> decodePicture(qint64 size, const picture::DataPieces& next,
                                      const picture::JpegDecodeOptions& options)
{
    return withoutThrowing([&] { return picture::decodeJpegPieces(size, next, options); });
}

PictureLoad::PictureLoad(work::WorkPool& pool, QString path, qint64 maxBytes, picture::JpegDecodeOptions options,
                         Delivery delivery, Done done)
    : m_pool(pool), m_path(std::move(path)), m_maxBytes(maxBytes), m_options(std::move(options)),
      m_delivery(std::move(delivery)), m_done(std::move(done))
{
}

void PictureLoad::start(std::shared_ptr<PictureLoad> load)
{
    work::WorkPool& pool = load->m_pool;
    const std::stop_token wish = load->m_delivery.wish();
    pool.run(
        work::WorkPool::Lane::Disc, wish, [load = std::move(load)](std::stop_token stop) { load->read(stop); },
        work::WorkPool::Urgency::Soon);
}

void PictureLoad::read(std::stop_token stop)
{
    failure::Result<QByteArray> bytes = failure::Failure{failure::What::NoMemory, m_path.toStdString(), {}, {}};
    try {
        bytes = files::readDataFile(m_path, m_maxBytes, stop);
    } catch (const std::bad_alloc&) {
        // The one allocation of the file's size found no memory: bytes holds the failure.
    }
    if (stop.stop_requested())
        return;
    if (!bytes)
        return deliver(bytes.error());
    m_bytes = std::move(*bytes);
    // The pool outlives its jobs; this one is stopped, and queues nothing, once the pool's end is asked for.
    m_pool.run(
        work::WorkPool::Lane::Compute, m_delivery.wish(),
        [self = shared_from_this()](std::stop_token stop) { self->decode(stop); }, work::WorkPool::Urgency::Soon);
}

void PictureLoad::decode(std::stop_token stop)
{
    m_options.stop = stop;
    failure::Result<QImage> decoded = decodePicture(m_bytes, m_options);
    m_options = {};
    if (stop.stop_requested())
        return;
    if (!decoded)
        deliver(decoded.error().onFile(m_path.toStdString()));
    else
        deliver(LoadedPicture{std::exchange(m_bytes, QByteArray()), std::move(*decoded)});
}

void PictureLoad::deliver(failure::Result<LoadedPicture> result)
{
    m_delivery([done = m_done, result = std::move(result)] { done(result); });
}

} // namespace loading
