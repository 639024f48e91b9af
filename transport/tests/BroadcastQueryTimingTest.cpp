// The exchange on the system clock with the default settings: the one test of its real timing
// (CTest label "timing"). Every other test counts its steps on a virtual clock.
#include <gtest/gtest.h>

#include <chrono>

#include "testsupport/WireTest.h"
#include "transport/BroadcastQuery.h"
#include "transport/FrameHeader.h"

namespace varlo {
namespace {

using Clock = std::chrono::steady_clock;
using testing::Hex;

long MsSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class BroadcastQueryTimingTest : public testing::SimulatorTest {};

TEST_F(BroadcastQueryTimingTest,
       AnAnsweredExchangeEndsWithinItsFirstPollAndSilenceTakesThreeSeconds) {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(0x90000001, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {10, 0, 0, 1}));
    const DeviceIdentity id = rig.devices[0].Identity();
    StartSimulator(std::move(rig), testing::Timing::Real);
    ASSERT_EQ(Transport().clock, &SystemClock());
    simulator->OverrideCommand(0x7E, [](sim::SimDevice&, const Bytes&) {
        return std::optional<Bytes>(Hex("FE 00 00 00 00 00 00 00"));
    });

    const Bytes answered = BuildShortRequest(0x7E, id);
    Bytes reply(8);
    auto start = Clock::now();
    EXPECT_EQ(BroadcastQuery(answered.data(), answered.size(), reply.data(), reply.size(),
                             kQueryBudgetMs),
              8);
    // The reply ends the first poll step of 100 ms.
    long took = MsSince(start);
    EXPECT_LT(took, 100);

    const Bytes unanswered = BuildShortRequest(0x55, id);
    start = Clock::now();
    EXPECT_EQ(BroadcastQuery(unanswered.data(), unanswered.size(), reply.data(), reply.size(),
                             kQueryBudgetMs),
              -1);
    took = MsSince(start);
    EXPECT_GE(took, 3000);
    EXPECT_LT(took, 4000);
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 4u);
    for (std::size_t i = 2; i < 4; ++i) {
        const auto gap =
            std::chrono::duration_cast<std::chrono::milliseconds>(log[i].at - log[i - 1].at);
        EXPECT_GE(gap.count(), 1000 - 20) << i;  // a resend a second after the one before
        EXPECT_LT(gap.count(), 1500) << i;
    }
}

}  // namespace
}  // namespace varlo
