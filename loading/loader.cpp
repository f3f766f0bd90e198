#include "loading/loader.h"

#include <QMetaObject>

#include "files/data_files.h"
#include "loading/file_preview.h"

namespace loading {

Loader::Loader(int computeThreads, QObject* parent) : QObject(parent), m_pool(computeThreads) {}

Loader::~Loader() = default;

void Loader::loadPicture(QObject* owner, const QString& path, picture::JpegDecodeOptions options, std::stop_token stop,
                         PictureLoad::Done done, qint64 maxBytes)
{
    options.stop = stop;
    std::erase_if(m_waiting, [](const std::shared_ptr<PictureLoad>& load) { return !load->wanted(); });
    m_waiting.push_back(std::make_shared<PictureLoad>(m_pool, path, maxBytes, std::move(options),
                                                      Delivery(*this, owner, stop), std::move(done)));
    // The entry's change that asks for this picture may open a map in the viewer too, later in the same event.
    QMetaObject::invokeMethod(this, &Loader::startWaiting, Qt::QueuedConnection);
}

void Loader::loadFilePreview(QObject* owner, const QString& path, QSize box, std::stop_token stop,
                             std::function<void(const QImage&)> shown)
{
    const Delivery delivery(*this, owner, stop);
    // The user's own wish, before reading ahead.
    m_pool.run(
        work::WorkPool::Lane::Disc, stop,
        [this, path, box, delivery, shown = std::move(shown)](std::stop_token stop) {
            QByteArray bytes = readPreviewFile(path);
            // Stopped once the pool's end is asked for, it queues nothing: the pool is gone or going.
            if (stop.stop_requested())
                return;
            m_pool.run(
                work::WorkPool::Lane::Compute, delivery.wish(),
                [bytes = std::move(bytes), box, delivery, shown](std::stop_token stop) {
                    const QImage picture = previewOfBytes(bytes, box, stop);
                    if (!stop.stop_requested())
                        delivery([shown, picture] { shown(picture); });
                },
                work::WorkPool::Urgency::Soon);
        },
        work::WorkPool::Urgency::Soon);
}

void Loader::measureFile(QObject* owner, const QString& path, std::stop_token stop,
                         std::function<void(std::optional<qint64>)> done)
{
    const Delivery delivery(*this, owner, stop);
    m_pool.run(
        work::WorkPool::Lane::Disc, stop,
        [path, delivery, done = std::move(done)](std::stop_token) {
            const std::optional<qint64> size = files::dataFileSize(path);
            delivery([done, size] { done(size); });
        },
        work::WorkPool::Urgency::Soon);
}

void Loader::mapReadStarted()
{
    ++m_mapReads;
}

void Loader::mapReadEnded()
{
    if (--m_mapReads == 0)
        startWaiting();
}

void Loader::startWaiting()
{
    if (m_mapReads > 0)
        return;
    for (std::shared_ptr<PictureLoad>& load : std::exchange(m_waiting, {}))
        PictureLoad::start(std::move(load));
}

} // namespace loading
