#pragma once

#include <QImage>
#include <QSize>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace controls {

/// Builds the chain of halved copies of one picture on a thread of its own, each copy from the one before, down to
/// the first copy narrower or lower than smallest. onCopy runs on the builder's thread after each copy is ready.
/// Destroying the builder stops it within a few rows and waits for its thread.
class ReducedCopyBuilder
{
public:
    ReducedCopyBuilder(const QImage& picture, QSize smallest, std::function<void()> onCopy);
    ~ReducedCopyBuilder();
    ReducedCopyBuilder(const ReducedCopyBuilder&) = delete;
    ReducedCopyBuilder& operator=(const ReducedCopyBuilder&) = delete;

    /// The copies finished since the last call, largest first.
    std::vector<QImage> takeReady();
    /// True once the last copy has been taken or the builder stopped.
    bool finished() const { return m_finished.load() && m_pending.load() == 0; }

private:
    void run(QImage picture, QSize smallest);

    std::function<void()> m_onCopy;
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_finished{false};
    std::atomic<int> m_pending{0};
    std::mutex m_mutex;
    std::vector<QImage> m_ready;
    std::thread m_thread;
};

} // namespace controls
