#include <gtest/gtest.h>

#include <cstring>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDeviceInfo.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetItems.h"
#include "artnet/Rt5350BasicParam.h"

namespace varlo {
namespace {

TEST(ArtNetBlocks, TextIsPaddedWithZerosToTheFieldsEnd) {
    _ARTNETBASICPARAM basic;
    basic.SetDeviceName(std::string(32, 'x'));
    basic.SetDmxHoldTime(5);
    EXPECT_EQ(basic.DeviceName(), std::string(31, 'x'));  // at most width - 1 characters
    basic.SetDeviceName(std::string(40, 'N'));
    EXPECT_EQ(basic.DeviceName(), std::string(31, 'N'));
    EXPECT_EQ(basic.GetU8(31), 0);
    basic.SetDeviceName("Stage");
    for (std::size_t i = 5; i < 32; ++i) {
        EXPECT_EQ(basic.GetU8(i), 0) << i;  // no bytes of the longer name survive
    }
    EXPECT_EQ(basic.DmxHoldTime(), 5);
}

TEST(ArtNetBlocks, ModuleNameMayUseAllEighteenBytes) {
    ArtNetDeviceInfo info;
    info.SetFirstMac({1, 2, 3, 4, 5, 6});
    for (std::size_t i = 0; i < ArtNetDeviceInfo::kModuleNameWidth; ++i) {
        info.SetU8(ArtNetDeviceInfo::kModuleName + i, 'a' + i);
    }
    EXPECT_EQ(info.ModuleName(), "abcdefghijklmnopqr");  // bytes 44 to 61, not into the MAC
    EXPECT_EQ(info.FirstMac(), (MacBytes{1, 2, 3, 4, 5, 6}));
}

TEST(ArtNetBlocks, ChecksumIsCrc16ModbusOverTheLeadingBytesHighByteFirst) {
    _ARTNETDMXPARAM dmx;
    std::memcpy(dmx.data(), "123456789", 9);
    dmx.SetU8(_ARTNETDMXPARAM::kTrailer, 0x5A);  // after the checksum: not covered
    dmx.StampChecksum();
    EXPECT_EQ(dmx.GetU8(48), 0x37);  // CRC-16/MODBUS of "123456789" and 39 zero bytes: 0x37A0
    EXPECT_EQ(dmx.GetU8(49), 0xA0);
    EXPECT_EQ(dmx.Checksum(), 0x37A0);
    EXPECT_TRUE(dmx.ChecksumMatches());
    dmx.SetU8(47, 1);
    EXPECT_FALSE(dmx.ChecksumMatches());

    // CRC-16/MODBUS of 84 zero bytes is 0x1DD2, of 56 zero bytes 0x0CCA.
    _ARTNETBASICPARAM basic;
    basic.SetU8(86, 0xFF);
    basic.StampChecksum();
    EXPECT_EQ(basic.GetU8(84), 0x1D);
    EXPECT_EQ(basic.GetU8(85), 0xD2);
    EXPECT_TRUE(basic.ChecksumMatches());
    EXPECT_EQ(basic.GetU8(86), 0xFF);  // the trailer is left as it was
    _RT5350BASICPARAM module;
    module.SetU8(58, 0xFF);
    module.StampChecksum();
    EXPECT_EQ(module.GetU8(56), 0x0C);
    EXPECT_EQ(module.GetU8(57), 0xCA);
    EXPECT_EQ(module.Checksum(), 0x0CCA);
    EXPECT_EQ(module.GetU8(58), 0xFF);
}

TEST(ArtNetBlocks, PortRecordsAndAddressSetsSitAtTheirOffsets) {
    _ARTNETDMXPARAM dmx;
    _DMXPORTPARAM port;
    port.SetPortMode(1);
    port.SetUniverse(0x37);
    port.SetFrameRate(40);
    port.SetMergeMode(2);
    port.SetUnicast(1);
    port.SetUnicastAddress({192, 168, 1, 10});
    dmx.SetPort(1, port);
    EXPECT_EQ(dmx.GetU8(12), 1);
    EXPECT_EQ(dmx.GetU8(14), 0x37);
    EXPECT_EQ(dmx.GetU8(16), 2);
    EXPECT_EQ(dmx.GetU8(19), 1);
    EXPECT_EQ(dmx.GetU8(20), 192);
    EXPECT_EQ(dmx.GetU8(23), 10);
    EXPECT_EQ(dmx.Port(1).SubNet(), 3);
    EXPECT_EQ(dmx.Port(1).UniverseInSubNet(), 7);
    EXPECT_EQ(dmx.Port(0), _DMXPORTPARAM());

    _ARTNETBASICPARAM basic;
    basic.SetAddresses(_ARTNETBASICPARAM::kNodeBStatic,
                       {{10, 0, 0, 1}, {255, 0, 0, 0}, {10, 0, 0, 254}});
    EXPECT_EQ(basic.GetU8(72), 10);
    EXPECT_EQ(basic.GetU8(76), 255);
    EXPECT_EQ(basic.GetU8(83), 254);
    basic.SetIpType(artnet::kIpTypeCustom);
    EXPECT_EQ(basic.GetU8(35), 3);

    _RT5350BASICPARAM module;
    module.SetSubnetMask({255, 255, 0, 0});
    EXPECT_EQ(module.GetU8(40), 255);
    EXPECT_EQ(module.GetU8(42), 0);
}

TEST(ArtNetBlocks, SelectorsWithoutAnItemReadAsNoSelectionAndWriteAs0xFF) {
    using namespace artnet;
    EXPECT_STREQ(kIpTypeItems.TextOf(3), "Custom IP");
    EXPECT_STREQ(kDmxHoldTimeItems.TextOf(6), "off");
    EXPECT_EQ(kDmxHoldTimeItems.TextOf(9), nullptr);
    EXPECT_STREQ(kDisplayHoldTimeItems.TextOf(3), "1 minutes");
    EXPECT_EQ(kMergeModeItems.IndexOf(7), -1);
    EXPECT_EQ(SelectorList::WireOf(kMergeModeItems.IndexOf(7)), 0xFF);
    EXPECT_EQ(kPortModeItems.TextOf(0xFF), nullptr);
}

}  // namespace
}  // namespace varlo
