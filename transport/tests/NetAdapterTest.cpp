// Which adapters a search sends out of.
#include <gtest/gtest.h>

#include "testsupport/ScopedTransport.h"
#include "transport/NetAdapter.h"
#include "transport/TransportSettings.h"

namespace varlo {
namespace {

NetAdapter Adapter(const char* name, uint32_t addr, bool up = true, bool loopback = false) {
    NetAdapter a;
    a.name = name;
    a.index = 7;
    a.addr = addr;
    a.mask = 0xFFFFFF00;
    a.up = up;
    a.loopback = loopback;
    return a;
}

std::vector<NetAdapter> Workstation() {
    return {Adapter("lo", 0x7F000001, true, true),
            Adapter("eth0", 0xC0A80114),
            Adapter("wlan0", 0xA9FE1203),
            Adapter("eth1", 0x0A000001, false),
            Adapter("vpn0", 0),
            Adapter("eth2", 0x0A470101),
            Adapter("eth2", 0x0A470201)};
}

TEST(NetAdapterTest, SearchSkipsLoopbackDownLinkLocalAndAddressless) {
    const struct {
        NetAdapter adapter;
        const char* why;
    } cases[] = {
        {Adapter("eth0", 0xC0A80114), ""},
        {Adapter("lo", 0x7F000001, true, true), "loopback"},
        {Adapter("eth1", 0x0A000001, false), "down"},
        {Adapter("vpn0", 0), "no address"},
        {Adapter("wlan0", 0xA9FE1203), "link-local address only (no DHCP answer)"},
        // Only 169.254.0.0/16 is link-local: its neighbours are ordinary addresses.
        {Adapter("eth3", 0xA9FF0001), ""},
        {Adapter("eth4", 0xA9FDFFFF), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WhyNotUsed(c.adapter), c.why) << c.adapter.name;
        EXPECT_EQ(UsableForSearch(c.adapter), *c.why == '\0') << c.adapter.name;
    }
}

TEST(NetAdapterTest, ChosenNamesNarrowTheUsableAdaptersAndKeepEveryAddress) {
    testing::ScopedTransport restore;
    Transport().adapterSource = &Workstation;
    auto names = [] {
        std::vector<std::string> out;
        for (const NetAdapter& a : SearchAdapters()) {
            out.push_back(a.name + "/" + FormatIpv4(a.addr));
        }
        return out;
    };
    EXPECT_EQ(names(),
              (std::vector<std::string>{"eth0/192.168.1.20", "eth2/10.71.1.1", "eth2/10.71.2.1"}));
    Transport().interfaceNames = {"eth2"};
    EXPECT_EQ(names(), (std::vector<std::string>{"eth2/10.71.1.1", "eth2/10.71.2.1"}));
    // A chosen adapter that is down or gone is not searched; nothing else is put in its place.
    Transport().interfaceNames = {"eth1", "gone0"};
    EXPECT_TRUE(names().empty());
    // The chooser's unticked adapters are left out; names given on the command line win.
    Transport().interfaceNames.clear();
    Transport().excludedInterfaces = {"eth0"};
    EXPECT_EQ(names(), (std::vector<std::string>{"eth2/10.71.1.1", "eth2/10.71.2.1"}));
    Transport().interfaceNames = {"eth0"};
    EXPECT_EQ(names(), (std::vector<std::string>{"eth0/192.168.1.20"}));
}

TEST(NetAdapterTest, TargetReplacesTheAdapterList) {
    testing::ScopedTransport restore;
    // Test programs start pointed at loopback; an operator's default is the limited broadcast.
    // Nothing is sent here.
    Transport().targetAddr = kLimitedBroadcast;
    EXPECT_TRUE(Transport().UsesAdapters());
    ASSERT_TRUE(SetTarget("255.255.255.255"));
    EXPECT_FALSE(Transport().UsesAdapters());
    EXPECT_FALSE(SetTarget("255.255.255"));
}

TEST(NetAdapterTest, TheSystemReportsItsLoopbackAdapter) {
    const std::vector<NetAdapter> all = SystemAdapters();
    const auto lo = std::find_if(all.begin(), all.end(), [](const NetAdapter& a) {
        return a.loopback && a.addr == 0x7F000001;
    });
    ASSERT_NE(lo, all.end());
    EXPECT_NE(lo->index, 0u);
    EXPECT_EQ(lo->mask, 0xFF000000u);
    EXPECT_FALSE(UsableForSearch(*lo));
}

}  // namespace
}  // namespace varlo
