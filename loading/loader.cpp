#include "loading/loader.h"

#include <QMetaObject>

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
