// IP Search: the ranges an operator types, and the search on the wire against a simulator whose
// devices answer only at their own addresses, as devices spread over a network do.
#include <gtest/gtest.h>

#include "discovery/DeviceType.h"
#include "discovery/IpSearchSession.h"
#include "serialserver/SerialServerCommands.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"
#include "transport/ConfigExchange.h"

namespace varlo {
namespace {

TEST(IpRangeTest, AddressesRangesAndNetworks) {
    const struct {
        const char* text;
        const char* first;  // nullptr: refused
        uint32_t count;
    } cases[] = {
        {"192.168.1.20", "192.168.1.20", 1},
        {" 192.168.1.10-192.168.1.200 ", "192.168.1.10", 191},
        {"192.168.1.10 - 192.168.1.10", "192.168.1.10", 1},
        {"10.0.0.0/24", "10.0.0.0", 256},
        {"10.0.0.77/24", "10.0.0.0", 256},  // the network the address is in
        {"10.0.5.9/32", "10.0.5.9", 1},
        {"172.16.0.0/16", "172.16.0.0", 65536},
        {"10.0.0.0-10.0.255.255", "10.0.0.0", 65536},
        {"255.255.255.0/24", "255.255.255.0", 256},  // the top of the space does not wrap
        {"10.0.0.0/15", nullptr, 0},                 // more than 65,536
        {"10.0.0.0-10.1.0.0", nullptr, 0},
        {"192.168.1.200-192.168.1.10", nullptr, 0},  // backwards
        {"192.168.1", nullptr, 0},
        {"192.168.1.256", nullptr, 0},
        {"10.0.0.0/33", nullptr, 0},
        {"10.0.0.0/", nullptr, 0},
        {"10.0.0.0/2x", nullptr, 0},
        {"", nullptr, 0},
    };
    for (const auto& c : cases) {
        std::string error;
        const std::optional<IpRange> r = ParseIpRange(c.text, &error);
        ASSERT_EQ(r.has_value(), c.first != nullptr) << c.text << ": " << error;
        if (r) {
            EXPECT_EQ(FormatIpv4(r->first), c.first) << c.text;
            EXPECT_EQ(r->count, c.count) << c.text;
        } else {
            EXPECT_FALSE(error.empty()) << c.text;
        }
    }
    EXPECT_EQ(ParseIpRange("10.0.0.0/30")->ToString(), "10.0.0.0-10.0.0.3");
}

sim::Rig SpreadRig() {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_4, {0, 0x1A, 0x2B, 3, 0, 5}, {127, 1, 3, 5}));
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_KV70, {0, 0x1A, 0x2B, 3, 0, 9}, {127, 1, 3, 9}));
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_KV70, {0, 0x1A, 0x2B, 3, 0, 99}, {127, 1, 4, 1}));
    for (std::size_t i = 0; i < rig.devices.size(); ++i) {
        sim::InstallFactoryBlocks(rig.devices[i], i);
    }
    return rig;
}

class IpSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::SimOptions options;
        options.answerOwnAddressOnly = true;
        options.recordRequests = true;
        options.searchDelayMinMs = options.searchDelayMaxMs = 1;
        simulator = std::make_unique<sim::DeviceSimulator>(SpreadRig(), options);
        // Every address, so that each device answers at its own loopback address.
        ASSERT_TRUE(simulator->Start(0, 0));
        Transport().targetPort = simulator->Port();
        Transport().searchLocalPort = 0;
        clock.settle = [this](net::SocketHandle s) {
            const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!simulator->Idle() && std::chrono::steady_clock::now() < until) {
                if (s != net::kInvalidSocket && net::WaitReadable(s, 1)) {
                    return;
                }
                net::SleepMs(1);
            }
        };
        Transport().clock = &clock;
    }
    void TearDown() override { simulator->Stop(); }

    testing::VirtualClock clock;
    testing::ScopedTransport transport;
    testing::ScopedDeviceTable deviceTable;
    std::unique_ptr<sim::DeviceSimulator> simulator;
};

