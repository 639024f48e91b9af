// The exchange's steps on a virtual clock: the test plays the device and answers from inside the
// clock's waits, so the poll steps, resends and the end of the wait are counted exactly. Tests
// of its reply handling run against the simulator. BroadcastQueryTimingTest.cpp keeps the one
// test of the real timing.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "testsupport/LoopbackDevice.h"
#include "testsupport/WireTest.h"
#include "transport/BroadcastQuery.h"
#include "transport/FrameHeader.h"

namespace varlo {
namespace {

using testing::BytesEq;
using testing::Hex;

const DeviceIdentity kIdentity = {0x01, 0x00, 0x00, 0x90, 0x00, 0x00,
                                  0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};

// The device is the test's; `answer` says what it sends back to request n (from 0), if anything.
class ExchangeStepsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(device.IsOpen());
        Transport().targetAddr = device.Address();
        Transport().targetPort = device.Port();
        Transport().clock = &clock;
        clock.settle = [this](net::SocketHandle s) {
            for (const testing::LoopbackDevice::Request& r : device.Receive()) {
                requestsAtMs.push_back(clock.ElapsedMs());
                requests.push_back(r.bytes);
                if (answer) {
                    if (const std::optional<Bytes> reply = answer(requests.size() - 1)) {
                        device.Answer(r, *reply, s);
                    }
                }
            }
        };
    }

    int32_t Query(uint8_t code, std::size_t capacity = 8, int budget = kQueryBudgetMs) {
        request = BuildShortRequest(code, kIdentity);
        reply.assign(capacity, 0xCC);
        return BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(), budget);
    }

    testing::VirtualClock clock;
    testing::ScopedTransport transport;
    testing::LoopbackDevice device;
    std::function<std::optional<Bytes>(std::size_t)> answer;
    std::vector<Bytes> requests;
    std::vector<long> requestsAtMs;
    Bytes request;
    Bytes reply;
};

TEST_F(ExchangeStepsTest, AnAnswerEndsTheExchangeTheMomentItArrives) {
    answer = [](std::size_t) { return Hex("FE 00 01 02 03 04 05 06"); };
    EXPECT_EQ(Query(0x7E), 8);
    EXPECT_TRUE(BytesEq(reply, Hex("FE 00 01 02 03 04 05 06")));
    EXPECT_EQ(clock.Waits(), std::vector<int>{100}) << "one step, begun";
    EXPECT_EQ(clock.ElapsedMs(), 0) << "and ended by the reply before any of it passed";
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(BytesEq(requests[0], request));
}

TEST_F(ExchangeStepsTest, WholeStepsHoldAnAnswerUntilTheStepIsOver) {
    Transport().replyEndsStep = false;
    answer = [](std::size_t) { return Hex("FE 00 01 02 03 04 05 06"); };
    EXPECT_EQ(Query(0x7E), 8);
    EXPECT_EQ(clock.Waits(), std::vector<int>{100});
    EXPECT_EQ(clock.ElapsedMs(), 100);
}

// Whether a reply ends its step or not, a device that never answers gets the same three
// requests at the same times, and the exchange gives up after the same budget.
class SilentDeviceTest : public ExchangeStepsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SilentDeviceTest, GetsThreeIdenticalRequestsASecondApartAndTheExchangeFailsAt3000Ms) {
    Transport().replyEndsStep = GetParam();
    EXPECT_EQ(Query(0x16), -1);
    EXPECT_EQ(clock.Waits(), std::vector<int>(30, 100));
    EXPECT_EQ(clock.ElapsedMs(), 3000);
    EXPECT_EQ(requestsAtMs, (std::vector<long>{0, 1000, 2000}));
    ASSERT_EQ(requests.size(), 3u);
    for (const Bytes& r : requests) {
        EXPECT_TRUE(BytesEq(r, request));
    }
}

INSTANTIATE_TEST_SUITE_P(ReplyEndsStep, SilentDeviceTest, ::testing::Bool());

