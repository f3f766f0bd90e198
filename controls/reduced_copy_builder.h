#pragma once

#include <QImage>
#include <QSize>
#include <functional>
#include <memory>
#include <vector>

namespace work {
class WorkPool;
}

namespace controls {

/// Builds the chain of reduced copies of one picture in the background, each further copy the one before halved,
/// down to the first copy narrower or lower than smallest. The chain starts at the largest reduction (half, a quarter,
/// an eighth, ...) whose chain fits in budgetBytes: from half size it takes a third of the picture's memory, from a
/// quarter a twelfth; the zoom steps above the first copy are drawn from the picture itself. The copies are built as
/// a job of pool; without one no copies are built. onCopy runs on the building thread after each copy
/// is ready, and once at the end.
///
/// Destroying the builder asks the work to stop and returns without waiting for it. Work still reading the picture
/// itself (the first copy) lets go of it within a band of 64 rows, at its next look at the stop request; until then
/// the picture's memory counts as on its way back to the pool (picture::ReturningPicture), so the next picture waits
/// for it there instead of taking fresh memory beside it. Once the destructor has returned onCopy is not called again.
class ReducedCopyBuilder
{
public:
    /// The memory the copies of a picture may take: those of a 24-megapixel map start at half size, those of a
    /// 100-megapixel map (127 MiB from half size, 32 MiB from a quarter) at a quarter, those of a 400-megapixel map
    /// at an eighth (32 MiB).
    static constexpr qsizetype DefaultBudgetBytes = qsizetype(64) << 20;

    ReducedCopyBuilder(const QImage& picture, QSize smallest, std::function<void()> onCopy,
                       qsizetype budgetBytes = DefaultBudgetBytes, work::WorkPool* pool = nullptr);
    ~ReducedCopyBuilder();
    ReducedCopyBuilder(const ReducedCopyBuilder&) = delete;
    ReducedCopyBuilder& operator=(const ReducedCopyBuilder&) = delete;

    /// The divisor of the chain's first copy of a picture of pictureBytes: 2, 4, 8, ...
    static int firstDivisor(qsizetype pictureBytes, qsizetype budgetBytes);

    /// The copies finished since the last call, largest first.
    std::vector<QImage> takeReady();
    /// True once the last copy has been taken or the builder stopped.
    bool finished() const;

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace controls
