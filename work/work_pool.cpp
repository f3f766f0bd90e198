#include "work/work_pool.h"

#include <QDeadlineTimer>
#include <QRunnable>
#include <QScopeGuard>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

#if defined(__SANITIZE_THREAD__)
extern "C" void __tsan_acquire(void* addr);
extern "C" void __tsan_release(void* addr);
#endif

namespace work {

void handOverForSanitizer(const void* channel)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(const_cast<void*>(channel));
#else
    (void)channel;
#endif
}

void takeOverForSanitizer(const void* channel)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(const_cast<void*>(channel));
#else
    (void)channel;
#endif
}

namespace {

// One queued job: it stops when its caller asks or when the pool goes.
class Task : public QRunnable
{
public:
    Task(Job job, std::stop_token callerStop, std::stop_token poolEnd, const void* pool)
        : m_job(std::move(job)), m_callerStop(std::move(callerStop)), m_poolEnd(std::move(poolEnd)), m_pool(pool)
    {
    }

    void run() override
    {
        // Qt's pool (not built for ThreadSanitizer) hands the task over under its own lock, and its waitForDone()
        // orders the task's end before the pool's: tell the sanitizer so.
        takeOverForSanitizer(this);
        const auto ended = qScopeGuard([this] { handOverForSanitizer(m_pool); });
        if (m_callerStop.stop_requested() || m_poolEnd.stop_requested())
            return; // dropped unrun
        std::stop_source jobStop;
        {
            std::stop_callback byCaller(m_callerStop, [&jobStop] { jobStop.request_stop(); });
            std::stop_callback byPool(m_poolEnd, [&jobStop] { jobStop.request_stop(); });
            try {
                m_job(jobStop.get_token());
            } catch (const std::exception& e) {
                // A job delivers its own failures and never throws; should one do so, the thread goes on with the
                // next rather than end the process, and says so.
                std::fprintf(stderr, "mapcatalogue: a background job failed: %s\n", e.what());
            }
        }
        // What the job holds goes on its own thread, before the pool counts the job as done.
        m_job = nullptr;
    }

private:
    Job m_job;
    std::stop_token m_callerStop;
    std::stop_token m_poolEnd;
    const void* m_pool;
};

int priorityOf(WorkPool::Urgency urgency)
{
    return int(urgency);
}

} // namespace

WorkPool::WorkPool(int computeThreads)
{
    m_disc->setMaxThreadCount(1);
    m_compute.setMaxThreadCount(std::max(1, computeThreads));
    m_disc->setObjectName(QStringLiteral("disc lane"));
    m_compute.setObjectName(QStringLiteral("compute lane"));
}

WorkPool::~WorkPool()
{
    m_end.request_stop();
    m_disc->clear();
    m_compute.clear();
    // Every job running returns within a piece now, but for a read the system holds. A job may queue another while it
    // ends (a decode its lower band, a look at the kept reads its disc read): that one is dropped unrun, since the
    // pool's end is requested.
    m_compute.waitForDone();
    if (!m_disc->waitForDone(DiscWaitAtEndMs)) {
        std::fprintf(stderr, "mapcatalogue: a read of the disc does not return; it is abandoned\n");
        // Kept where a leak checker finds it: destroying it would wait for the read.
        static auto* const abandoned = new std::vector<QThreadPool*>();
        abandoned->push_back(m_disc.release());
        return;
    }
    m_compute.waitForDone();
    takeOverForSanitizer(this);
}

void WorkPool::run(Lane lane, std::stop_token stop, Job job, Urgency urgency)
{
    auto* task = new Task(std::move(job), std::move(stop), m_end.get_token(), this);
    handOverForSanitizer(task);
    (lane == Lane::Disc ? *m_disc : m_compute).start(task, priorityOf(urgency));
}

bool WorkPool::waitForJobs(int milliseconds)
{
    QDeadlineTimer deadline(milliseconds);
    // A job of one lane may queue one in the other: both are idle together once a pass finds them so.
    for (;;) {
        if (!m_disc->waitForDone(int(deadline.remainingTime())) ||
            !m_compute.waitForDone(int(deadline.remainingTime())))
            return false;
        if (m_disc->activeThreadCount() == 0 && m_compute.activeThreadCount() == 0)
            break;
    }
    takeOverForSanitizer(this);
    return true;
}

} // namespace work
