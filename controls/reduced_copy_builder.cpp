#include "controls/reduced_copy_builder.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <stop_token>

#include "controls/reduced_copies.h"
#include "picture/picture_buffers.h"
#include "work/work_pool.h"

namespace controls {

struct ReducedCopyBuilder::State
{
    std::stop_source stop;
    std::atomic<bool> finished{false};
    std::atomic<int> pending{0};
    std::mutex mutex;
    std::vector<QImage> ready;
    // Cleared by the builder's destruction, under callMutex: a call running then ends before the builder is gone.
    std::mutex callMutex;
    std::function<void()> onCopy;
    // The picture, until the work takes it (under pictureMutex); holdsPicture while the work reads it. A builder
    // destroyed meanwhile leaves returning behind, which the work lets go of with the picture.
    std::mutex pictureMutex;
    QImage picture;
    bool holdsPicture = false;
    std::unique_ptr<picture::ReturningPicture> returning;

    QImage takePicture()
    {
        std::lock_guard lock(pictureMutex);
        holdsPicture = !picture.isNull();
        return std::exchange(picture, QImage());
    }
    void releasePicture(QImage& held)
    {
        held = QImage();
        std::unique_ptr<picture::ReturningPicture> returned;
        std::lock_guard lock(pictureMutex);
        holdsPicture = false;
        returned = std::move(returning);
    }

    void notify()
    {
        std::lock_guard lock(callMutex);
        if (onCopy)
            onCopy();
    }
};

namespace {

// Rows reduced between two looks at the stop request: a fraction of a millisecond.
constexpr int RowsPerBand = 64;

void build(const std::shared_ptr<ReducedCopyBuilder::State>& state, QSize smallest, int firstDivisor,
           std::stop_token stop)
{
    QImage picture = state->takePicture();
    QImage source = picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32_Premultiplied
                        ? picture
                        : picture.convertToFormat(QImage::Format_RGB32);
    for (int divisor = firstDivisor;; divisor = 2) {
        const QSize size = reducedSize(source.size(), divisor);
        if (stop.stop_requested() || size.width() < std::max(1, smallest.width()) ||
            size.height() < std::max(1, smallest.height()))
            break;
        QImage copy(size, source.format());
        if (copy.isNull())
            break;
        for (int row = 0; row < copy.height() && !stop.stop_requested(); row += RowsPerBand)
            reduceRows(source, copy, row, std::min(copy.height(), row + RowsPerBand), divisor);
        if (stop.stop_requested())
            break;
        {
            std::lock_guard lock(state->mutex);
            state->ready.push_back(copy);
            ++state->pending;
        }
        if (!picture.isNull()) {
            source = QImage();
            state->releasePicture(picture);
        }
        state->notify();
        source = copy;
    }
    source = QImage();
    state->releasePicture(picture);
    // Finished and told so in one step: whoever sees finished() has had the last call too.
    std::lock_guard lock(state->callMutex);
    state->finished = true;
    if (state->onCopy)
        state->onCopy();
}

} // namespace

int ReducedCopyBuilder::firstDivisor(qsizetype pictureBytes, qsizetype budgetBytes)
{
    // A chain from 1/d of each side takes pictureBytes / d² * 4/3.
    int divisor = 2;
    while (divisor < (1 << 14) && pictureBytes / 3 * 4 / (qsizetype(divisor) * divisor) > budgetBytes)
        divisor *= 2;
    return divisor;
}

ReducedCopyBuilder::ReducedCopyBuilder(const QImage& picture, QSize smallest, std::function<void()> onCopy,
                                       qsizetype budgetBytes, work::WorkPool* pool)
    : m_state(std::make_shared<State>())
{
    m_state->onCopy = std::move(onCopy);
    const int divisor = firstDivisor(picture.sizeInBytes(), budgetBytes);
    // The picture is shared, not copied: nothing writes into a picture on show.
    m_state->picture = picture;
    auto job = [state = m_state, smallest, divisor](std::stop_token stop) { build(state, smallest, divisor, stop); };
    if (!pool) {
        m_state->finished = true; // no pool: no copies; the picture is drawn from itself
        return;
    }
    pool->run(work::WorkPool::Lane::Compute, m_state->stop.get_token(), std::move(job));
}

ReducedCopyBuilder::~ReducedCopyBuilder()
{
    m_state->stop.request_stop();
    {
        std::lock_guard lock(m_state->callMutex);
        m_state->onCopy = nullptr;
    }
    // Nothing waits for the work: a picture it still reads goes back to the pool within a band of rows, and the next
    // picture waits for it there (on the thread that decodes it), not a full-size picture taken beside it.
    QImage unused;
    std::lock_guard lock(m_state->pictureMutex);
    unused = std::exchange(m_state->picture, QImage());
    if (m_state->holdsPicture)
        m_state->returning = std::make_unique<picture::ReturningPicture>();
}

std::vector<QImage> ReducedCopyBuilder::takeReady()
{
    std::lock_guard lock(m_state->mutex);
    std::vector<QImage> ready;
    ready.swap(m_state->ready);
    m_state->pending -= static_cast<int>(ready.size());
    return ready;
}

bool ReducedCopyBuilder::finished() const
{
    return m_state->finished.load() && m_state->pending.load() == 0;
}

} // namespace controls
