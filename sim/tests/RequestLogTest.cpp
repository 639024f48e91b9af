// The simulator's request log under a flood of the largest datagrams: it keeps the latest ones
// within its limits, and nothing at all unless asked. bench/sim_flood_bench.cpp measures the
// process's memory under the same flood.
#include <gtest/gtest.h>

#include <chrono>

#include "sim/DeviceSimulator.h"
#include "transport/SocketShim.h"

namespace varlo::sim {
namespace {

constexpr std::size_t kMaxUdpPayload = 65507;

// Sends n datagrams of the largest size, each only once the one before has been taken, so that
// none is lost to a full socket buffer.
void Flood(DeviceSimulator& simulator, std::size_t n) {
    const net::SocketHandle s = net::OpenUdp();
    ASSERT_NE(s, net::kInvalidSocket);
    Bytes datagram(kMaxUdpPayload, 0x42);
    const uint64_t start = simulator.Received();
    for (std::size_t i = 0; i < n; ++i) {
        datagram[0] = static_cast<uint8_t>(i);  // a rig without devices answers none of them
        datagram[1] = static_cast<uint8_t>(i >> 8);
        ASSERT_EQ(
            net::SendTo(s, simulator.Address(), simulator.Port(), datagram.data(), datagram.size()),
            static_cast<int>(datagram.size()));
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (simulator.Received() < start + i + 1) {
            ASSERT_LT(std::chrono::steady_clock::now(), until) << "datagram " << i << " lost";
            net::SleepMs(1);
        }
    }
    net::Close(s);
}

TEST(RequestLog, AFloodKeepsOnlyTheLatestDatagramsWithinTheLimits) {
    SimOptions options;
    options.recordRequests = true;
    options.logMaxEntries = 100;
    options.logMaxBytes = 1024 * 1024;  // 16 datagrams of the largest size
    DeviceSimulator simulator(Rig{}, options);
    ASSERT_TRUE(simulator.Start());
    Flood(simulator, 200);
    EXPECT_EQ(simulator.Received(), 200u);
    EXPECT_LE(simulator.LogBytes(), options.logMaxBytes);
    const auto log = simulator.Log();
    ASSERT_EQ(log.size(), 16u);
    EXPECT_EQ(log.front().sequence, 184u);
    EXPECT_EQ(log.back().sequence, 199u);
    EXPECT_EQ(log.back().bytes.size(), kMaxUdpPayload);
    EXPECT_EQ(log.back().bytes[0], 199);

    // Many small ones: the entry limit holds.
    simulator.ClearLog();
    const net::SocketHandle s = net::OpenUdp();
    for (int i = 0; i < 300; ++i) {
        const uint8_t small[4] = {0x55, 0, 0, static_cast<uint8_t>(i)};
        net::SendTo(s, simulator.Address(), simulator.Port(), small, sizeof small);
        while (simulator.Received() < 201u + static_cast<unsigned>(i)) {
            net::SleepMs(1);
        }
    }
    net::Close(s);
    EXPECT_EQ(simulator.LogSize(), 100u);
    EXPECT_EQ(simulator.LogBytes(), 400u);
}

TEST(RequestLog, NothingIsKeptUnlessAsked) {
    DeviceSimulator simulator(Rig{});
    ASSERT_TRUE(simulator.Start());
    Flood(simulator, 50);
    EXPECT_EQ(simulator.Received(), 50u);
    EXPECT_EQ(simulator.LogSize(), 0u);
    EXPECT_EQ(simulator.LogBytes(), 0u);
}

TEST(RequestLog, LogSinceHandsOutEachDatagramOnceAndSkipsWhatWasDropped) {
    SimOptions options;
    options.recordRequests = true;
    options.logMaxEntries = 4;
    DeviceSimulator simulator(Rig{}, options);
    ASSERT_TRUE(simulator.Start());
    const net::SocketHandle s = net::OpenUdp();
    const auto send = [&](uint8_t tag) {
        const uint64_t before = simulator.Received();
        const uint8_t d[2] = {0x55, tag};
        net::SendTo(s, simulator.Address(), simulator.Port(), d, sizeof d);
        while (simulator.Received() == before) {
            net::SleepMs(1);
        }
    };
    uint64_t next = 0;
    send(1);
    send(2);
    auto batch = simulator.LogSince(&next);
    ASSERT_EQ(batch.size(), 2u);
    EXPECT_EQ(batch[1].bytes[1], 2);
    EXPECT_TRUE(simulator.LogSince(&next).empty());
    for (uint8_t tag = 3; tag <= 9; ++tag) {
        send(tag);
    }
    batch = simulator.LogSince(&next);
    ASSERT_EQ(batch.size(), 4u);  // 3 to 5 were dropped from the log before anyone looked
    EXPECT_EQ(batch.front().sequence, 5u);
    EXPECT_EQ(batch.front().bytes[1], 6);
    EXPECT_EQ(next, 9u);
    net::Close(s);
}

}  // namespace
}  // namespace varlo::sim
