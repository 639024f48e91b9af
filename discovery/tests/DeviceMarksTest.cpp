// The device list's marks: an address outside the finding adapter's subnet, an address two
// devices share.
#include <gtest/gtest.h>

#include "discovery/DeviceMarks.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

_CONFIGPARAM Record(uint8_t macLast, const char* ip) {
    uint32_t addr = 0;
    EXPECT_TRUE(ParseIpv4(ip, &addr));
    char hex[64];
    std::snprintf(hex, sizeof hex, "04 00 00 90 00 00 00 1A 2B 00 00 %02X %02X %02X %02X %02X",
                  macLast, addr >> 24, (addr >> 16) & 0xFF, (addr >> 8) & 0xFF, addr & 0xFF);
    return _CONFIGPARAM::FromBytes(testing::HexArray<16>(hex));
}

DeviceRoute FoundOn(const char* name, uint32_t addr, uint32_t mask) {
    DeviceRoute r;
    r.adapter.name = name;
    r.adapter.index = 3;
    r.adapter.addr = addr;
    r.adapter.mask = mask;
    return r;
}

TEST(DeviceMarksTest, OutsideTheAdaptersSubnetAndSharedAddresses) {
    const DeviceRoute eth0 = FoundOn("eth0", 0x0A470101, 0xFFFFFF00);  // 10.71.1.1/24
    DeviceRoute unicast;
    unicast.unicast = true;
    unicast.destination = 0xC0A80007;
    CConfigParamArray table;
    table.Add(Record(1, "10.71.1.50"), eth0);      // 0: fits
    table.Add(Record(2, "192.168.0.7"), eth0);     // 1: outside
    table.Add(Record(3, "10.71.1.60"), eth0);      // 2: shares with 3
    table.Add(Record(4, "10.71.1.60"), eth0);      // 3
    table.Add(Record(5, "10.71.1.70"), eth0);      // 4: the same device twice shares with nobody
    table.Add(Record(5, "10.71.1.70"), eth0);      // 5
    table.Add(Record(6, "192.168.0.8"), unicast);  // 6: found by IP Search, reachable
    table.Add(Record(7, "192.168.0.9"));           // 7: found with --target: no adapter
    table.Add(Record(8, "10.71.1.255"), eth0);     // 8: the subnet's edge still fits
    const std::vector<DeviceMark> marks = MarkDevices(table);
    ASSERT_EQ(marks.size(), table.GetSize());
    const bool outside[] = {false, true, false, false, false, false, false, false, false};
    const bool shared[] = {false, false, true, true, false, false, false, false, false};
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].outsideSubnet, outside[i]) << i;
        EXPECT_EQ(marks[i].sharedIp, shared[i]) << i;
        EXPECT_EQ(marks[i].advice.empty(), !marks[i].Any()) << i;
    }
    EXPECT_EQ(marks[1].advice,
              "192.168.0.7 is outside the subnet of eth0 (10.71.1.0/24), the adapter that found "
              "it: its web page cannot be reached from here. Give it an address in that subnet "
              "with Config.");
    EXPECT_EQ(marks[2].advice,
              "Another device answered with 10.71.1.60 too: give each device an address of its "
              "own with Config.");
}

}  // namespace
}  // namespace varlo