TEST_F(ExchangeStepsTest, AnAnswerToTheLastResendEndsTheExchangeWhenItArrives) {
    answer = [](std::size_t n) -> std::optional<Bytes> {
        return n == 2 ? std::optional(Hex("96 00 00 00 00 00 00 00")) : std::nullopt;
    };
    EXPECT_EQ(Query(0x16), 8);
    EXPECT_EQ(clock.ElapsedMs(), 2000);
    EXPECT_EQ(requestsAtMs, (std::vector<long>{0, 1000, 2000}));
}

TEST_F(ExchangeStepsTest, EmptyAndOversizedDatagramsDoNotEndTheWait) {
    // The first send gets an empty datagram, the second one a byte too many, the third the reply.
    answer = [](std::size_t n) -> std::optional<Bytes> {
        return n == 0 ? Bytes{} : n == 1 ? Bytes(9, 0xFE) : Bytes(8, 0xFE);
    };
    EXPECT_EQ(Query(0x7E), 8);
    EXPECT_EQ(requestsAtMs, (std::vector<long>{0, 1000, 2000}));
    EXPECT_EQ(clock.ElapsedMs(), 2000);
}

TEST_F(ExchangeStepsTest, NoBudgetSendsNothingAndAShortOneSendsOnce) {
    EXPECT_EQ(Query(0x7E, 8, 0), 0);
    EXPECT_EQ(Query(0x7E, 8, -100), 0);
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(clock.Waits().empty());
    EXPECT_EQ(Query(0x7E, 8, 100), -1);
    EXPECT_EQ(requests.size(), 1u);
    EXPECT_EQ(clock.Waits(), std::vector<int>{100});
}

// Reply handling, against the simulator on the virtual clock.
class BroadcastQueryTest : public testing::SimulatorTest {
protected:
    // One device that acknowledges code 0x7E with 8 bytes and ignores everything else.
    void SetUp() override {
        sim::Rig rig;
        rig.devices.push_back(
            sim::MakeSimDevice(0x90000001, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {10, 0, 0, 1}));
        StartSimulator(std::move(rig));
        simulator->OverrideCommand(0x7E, [](sim::SimDevice&, const Bytes&) {
            return std::optional<Bytes>(Hex("FE 00 01 02 03 04 05 06"));
        });
    }
    void SetFaults(const sim::SimFaults& faults) { simulator->SetFaults(0, faults); }

    int32_t Query(uint8_t code) {
        request = BuildShortRequest(code, kIdentity);
        reply.assign(8, 0xCC);
        return BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(),
                              kQueryBudgetMs);
    }

    Bytes request;
    Bytes reply;
};

TEST_F(BroadcastQueryTest, EmptyAndOversizedDatagramsAheadOfTheReplyAreSkipped) {
    sim::SimFaults faults;
    faults.before = {Bytes{}, Bytes(9, 0xFE)};  // empty, one byte too many for the buffer
    SetFaults(faults);
    EXPECT_EQ(Query(0x7E), 8);
    EXPECT_TRUE(BytesEq(reply, Hex("FE 00 01 02 03 04 05 06")));
    EXPECT_EQ(simulator->LogSize(), 1u);
    EXPECT_EQ(clock.Waits().size(), 3u) << "one wait a datagram";
    EXPECT_EQ(clock.ElapsedMs(), 0);
}

TEST_F(BroadcastQueryTest, OversizedRepliesAloneRunTheBudgetOut) {
    sim::SimFaults faults;
    faults.lengthDelta = 1;
    SetFaults(faults);
    EXPECT_EQ(Query(0x7E), -1);
    EXPECT_EQ(simulator->LogSize(), 3u);
    EXPECT_EQ(clock.ElapsedMs(), 3000);
}

TEST_F(BroadcastQueryTest, AStrayDatagramEndsTheExchange) {
    sim::SimFaults faults;
    faults.before = {Hex("87 01 00 00")};
    SetFaults(faults);
    EXPECT_EQ(Query(0x7E), 4);
    EXPECT_TRUE(BytesEq(reply, Hex("87 01 00 00 CC CC CC CC")));
    EXPECT_EQ(clock.ElapsedMs(), 0);
}

}  // namespace
}  // namespace varlo
