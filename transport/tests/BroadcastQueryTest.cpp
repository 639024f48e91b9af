#include <gtest/gtest.h>

#include <chrono>

#include "testsupport/WireTest.h"
#include "transport/BroadcastQuery.h"
#include "transport/FrameHeader.h"

namespace varlo {
namespace {

using Clock = std::chrono::steady_clock;
using testing::BytesEq;
using testing::Hex;

long MsBetween(Clock::time_point a, Clock::time_point b) {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(b - a).count());
}

const DeviceIdentity kIdentity = {0x01, 0x00, 0x00, 0x90, 0x00, 0x00,
                                  0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};

class BroadcastQueryTest : public testing::SimulatorTest {
protected:
    // One device that acknowledges code 0x7E with 8 bytes and ignores everything else.
    void StartOneDevice(int pollSleepMs) {
        sim::Rig rig;
        rig.devices.push_back(
            sim::MakeSimDevice(0x90000001, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {10, 0, 0, 1}));
        StartSimulator(std::move(rig), pollSleepMs);
        simulator->OverrideCommand(0x7E, [](sim::SimDevice&, const Bytes&) {
            return std::optional<Bytes>(Hex("FE 00 01 02 03 04 05 06"));
        });
    }
    void SetFaults(const sim::SimFaults& faults) { simulator->SetFaults(0, faults); }

    int32_t Query(uint8_t code, int budget = kQueryBudgetMs) {
        request = BuildShortRequest(code, kIdentity);
        reply.assign(8, 0xCC);
        return BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(), budget);
    }

    Bytes request;
    Bytes reply;
};

TEST_F(BroadcastQueryTest, AnsweredAtOnceSendsOneRequestAndReturnsAfterOnePoll) {
    StartOneDevice(100);
    const auto start = Clock::now();
    EXPECT_EQ(Query(0x7E), 8);
    const long took = MsBetween(start, Clock::now());
    EXPECT_GE(took, 100);
    EXPECT_LT(took, 900);
    EXPECT_TRUE(BytesEq(reply, Hex("FE 00 01 02 03 04 05 06")));
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_TRUE(BytesEq(log[0].bytes, request));
}

TEST_F(BroadcastQueryTest, SilenceSendsThreeIdenticalRequestsASecondApartThenFails) {
    StartOneDevice(100);  // the real timing
    const auto start = Clock::now();
    EXPECT_EQ(Query(0x16), -1);
    const long took = MsBetween(start, Clock::now());
    EXPECT_GE(took, 3000);
    EXPECT_LT(took, 4000);
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 3u);
    for (const auto& entry : log) {
        EXPECT_TRUE(BytesEq(entry.bytes, request));
    }
    EXPECT_NEAR(MsBetween(log[0].at, log[1].at), 1000, 150);
    EXPECT_NEAR(MsBetween(log[1].at, log[2].at), 1000, 150);
}

TEST_F(BroadcastQueryTest, EmptyAndOversizedDatagramsDoNotEndTheWait) {
    StartOneDevice(10);
    sim::SimFaults faults;
    faults.before = {Bytes{}, Bytes(9, 0xFE)};  // empty, one byte too many for the buffer
    SetFaults(faults);
    EXPECT_EQ(Query(0x7E), 8);
    EXPECT_TRUE(BytesEq(reply, Hex("FE 00 01 02 03 04 05 06")));
    EXPECT_EQ(simulator->LogSize(), 1u);
}

TEST_F(BroadcastQueryTest, OversizedRepliesAloneRunTheBudgetOut) {
    StartOneDevice(10);
    sim::SimFaults faults;
    faults.lengthDelta = 1;
    SetFaults(faults);
    EXPECT_EQ(Query(0x7E), -1);
    EXPECT_EQ(simulator->LogSize(), 3u);
}

TEST_F(BroadcastQueryTest, AStrayDatagramEndsTheExchange) {
    StartOneDevice(10);
    sim::SimFaults faults;
    faults.before = {Hex("87 01 00 00")};
    SetFaults(faults);
    EXPECT_EQ(Query(0x7E), 4);
    EXPECT_EQ(reply[0], 0x87);
    EXPECT_EQ(reply[1], 0x01);
}

TEST_F(BroadcastQueryTest, NoBudgetSendsNothing) {
    StartOneDevice(10);
    EXPECT_EQ(Query(0x7E, 0), 0);
    EXPECT_EQ(Query(0x7E, -100), 0);
    const uint8_t probe[1] = {0};
    EXPECT_EQ(BroadcastQuery(probe, 1, reply.data(), reply.size(), 100), -1);  // one send
    EXPECT_TRUE(simulator->WaitForLog(1, 1000));
    EXPECT_EQ(simulator->LogSize(), 1u);
}

}  // namespace
}  // namespace varlo
