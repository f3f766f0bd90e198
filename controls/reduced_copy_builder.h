#pragma once

#include <QImage>
#include <QSize>
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace controls {

/// Builds the chain of reduced copies of one picture on a thread of its own, each further copy the one before halved,
/// down to the first copy narrower or lower than smallest. The chain starts at half the picture's width and height
/// when all of it fits in budgetBytes (a third of the picture's memory); else at a quarter, a twelfth of the
/// picture's memory, and the zoom steps above a quarter are drawn from the picture itself. onCopy runs on the builder's
/// thread after each copy is ready. Destroying the builder stops it within a few rows and waits for its thread.
class ReducedCopyBuilder
{
public:
    /// The memory the copies of a picture may take: those of a 24-megapixel map start at half size, those of a
    /// 100-megapixel map (127 MiB from half size, 32 MiB from a quarter) at a quarter.
    static constexpr qsizetype DefaultBudgetBytes = qsizetype(64) << 20;

    ReducedCopyBuilder(const QImage& picture, QSize smallest, std::function<void()> onCopy,
                       qsizetype budgetBytes = DefaultBudgetBytes);
    ~ReducedCopyBuilder();
    ReducedCopyBuilder(const ReducedCopyBuilder&) = delete;
    ReducedCopyBuilder& operator=(const ReducedCopyBuilder&) = delete;

    /// The copies finished since the last call, largest first.
    std::vector<QImage> takeReady();
    /// True once the last copy has been taken or the builder stopped.
    bool finished() const { return m_finished.load() && m_pending.load() == 0; }

private:
    void run(QImage picture, QSize smallest, int firstDivisor);

    std::function<void()> m_onCopy;
    std::atomic<bool> m_cancelled{false};
    std::atomic<bool> m_finished{false};
    std::atomic<int> m_pending{0};
    std::mutex m_mutex;
    std::vector<QImage> m_ready;
    std::thread m_thread;
};

} // namespace controls
