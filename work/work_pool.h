#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThreadPool>
#include <functional>
#include <memory>
#include <stop_token>
#include <utility>

namespace work {

/// A piece of background work. It looks at stop between pieces of at most about 50 ms and returns early once a stop
/// is requested; it never throws.
using Job = std::function<void(std::stop_token stop)>;

/// The program's threads, in two lanes of Qt's pools: the disc lane (one thread: reads, one at a time, since two
/// readers make a disc drive seek back and forth) and the compute lane (decoding, reduced copies, making pages
/// present). Within a lane the more urgent jobs run first, each urgency in the order given.
///
/// What Qt's pool lacks is added here: a job carries a stop request (its caller's, joined with the pool's end) and is
/// dropped unrun when its stop comes before it starts. Destroying the pool asks every job to stop, drops those not
/// started (their function objects are destroyed) and waits for those running, each of which returns within a piece.
/// A read the system does not return from (a scratched disc retries for minutes) is not waited for: after
/// DiscWaitAtEndMs the disc lane's thread is abandoned, still inside the read, and its job returns unheard once the
/// system lets it go (a stopped job delivers nothing and touches nothing of the pool).
class WorkPool
{
public:
    enum class Lane { Disc, Compute };
    /// Normal: work ahead of the user (reading and decoding ahead). Soon: what the user looks at in passing (the
    /// catalogue's preview). Urgent: what the user waits for (the map opened, its decode, its lower band).
    enum class Urgency { Normal, Soon, Urgent };

    /// How long the pool's end waits for the disc lane's job under way.
    static constexpr int DiscWaitAtEndMs = 500;

    explicit WorkPool(int computeThreads = 2);
    ~WorkPool();
    WorkPool(const WorkPool&) = delete;
    WorkPool& operator=(const WorkPool&) = delete;

    /// Queues job; stop (of the caller's stop source) and the pool's end both stop it.
    void run(Lane lane, std::stop_token stop, Job job, Urgency urgency = Urgency::Normal);

    /// Waits up to milliseconds for every job queued and running to end; false when some still run. Jobs may be
    /// queued meanwhile, and are waited for too.
    bool waitForJobs(int milliseconds);

private:
    std::stop_source m_end;
    // Let go of, not destroyed, when its job hangs at the end.
    std::unique_ptr<QThreadPool> m_disc = std::make_unique<QThreadPool>();
    QThreadPool m_compute;
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
