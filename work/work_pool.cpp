#include "work/work_pool.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
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

// Threads of every pool still running, so that the end of the process can wait for them: a thread left running
// while the process tears down its libraries would touch what is being destroyed.
struct LiveThreads
{
    std::mutex mutex;
    std::condition_variable ended;
    int count = 0;

    ~LiveThreads()
    {
        // Every pool is gone by now, and its jobs were asked to stop: each returns within a piece of work.
        std::unique_lock lock(mutex);
        ended.wait_for(lock, std::chrono::seconds(2), [this] { return count == 0; });
    }
};

LiveThreads& liveThreadsRegistry()
{
    static LiveThreads live;
    return live;
}

struct Task
{
    Job job;
    std::stop_token stop;
};

} // namespace

struct WorkPool::State
{
    std::mutex mutex;
    std::condition_variable wake;
    // Per lane: urgent jobs, then the others.
    std::deque<Task> queues[2][2];
    std::stop_source poolStop;
    bool closing = false;

    bool takeTask(int lane, Task& task)
    {
        for (auto& queue : queues[lane]) {
            while (!queue.empty()) {
                task = std::move(queue.front());
                queue.pop_front();
                if (!task.stop.stop_requested())
                    return true;
                task = Task(); // dropped unrun
            }
        }
        return false;
    }
};

namespace {

void work(std::shared_ptr<WorkPool::State> state, int lane)
{
    for (;;) {
        Task task;
        {
            std::unique_lock lock(state->mutex);
            state->wake.wait(lock, [&] {
                return state->closing || !state->queues[lane][0].empty() || !state->queues[lane][1].empty();
            });
            if (state->closing)
                break;
            if (!state->takeTask(lane, task))
                continue;
        }
        // The job stops when its caller asks or when the pool goes.
        std::stop_source jobStop;
        {
            std::stop_callback byCaller(task.stop, [&jobStop] { jobStop.request_stop(); });
            std::stop_callback byPool(state->poolStop.get_token(), [&jobStop] { jobStop.request_stop(); });
            try {
                task.job(jobStop.get_token());
            } catch (...) {
                // A job never throws; should one do so, the thread goes on with the next rather than end the process.
            }
        }
        task = Task();
    }
    // Queued tasks are dropped with the state, by whichever thread lets it go last.
    state.reset();
    LiveThreads& live = liveThreadsRegistry();
    std::lock_guard lock(live.mutex);
    --live.count;
    live.ended.notify_all();
}

} // namespace

WorkPool::WorkPool(int computeThreads) : m_state(std::make_shared<State>())
{
    LiveThreads& live = liveThreadsRegistry();
    std::vector<int> lanes{int(Lane::Disc)};
    for (int i = 0; i < std::max(1, computeThreads); ++i)
        lanes.push_back(int(Lane::Compute));
    for (const int lane : lanes) {
        {
            std::lock_guard lock(live.mutex);
            ++live.count;
        }
        try {
            std::thread(work, m_state, lane).detach();
        } catch (const std::system_error&) {
            std::lock_guard lock(live.mutex);
            --live.count; // fewer threads: a lane without one runs nothing, and its callers read on their own
        }
    }
}

WorkPool::~WorkPool()
{
    m_state->poolStop.request_stop();
    {
        std::lock_guard lock(m_state->mutex);
        m_state->closing = true;
        for (auto& lane : m_state->queues)
            for (auto& queue : lane)
                queue.clear();
    }
    m_state->wake.notify_all();
}

void WorkPool::run(Lane lane, std::stop_token stop, Job job, Urgency urgency)
{
    {
        std::lock_guard lock(m_state->mutex);
        m_state->queues[int(lane)][urgency == Urgency::Urgent ? 0 : 1].push_back(Task{std::move(job), std::move(stop)});
    }
    m_state->wake.notify_all();
}

bool WorkPool::runOnThreadOfItsOwn(std::stop_token stop, Job job)
{
    LiveThreads& live = liveThreadsRegistry();
    {
        std::lock_guard lock(live.mutex);
        ++live.count;
    }
    try {
        std::thread([stop = std::move(stop), job = std::move(job)]() mutable {
            job(stop);
            job = nullptr;
            LiveThreads& live = liveThreadsRegistry();
            std::lock_guard lock(live.mutex);
            --live.count;
            live.ended.notify_all();
        }).detach();
        return true;
    } catch (const std::system_error&) {
        std::lock_guard lock(live.mutex);
        --live.count;
        return false;
    }
}

int WorkPool::liveThreads()
{
    LiveThreads& live = liveThreadsRegistry();
    std::lock_guard lock(live.mutex);
    return live.count;
}

bool WorkPool::waitForThreadsToEnd(int milliseconds)
{
    LiveThreads& live = liveThreadsRegistry();
    std::unique_lock lock(live.mutex);
    return live.ended.wait_for(lock, std::chrono::milliseconds(milliseconds), [&] { return live.count == 0; });
}

} // namespace work