TEST_F(IpSearchTest, AsksEveryAddressOnceAndConfiguresWhatItFoundByUnicast) {
    CConfigParamArray& table = g_arrConfigParam;
    table.RemoveAll();
    // A device already listed stays where it is and is not listed again.
    table.Add(_CONFIGPARAM::FromBytes(
        testing::HexArray<16>("04 00 00 90 00 00 00 1A 2B 03 00 05 7F 01 03 05")));
    IpSearchSession session(table);
    std::vector<std::size_t> added;
    ASSERT_TRUE(RunIpSearch(session, *ParseIpRange("127.1.3.0/28"), 2000,
                            [&](std::size_t i) { added.push_back(i); }));
    EXPECT_EQ(session.Sent(), 16u);
    EXPECT_EQ(session.Failed(), 0u);
    ASSERT_EQ(table.GetSize(), 2u);
    EXPECT_EQ(added, std::vector<std::size_t>{1});
    EXPECT_EQ(table[1].dwType(), DEVTYPE_KV70);
    EXPECT_TRUE(table.RouteOf(1).unicast);
    EXPECT_EQ(table.RouteOf(1).destination, 0x7F010309u);

    // One bare request to each address, in order.
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 16u);
    for (uint32_t i = 0; i < 16; ++i) {
        EXPECT_TRUE(testing::BytesEq(log[i].bytes, testing::Hex("01 00 00 08 00 00 00 00")));
        EXPECT_EQ(log[i].toAddr, 0x7F010300u + i);
    }
    // The serial server is configured at the address it answered from, not by broadcast.
    simulator->ClearLog();
    _BASICPARAM basic;
    ASSERT_TRUE(ReadBlockFrom(table[1].Identity(), BuildHeaderRequest,
                              serialserver::kReadBasicParam, &basic));
    ASSERT_EQ(simulator->Log().size(), 1u);
    EXPECT_EQ(simulator->Log()[0].toAddr, 0x7F010309u);
}

TEST(IpSearchRateTest, RequestsGoOutNoFasterThanTheRate) {
    testing::ScopedTransport restore;
    testing::VirtualClock clock;
    Transport().clock = &clock;
    Transport().searchLocalPort = 0;
    Transport().targetPort = 9;  // discard: nobody answers on loopback
    CConfigParamArray table;
    IpSearchSession session(table);
    ASSERT_TRUE(session.Open(*ParseIpRange("127.2.0.0/24"), 2000));
    const auto start = clock.Now();
    EXPECT_TRUE(session.Pump(start));
    EXPECT_EQ(session.Sent(), 1u);
    EXPECT_TRUE(session.Pump(start + std::chrono::milliseconds(2)));
    EXPECT_EQ(session.Sent(), 5u);  // at 0, 0.5, 1, 1.5 and 2 ms
    EXPECT_TRUE(session.Pump(start + std::chrono::milliseconds(127)));
    EXPECT_EQ(session.Sent(), 255u);
    EXPECT_TRUE(session.Pump(start + std::chrono::milliseconds(128)));
    EXPECT_EQ(session.Sent(), 256u);
    // Late replies are still taken for a second after the last request, then it ends.
    EXPECT_TRUE(session.Pump(start + std::chrono::milliseconds(1127)));
    EXPECT_FALSE(session.Pump(start + std::chrono::milliseconds(1128)));
}

TEST(IpSearchRateTest, StopEndsItAtOnce) {
    testing::ScopedTransport restore;
    Transport().searchLocalPort = 0;
    Transport().targetPort = 9;
    CConfigParamArray table;
    IpSearchSession session(table);
    ASSERT_TRUE(session.Open(*ParseIpRange("127.2.0.0/24"), 2000));
    session.Stop();
    EXPECT_FALSE(session.Pump(Transport().clock->Now()));
    EXPECT_EQ(session.Sent(), 0u);
}

}  // namespace
}  // namespace varlo
