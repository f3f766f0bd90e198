#pragma once

#include <QMetaObject>
#include <QObject>
#include <functional>
#include <memory>
#include <stop_token>
#include <utility>

namespace work {

/// A piece of background work. It looks at stop between pieces of at most about 50 ms and returns early once a stop
/// is requested; it never throws.
using Job = std::function<void(std::stop_token stop)>;

/// A few threads of its own that run jobs in two lanes: the disc lane (one thread: reads, one at a time, since two
/// readers make a disc drive seek back and forth) and the compute lane (decoding, reduced copies, making pages
/// present). Within a lane, urgent jobs run before the others, each kind in the order given.
///
/// Destroying the pool asks every job to stop and returns at once: its threads end by themselves once their job has
/// returned, so a job must hold shared ownership of everything it touches. Jobs not yet started are dropped unrun
/// (their function objects are destroyed, so a promise they hold is broken).
class WorkPool
{
public:
    enum class Lane { Disc, Compute };
    enum class Urgency { Normal, Urgent };

    explicit WorkPool(int computeThreads = 2);
    ~WorkPool();
    WorkPool(const WorkPool&) = delete;
    WorkPool& operator=(const WorkPool&) = delete;

    /// Queues job; stop (of the caller's stop source) and the pool's end both stop it. A job whose stop is requested
    /// before it starts is dropped unrun.
    void run(Lane lane, std::stop_token stop, Job job, Urgency urgency = Urgency::Normal);

    /// Runs job on a thread of its own, for a caller that has no pool; stop stops it. The thread is counted among
    /// liveThreads(). False when no thread could be had (job is not run).
    static bool runOnThreadOfItsOwn(std::stop_token stop, Job job);

    /// Threads of every pool in the process that have not ended yet (they end soon after their pool is destroyed).
    static int liveThreads();
    /// Waits at most milliseconds for liveThreads() to reach 0; true when it did. For tests and the end of the
    /// process.
    static bool waitForThreadsToEnd(int milliseconds);

    struct State;

private:
    std::shared_ptr<State> m_state;
};

/// ThreadSanitizer cannot see that Qt's event queue (not built for it) orders a post before its delivery; these tell
/// it so. No-ops in other builds.
void handOverForSanitizer(const void* channel);
void takeOverForSanitizer(const void* channel);

/// What postTo hands over through, for ThreadSanitizer.
inline const char postChannel = 0;

/// Runs call on receiver's thread, from its event loop (dropped unrun when receiver is destroyed first). May be called
/// from any thread while receiver lives.
template <typename Call> void postTo(QObject* receiver, Call&& call)
{
    // The call is made and destroyed on receiver's thread after what the posting thread did before posting, its
    // own copy included (made last, inside invokeMethod).
    struct Posted
    {
        std::decay_t<Call> call;
        explicit Posted(Call&& c) : call(std::forward<Call>(c)) {}
        Posted(const Posted& other) : call(other.call) { handOverForSanitizer(&postChannel); }
        Posted(Posted&& other) : call(std::move(other.call)) { handOverForSanitizer(&postChannel); }
        Posted& operator=(const Posted&) = delete;
        ~Posted() { takeOverForSanitizer(&postChannel); }
        void operator()()
        {
            takeOverForSanitizer(&postChannel);
            call();
            // The posting thread may be the one that destroys this, when it lets go of it last.
            handOverForSanitizer(&postChannel);
        }
    };
    QMetaObject::invokeMethod(receiver, Posted(std::forward<Call>(call)), Qt::QueuedConnection);
}

} // namespace work
