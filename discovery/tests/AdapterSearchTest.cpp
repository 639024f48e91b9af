// A search out of several adapters, on the wire. Loopback addresses stand in for the adapters
// (127.0.0.2 and 127.0.0.3) and each has a simulator of its own standing in for its segment
// (127.1.0.1 and 127.1.0.2), since loopback has no segments to broadcast on; the network
// namespace test (cli/tests/netns) does the same with real broadcasts.
#include <gtest/gtest.h>

#include "discovery/DeviceType.h"
#include "discovery/SearchSession.h"
#include "serialserver/SerialServerCommands.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"
#include "transport/ConfigExchange.h"

namespace varlo {
namespace {

constexpr uint32_t kSegmentSim[2] = {0x7F010001, 0x7F010002};
constexpr uint32_t kAdapterAddr[2] = {0x7F000002, 0x7F000003};

std::vector<NetAdapter>& StandIns() {
    static std::vector<NetAdapter> adapters;
    return adapters;
}
std::vector<NetAdapter> StandInSource() {
    return StandIns();
}

class AdapterSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "loopback stand-ins for adapters need Linux's loopback addresses";
#endif
        uint32_t lo = 0;
        for (const NetAdapter& a : SystemAdapters()) {
            if (a.loopback) {
                lo = a.index;
            }
        }
        if (lo == 0) {
            GTEST_SKIP() << "no loopback adapter";
        }
        StandIns().clear();
        uint16_t port = 0;
        for (int k = 0; k < 2; ++k) {
            NetAdapter a;
            a.name = "seg" + std::to_string(k + 1);
            a.index = lo;
            a.addr = kAdapterAddr[k];
            a.mask = 0xFFFFFF00;
            a.up = true;
            a.broadcastTo = kSegmentSim[k];
            StandIns().push_back(a);

            sim::Rig rig;
            rig.devices.push_back(
                k == 0
                    ? sim::MakeSimDevice(DEVTYPE_LUMA_4, {0, 0x1A, 0x2B, 1, 1, 1}, {10, 0, 1, 50})
                    : sim::MakeSimDevice(DEVTYPE_KV70, {0, 0x1A, 0x2B, 2, 2, 1}, {10, 0, 2, 60}));
            sim::InstallFactoryBlocks(rig.devices[0], 0);
            sim::SimOptions options;
            options.recordRequests = true;
            options.searchDelayMinMs = options.searchDelayMaxMs = 5;
            sims[k] = std::make_unique<sim::DeviceSimulator>(std::move(rig), options);
            ASSERT_TRUE(sims[k]->Start(kSegmentSim[k], port));
            port = sims[k]->Port();
        }
        TransportSettings& t = Transport();
        t.targetAddr = kLimitedBroadcast;
        t.targetPort = port;
        t.everyAdapter = true;
        t.searchLocalPort = 0;
        t.adapterSource = &StandInSource;
        clock.settle = [this](net::SocketHandle s) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!(sims[0]->Idle() && sims[1]->Idle()) &&
                   std::chrono::steady_clock::now() < until) {
                if (s != net::kInvalidSocket && net::WaitReadable(s, 1)) {
                    return;
                }
                net::SleepMs(1);
            }
        };
        t.clock = &clock;
    }
    void TearDown() override {
        for (auto& s : sims) {
            if (s) {
                s->Stop();
            }
        }
    }

    std::size_t Searched(CConfigParamArray& table) {
        // Only ever the stand-ins: never a real adapter, nor the limited broadcast.
        for (const NetAdapter& a : SearchAdapters()) {
            EXPECT_NE(a.broadcastTo, kLimitedBroadcast);
        }
        SearchSession session(table);
        EXPECT_TRUE(RunSearch(session, [](std::size_t) {}));
        sends = session.Sends();
        return table.GetSize();
    }

    testing::VirtualClock clock;
    testing::ScopedTransport transport;
    testing::ScopedDeviceTable deviceTable;
    std::unique_ptr<sim::DeviceSimulator> sims[2];
    std::vector<AdapterSends> sends;
};

TEST_F(AdapterSearchTest, EveryAdapterSendsAndEachDeviceRemembersItsOwn) {
    CConfigParamArray& table = g_arrConfigParam;
    ASSERT_EQ(Searched(table), 2u);
    for (int k = 0; k < 2; ++k) {
        // Five requests out of each adapter, from its own address, the first one bare.
        const auto log = sims[k]->Log();
        ASSERT_EQ(log.size(), 5u) << k;
        for (const auto& d : log) {
            EXPECT_EQ(d.fromAddr, kAdapterAddr[k]);
            EXPECT_EQ(d.bytes[0], 0x01);
        }
        EXPECT_EQ(log[0].bytes.size(), 8u);
        EXPECT_EQ(sends[k].sent, 5);
        EXPECT_EQ(sends[k].failed, 0);
        EXPECT_EQ(sends[k].replies, 1);
    }
    for (std::size_t i = 0; i < 2; ++i) {
        const int k = table[i].dwType() == DEVTYPE_KV70 ? 1 : 0;
        EXPECT_EQ(table.RouteOf(i).adapter.name, StandIns()[k].name);
        EXPECT_EQ(table.RouteOf(i).destination, kSegmentSim[k]);
    }

    // A configuration request to the serial server leaves through the adapter that found it,
    // and the other segment hears nothing of it.
    sims[0]->ClearLog();
    sims[1]->ClearLog();
    const std::size_t kv70 = table[0].dwType() == DEVTYPE_KV70 ? 0 : 1;
    _BASICPARAM basic;
    ASSERT_TRUE(ReadBlockFrom(table[kv70].Identity(), BuildHeaderRequest,
                              serialserver::kReadBasicParam, &basic));
    const auto log = sims[1]->Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].bytes[0], serialserver::kReadBasicParam);
    EXPECT_EQ(log[0].fromAddr, kAdapterAddr[1]);
    EXPECT_EQ(sims[0]->LogSize(), 0u);
}

TEST_F(AdapterSearchTest, ChosenAdapterAloneIsSearched) {
    Transport().interfaceNames = {"seg2"};
    CConfigParamArray table;
    ASSERT_EQ(Searched(table), 1u);
    EXPECT_EQ(table[0].dwType(), DEVTYPE_KV70);
    EXPECT_EQ(sims[0]->LogSize(), 0u);
    EXPECT_EQ(sims[1]->LogSize(), 5u);
    ASSERT_EQ(sends.size(), 1u);
}

TEST_F(AdapterSearchTest, TargetReplacesTheAdaptersAndRecordsNoRoute) {
    ASSERT_TRUE(SetTarget(FormatIpv4(kSegmentSim[0]) + ":" + std::to_string(sims[0]->Port())));
    CConfigParamArray table;
    ASSERT_EQ(Searched(table), 1u);
    EXPECT_TRUE(sends.empty());
    EXPECT_EQ(table.RouteOf(0).adapter.index, 0u);
    EXPECT_FALSE(Routes().Find(table[0].Identity()));
    EXPECT_EQ(sims[1]->LogSize(), 0u);
    // 127.0.0.1 is the system's choice of source for the one destination.
    EXPECT_EQ(sims[0]->Log().at(0).fromAddr, 0x7F000001u);
}

}  // namespace
}  // namespace varlo
