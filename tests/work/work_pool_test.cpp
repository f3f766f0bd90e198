// The pool's lanes: a job stopped before it starts is dropped unrun, a job that throws leaves its thread to the next,
// and the pool's end stops a running job and waits for no read the system holds.
#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

#include "work/work_pool.h"

namespace {

struct Ran
{
    std::atomic<int> jobs = 0;
};

} // namespace

TEST(WorkPool, JobsEndAsTheirStopAndThePoolsEndSay)
{
    using Lane = work::WorkPool::Lane;
    struct Case
    {
        const char* name;
        // Queues the case's jobs; returns the jobs expected to have run by the pool's end.
        std::function<int(work::WorkPool&, std::shared_ptr<Ran>)> queue;
        qint64 maxEndMs;
    };
    const auto sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    const Case cases[] = {
        {"a job stopped before it starts is dropped unrun",
         [&](work::WorkPool& pool, std::shared_ptr<Ran> ran) {
             std::stop_source stop;
             pool.run(Lane::Disc, {}, [&, ran](std::stop_token) { sleep(100), ++ran->jobs; });
             pool.run(Lane::Disc, stop.get_token(), [ran](std::stop_token) { ++ran->jobs; });
             stop.request_stop();
             EXPECT_TRUE(pool.waitForJobs(2000));
             return 1;
         },
         1000},
        {"a job that throws leaves its thread to the next",
         [](work::WorkPool& pool, std::shared_ptr<Ran> ran) {
             pool.run(Lane::Disc, {}, [](std::stop_token) { throw std::bad_alloc(); });
             pool.run(Lane::Disc, {}, [ran](std::stop_token) { ++ran->jobs; });
             EXPECT_TRUE(pool.waitForJobs(2000));
             return 1;
         },
         1000},
        {"the pool's end stops a running job within its piece",
         [&](work::WorkPool& pool, std::shared_ptr<Ran> ran) {
             pool.run(Lane::Compute, {}, [&, ran](std::stop_token stop) {
                 ++ran->jobs;
                 while (!stop.stop_requested())
                     sleep(5);
             });
             sleep(50);
             EXPECT_FALSE(pool.waitForJobs(0));
             return 1;
         },
         200},
        {"the pool's end abandons a read the system holds",
         [&](work::WorkPool& pool, std::shared_ptr<Ran> ran) {
             pool.run(Lane::Disc, {}, [ran](std::stop_token) {
                 ++ran->jobs;
                 std::this_thread::sleep_for(std::chrono::seconds(3));
             });
             sleep(50);
             return 1;
         },
         work::WorkPool::DiscWaitAtEndMs + 300},
    };
    for (const Case& c : cases) {
        const auto ran = std::make_shared<Ran>();
        auto pool = std::make_unique<work::WorkPool>();
        const int expected = c.queue(*pool, ran);
        QElapsedTimer end;
        end.start();
        pool.reset();
        EXPECT_LT(end.elapsed(), c.maxEndMs) << c.name;
        EXPECT_EQ(ran->jobs.load(), expected) << c.name;
    }
}
