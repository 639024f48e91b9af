#include <gtest/gtest.h>

#include "serialserver/BasicParam.h"
#include "serialserver/OpModeParam.h"
#include "serialserver/SerialDeviceInfo.h"
#include "serialserver/SerialServerItems.h"
#include "serialserver/WirelessParam.h"

namespace varlo {
namespace {

TEST(SerialServerBlocks, AFullWidthTextWithoutTerminatorEndsAtTheFieldsEnd) {
    _BASICPARAM basic;
    basic.SetIpType(0x01020304);
    for (std::size_t i = 0; i < _BASICPARAM::kDeviceNameWidth; ++i) {
        basic.SetU8(i, 'A' + i % 26);
    }
    EXPECT_EQ(basic.DeviceName(), "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF");
    EXPECT_EQ(basic.IpType(), 0x01020304u);

    // The last TCP-client address is followed by a port whose bytes are printable too.
    _OPMODEPARAM opMode;
    for (std::size_t i = 0; i < _OPMODEPARAM::kAddressWidth; ++i) {
        opMode.SetU8(_OPMODEPARAM::TcpClientAddressAt(3) + i, '9');
    }
    opMode.SetTcpClientPort(0, 0x3838);
    EXPECT_EQ(opMode.TcpClientAddress(3), std::string(40, '9'));
}

TEST(SerialServerBlocks, WritingTextKeepsWidthMinusOneCharactersAndTheBytesAfterTheTerminator) {
    _BASICPARAM basic;
    basic.SetDeviceName(std::string(32, 'x'));  // fills the whole field, no terminator
    basic.SetDeviceName(std::string(40, 'N'));
    EXPECT_EQ(basic.DeviceName(), std::string(31, 'N'));
    EXPECT_EQ(basic.GetU8(31), 0);

    basic.SetDeviceName("short");
    EXPECT_EQ(basic.DeviceName(), "short");
    EXPECT_EQ(basic.GetU8(5), 0);
    EXPECT_EQ(basic.GetU8(6), 'N');  // serial servers leave what follows the terminator

    _WIRELESSPARAM wireless;
    wireless.SetPassPhrase(std::string(100, 'p'));
    EXPECT_EQ(wireless.PassPhrase(), std::string(67, 'p'));
}

TEST(SerialServerBlocks, FieldsSitAtTheirDocumentedOffsetsBigEndian) {
    _WIRELESSPARAM w;
    w.SetWpaCipher(3);
    w.SetEncryptionMode(0x00000102);
    const uint8_t key[13] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    w.SetWepKey(0, 3, key);  // 64-bit key 4: 5 bytes from 80
    w.SetWepKey(1, 0, key);  // 128-bit key 1: 13 bytes from 88
    EXPECT_EQ(w.GetU8(155), 3);
    EXPECT_EQ(w.GetU8(42), 0x01);
    EXPECT_EQ(w.GetU8(43), 0x02);
    EXPECT_EQ(w.GetU8(80), 1);
    EXPECT_EQ(w.GetU8(84), 5);
    EXPECT_EQ(w.GetU8(85), 0);  // the slot's last 3 bytes are not key bytes
    EXPECT_EQ(w.GetU8(88), 1);
    EXPECT_EQ(w.GetU8(100), 13);
    EXPECT_EQ(w.GetU8(101), 0);
    EXPECT_EQ(w.WepKey(7, 0).size(), 13u);  // any length but 0 means the 128-bit slots

    _OPMODEPARAM o;
    o.SetTcpServerPort(4001);
    o.SetUdpPort(3, 0xABCD);
    o.SetUdpListenPort(0x1234);
    EXPECT_EQ(o.GetU8(12), 0x0F);
    EXPECT_EQ(o.GetU8(13), 0xA1);
    EXPECT_EQ(o.GetU8(354), 0xAB);
    EXPECT_EQ(o.GetU8(356), 0x12);
}

TEST(SerialServerBlocks, TheModuleNameMayFillAllEighteenBytes) {
    SerialDeviceInfo info;
    info.SetModuleName("ABCDEFGHIJKLMNOPQRSTUV");  // 22 characters: the first 18 fit
    EXPECT_EQ(info.ModuleName(), "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(info.GetU8(61), 'R');
}

TEST(SerialServerBlocks, ItemTablesMapWireValuesBothWays) {
    using namespace serialserver;
    EXPECT_STREQ(kBaudRateItems.TextOf(2), "110");
    EXPECT_STREQ(kBaudRateItems.TextOf(12), "9600");
    EXPECT_STREQ(kBaudRateItems.TextOf(17), "230400");
    EXPECT_EQ(kBaudRateItems.TextOf(0), nullptr);
    EXPECT_EQ(kBaudRateItems.TextOf(18), nullptr);
    EXPECT_EQ(kBaudRateItems.WireOf(kBaudRateItems.IndexOf(17)), 17u);
    EXPECT_EQ(kWpaCipherItems.TextOf(0), nullptr);
    EXPECT_STREQ(kWpaCipherItems.TextOf(3), "TKIP and AES");
    EXPECT_STREQ(kEncryptionModeItems.TextOf(3), "WPA2-Personal");
    EXPECT_EQ(kParityItems.IndexOf(5), -1);
    EXPECT_EQ(kParityItems.IndexOf(0xFFFFFFFF), -1);
}

}  // namespace
}  // namespace varlo
