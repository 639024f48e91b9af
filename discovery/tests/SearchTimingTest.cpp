// A whole search on the system clock: the one test of the search loop's real timing (CTest
// label "timing"). SearchSessionTest.cpp counts the same ticks on a virtual clock.
#include <gtest/gtest.h>

#include <chrono>

#include "discovery/DeviceType.h"
#include "discovery/SearchSession.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

using Clock = std::chrono::steady_clock;

long MsBetween(Clock::time_point a, Clock::time_point b) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(b - a).count());
}

class SearchTimingTest : public testing::SimulatorTest {};

TEST_F(SearchTimingTest, FiveRequestsASecondApartFromTheFirstAt100MsThenTheEndAt5100Ms) {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_KV70, {0, 0x1A, 0x2B, 0, 0, 7}, {192, 168, 1, 60}));
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_1, {0, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {192, 168, 1, 50}));
    sim::SimOptions options;
    options.searchDelayMinMs = options.searchDelayMaxMs = 10;
    StartSimulator(std::move(rig), testing::Timing::Real, options);

    CConfigParamArray table;
    SearchSession session(table);
    std::vector<std::size_t> seen;
    const auto start = Clock::now();
    ASSERT_TRUE(RunSearch(session, [&](std::size_t index) { seen.push_back(index); }));
    const long took = MsBetween(start, Clock::now());
    EXPECT_GE(took, 5100);
    EXPECT_LT(took, 5600);
    EXPECT_EQ(seen, (std::vector<std::size_t>{0, 1}));

    // The simulator stamps a request when it takes it, a little after it was sent.
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_GE(MsBetween(start, log[0].at), 100);
    EXPECT_LT(MsBetween(start, log[0].at), 400);
    // Each request waits a whole second after the one before, so request i is never taken
    // before 100 + 1000 i ms. That bound, rather than the gap between two stamps, holds on a
    // loaded machine too: a stamp taken late shortens the gap after it.
    for (std::size_t i = 1; i < log.size(); ++i) {
        EXPECT_GE(MsBetween(start, log[i].at), 100 + 1000 * static_cast<long>(i)) << i;
        EXPECT_LT(MsBetween(log[i - 1].at, log[i].at), 1300) << i;
    }
}

}  // namespace
}  // namespace varlo
