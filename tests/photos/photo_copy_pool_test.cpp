#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <latch>
#include <stdexcept>
#include <thread>
#include <vector>

#include "photos/PhotoCopyPool.h"

namespace trackalbum {
namespace {

using std::chrono::microseconds;

// The earlier items take longest, so they finish after later ones: the reports must still
// come in order, each seeing what its own work wrote, and on the calling thread only.
TEST(PhotoCopyPool, ReportsInOrderOnTheCallingThreadWhateverOrderTheWorkEnds) {
    for (int threads : {1, 2, 5, 64}) {
        for (int count : {0, 1, 3, 40}) {
            std::vector<int> written(static_cast<size_t>(count), -1);
            std::vector<int> reported;
            std::atomic<int> worked = 0;
            const std::thread::id caller = std::this_thread::get_id();
            const int done = RunInOrder(
                count, threads, std::stop_token(),
                [&](int i) {
                    std::this_thread::sleep_for(microseconds(20 * (count - i)));
                    written[static_cast<size_t>(i)] = i * 7, ++worked;
                },
                [&](int i) {
                    EXPECT_EQ(caller, std::this_thread::get_id());
                    reported.push_back(written[static_cast<size_t>(i)] / 7);
                });
            EXPECT_EQ(count, done);
            EXPECT_EQ(count, worked);
            std::vector<int> expected(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i) expected[static_cast<size_t>(i)] = i;
            EXPECT_EQ(expected, reported) << threads << " threads, " << count << " items";
        }
    }
}

// Work on item 0 ends at once; the others wait until the stop has been asked for. So when the
// stop comes, item 0 is done and each thread holds at most one more; none may claim another.
TEST(PhotoCopyPool, AStopFinishesTheItemsInHandAndBeginsNoOther) {
    for (int threads : {1, 3}) {
        std::stop_source stop;
        std::latch stopped(1);
        std::atomic<int> begun = 0;
        std::vector<int> reported;
        const int done = RunInOrder(
            20, threads, stop.get_token(),
            [&](int i) {
                ++begun;
                if (i > 0) stopped.wait();
            },
            [&](int i) {
                reported.push_back(i);
                if (i == 0) stop.request_stop(), stopped.count_down();
            });
        EXPECT_GE(threads + 1, begun) << threads;
        EXPECT_EQ(begun, done);
        EXPECT_EQ(done, static_cast<int>(reported.size()));
        for (int i = 0; i < done; ++i) EXPECT_EQ(i, reported[static_cast<size_t>(i)]);
    }
}

// A report that throws ends the run: the error passes on only once no work runs any more.
TEST(PhotoCopyPool, AnErrorFromAReportWaitsForTheThreadsAndPassesOn) {
    std::atomic<int> working = 0;
    std::atomic<int> begun = 0;
    EXPECT_THROW(RunInOrder(
                     200, 4, std::stop_token(),
                     [&](int) {
                         ++working, ++begun;
                         std::this_thread::sleep_for(microseconds(1000));
                         --working;
                     },
                     [&](int i) {
                         if (i == 2) throw std::runtime_error("report");
                     }),
                 std::runtime_error);
    EXPECT_EQ(0, working);
    const int after = begun;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(after, begun);
    EXPECT_LT(after, 200);
}

}  // namespace
}  // namespace trackalbum
