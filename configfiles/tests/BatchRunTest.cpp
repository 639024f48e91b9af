// A stop request is looked at only between devices: the devices started are a prefix of the
// list, each of them ran to its end, and none after them ran at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <set>

#include "configfiles/BatchRun.h"

namespace varlo {
namespace {

TEST(BatchRun, AStopLetsTheStartedDevicesFinishAndStartsNoOther) {
    for (const int jobs : {1, 4}) {
        SCOPED_TRACE(jobs);
        std::atomic<bool> stop{false};
        std::mutex mutex;
        std::set<std::size_t> finished;
        std::size_t progressed = 0;
        const std::size_t started = RunOnDevices(
            100, jobs,
            [&](std::size_t i) {
                if (i == 10) {
                    stop = true;  // as ^C or Cancel would, while devices are running
                }
                std::lock_guard lock(mutex);
                finished.insert(i);
            },
            &stop,
            [&](std::size_t done) {
                std::lock_guard lock(mutex);
                progressed = std::max(progressed, done);
            });
        EXPECT_GE(started, 11u);
        EXPECT_LT(started, 100u);
        EXPECT_EQ(finished.size(), started);
        EXPECT_EQ(*finished.rbegin(), started - 1);
        EXPECT_EQ(progressed, started);
    }
    // Without a stop every device runs.
    std::atomic<std::size_t> ran{0};
    EXPECT_EQ(RunOnDevices(50, 8, [&](std::size_t) { ++ran; }), 50u);
    EXPECT_EQ(ran, 50u);
}

}  // namespace
}  // namespace varlo
