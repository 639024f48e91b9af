#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "discovery/DeviceTable.h"
#include "serialserver/SerialServerCommands.h"
#include "serialserver/SerialServerItems.h"
#include "testsupport/RandomReplies.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

using namespace serialserver;
using testing::BytesEq;
using testing::Hex;
using testing::Repeat;

constexpr MacBytes kMac{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
// Type 0x11510080 as the device sends it, the two extra bytes, the MAC.
const char* const kIdentityHex = "80 00 51 11  00 00  00 1A 2B 3C 4D 5E";

template <typename Block>
Bytes BytesOf(const Block& b) {
    return Bytes(b.data(), b.data() + b.size());
}

// A block whose every byte is 0xEE: what a failed read must leave behind.
template <typename Block>
Block Sentinel() {
    Block b;
    for (std::size_t i = 0; i < b.size(); ++i) {
        b.SetU8(i, 0xEE);
    }
    return b;
}

class SerialServerCommandsTest : public testing::SimulatorTest {
protected:
    void Start(int pollSleepMs = 10) {
        sim::Rig rig;
        rig.devices.push_back(sim::MakeSimDevice(DEVTYPE_KV70, kMac, {192, 168, 1, 101}));
        sim::InstallFactoryBlocks(rig.devices[0], 0);
        factory = rig.devices[0].factory;
        g_arrConfigParam.Add(rig.devices[0].record);
        g_nCurDevice = 0;
        StartSimulator(std::move(rig), pollSleepMs);
    }
    Bytes Stored(uint8_t readCode) {
        Bytes b;
        simulator->WithDevices([&](std::vector<sim::SimDevice>& d) { b = d[0].blocks[readCode]; });
        return b;
    }

    std::map<uint8_t, Bytes> factory;
};

TEST_F(SerialServerCommandsTest, ReadSendsTheHeaderAloneAndWriteTheHeaderAndTheBlock) {
    Start();
    _BASICPARAM basic;
    ASSERT_TRUE(ReadBasicParam(&basic));
    EXPECT_TRUE(BytesEq(BytesOf(basic), factory[kReadBasicParam]));

    _SERIALPARAM serial;
    serial.SetBaudRate(17);
    serial.SetDataBits(2);
    serial.SetStopBits(1);
    serial.SetParity(4);
    ASSERT_TRUE(WriteSerialParam(serial));

    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(BytesEq(log[0].bytes, Hex(std::string("03 00 00 14 00 00 00 00") + kIdentityHex)));
    EXPECT_TRUE(BytesEq(log[1].bytes, Hex(std::string("09 00 00 24 00 00 00 00") + kIdentityHex +
                                          "00 00 00 11"      // baud-rate code 17 = 230400
                                          "00 00 00 02"      // data bits: seven
                                          "00 00 00 01"      // stop bits: two
                                          "00 00 00 04")));  // parity: space
}

// Every write code, its frame written out here field by field (not produced by the block
// classes the program uses): the header with the total length, the identity, the block.
TEST_F(SerialServerCommandsTest, EveryWriteIsTheHeaderAndTheBlockToTheByte) {
    Start();
    const auto frame = [](const char* header, std::initializer_list<Bytes> parts) {
        Bytes f = Hex(std::string(header) + kIdentityHex);
        for (const Bytes& p : parts) {
            f.insert(f.end(), p.begin(), p.end());
        }
        return f;
    };

    _BASICPARAM basic;
    basic.SetDeviceName("Port-1");
    basic.SetIpType(1);
    basic.SetLocalIp({192, 168, 7, 20});
    basic.SetSubnetMask({255, 255, 255, 0});
    basic.SetGateway({192, 168, 7, 1});
    basic.SetPreferredDns({8, 8, 8, 8});
    basic.SetAlternateDns({1, 1, 1, 1});
    ASSERT_TRUE(WriteBasicParam(basic));
    const Bytes basicFrame = frame("07 00 00 4C 00 00 00 00",  // 0x07, length 76
                                   {Hex("50 6F 72 74 2D 31"),  // "Port-1"
                                    Repeat(0, 26),             // the rest of its 32 bytes
                                    Hex("00 00 00 01"),        // DHCP
                                    Hex("C0 A8 07 14"),        // 192.168.7.20
                                    Hex("FF FF FF 00"),        // mask
                                    Hex("C0 A8 07 01"),        // gateway
                                    Hex("08 08 08 08"),        // preferred DNS
                                    Hex("01 01 01 01")});      // alternate DNS

    _WIRELESSPARAM wireless;
    wireless.SetSsid("AP");
    wireless.SetWirelessMode(1);
    wireless.SetEncryptionMode(3);
    wireless.SetWepKeyLength(1);
    wireless.SetWepKeyFormat(1);
    wireless.SetWepDefaultKey(2);
    const uint8_t key64[5] = {0x11, 0x22, 0x33, 0x44, 0x55};
    wireless.SetWepKey(0, 0, key64);
    const uint8_t key128[13] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6,
                                0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC};
    wireless.SetWepKey(1, 3, key128);
    wireless.SetWpaCipher(2);
    wireless.SetPassPhrase("secret");
    ASSERT_TRUE(WriteWirelessParam(wireless));
    const Bytes wirelessFrame =
        frame("08 00 00 F8 00 00 00 00",        // 0x08, length 248
              {Hex("41 50"), Repeat(0, 34),     // SSID "AP" in 36 bytes
               Hex("00 00 00 01"),              // client
               Hex("00 00 00 03"),              // WPA2-Personal
               Hex("00 00 00 01"),              // 128-bit keys
               Hex("00 00 00 01"),              // HEX
               Hex("00 00 00 02"),              // key 3 is the default
               Hex("11 22 33 44 55 00 00 00"),  // 64-bit key 1 in its 8-byte slot
               Repeat(0, 24),                   // 64-bit keys 2 to 4
               Repeat(0, 48),                   // 128-bit keys 1 to 3
               Hex("A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 AA AB AC 00 00 00"),  // 128-bit key 4
               Hex("00 00 00 02"),                                      // AES
               Repeat(0, 4),                                            // not interpreted
               Hex("73 65 63 72 65 74"), Repeat(0, 62)});               // "secret" in 68

    _SERIALPARAM serial;
    serial.SetBaudRate(17);
    serial.SetDataBits(2);
    serial.SetStopBits(1);
    serial.SetParity(4);
    ASSERT_TRUE(WriteSerialParam(serial));
    const Bytes serialFrame = frame("09 00 00 24 00 00 00 00",  // 0x09, length 36
                                    {Hex("00 00 00 11"),        // baud-rate code 17 = 230400
                                     Hex("00 00 00 02"),        // data bits: seven
                                     Hex("00 00 00 01"),        // stop bits: two
                                     Hex("00 00 00 04")});      // parity: space

    _OPMODEPARAM opMode;
    opMode.SetOpMode(2);
    opMode.SetRealComKeepAlive(5);
    opMode.SetTcpServerKeepAlive(6);
    opMode.SetTcpServerPort(4001);
    opMode.SetTcpClientKeepAlive(7);
    opMode.SetTcpClientAddress(0, "10.0.0.1");
    opMode.SetTcpClientPort(0, 502);
    opMode.SetUdpAddress(3, "host");
    opMode.SetUdpPort(3, 65535);
    opMode.SetUdpListenPort(0x1234);
    ASSERT_TRUE(WriteOpModeParam(opMode));
    const Bytes opModeFrame =
        frame("0A 00 01 7C 00 00 00 00",                       // 0x0A, length 380
              {Hex("00 00 00 02"),                             // TCP client
               Hex("00 00 00 05"),                             // real COM keep-alive
               Hex("00 00 00 06"),                             // TCP server keep-alive
               Hex("0F A1"),                                   // TCP server port 4001
               Hex("00 00"),                                   // reserved
               Hex("00 00 00 07"),                             // TCP client keep-alive
               Hex("31 30 2E 30 2E 30 2E 31"), Repeat(0, 32),  // client address 1 "10.0.0.1"
               Repeat(0, 120),                                 // client addresses 2 to 4
               Hex("01 F6 00 00 00 00 00 00"),                 // client ports: 502, 0, 0, 0
               Repeat(0, 120),                                 // UDP addresses 1 to 3
               Hex("68 6F 73 74"), Repeat(0, 36),              // UDP address 4 "host"
               Hex("00 00 00 00 00 00 FF FF"),                 // UDP ports: 0, 0, 0, 65535
               Hex("12 34"),                                   // UDP listen port
               Hex("00 00")});                                 // reserved

    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_TRUE(BytesEq(log[0].bytes, basicFrame));
    EXPECT_TRUE(BytesEq(log[1].bytes, wirelessFrame));
    EXPECT_TRUE(BytesEq(log[2].bytes, serialFrame));
    EXPECT_TRUE(BytesEq(log[3].bytes, opModeFrame));
}

struct FailureCase {
    const char* name;
    std::function<void(sim::SimFaults&)> fault;
    bool readSucceeds;
    bool writeSucceeds;
};

TEST_F(SerialServerCommandsTest, EachFailureKindFailsAndLeavesTheBlockAsItWas) {
    Start();
    const FailureCase cases[] = {
        {"answered", [](sim::SimFaults&) {}, true, true},
        {"silence", [](sim::SimFaults& f) { f.silent = true; }, false, false},
        {"one byte short", [](sim::SimFaults& f) { f.lengthDelta = -1; }, false, false},
        // Does not fit the reply buffer: the wait runs to the end of the budget.
        {"one byte long", [](sim::SimFaults& f) { f.lengthDelta = 1; }, false, false},
        {"wrong code", [](sim::SimFaults& f) { f.wrongCode = true; }, false, false},
        // The status byte counts for writes only.
        {"status 1", [](sim::SimFaults& f) { f.status = 1; }, true, false},
        {"status 0x80", [](sim::SimFaults& f) { f.status = 0x80; }, true, false},
        {"stray datagram first",
         [](sim::SimFaults& f) { f.before = {Hex("86 00 00 00 00 00 00 00")}; }, false, false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimFaults faults;
        c.fault(faults);
        simulator->SetFaults(0, faults);
        simulator->ClearLog();

        _OPMODEPARAM opMode = Sentinel<_OPMODEPARAM>();
        EXPECT_EQ(ReadOpModeParam(&opMode), c.readSucceeds);
        EXPECT_TRUE(BytesEq(BytesOf(opMode), c.readSucceeds ? factory[kReadOpModeParam]
                                                            : BytesOf(Sentinel<_OPMODEPARAM>())));
        SerialDeviceInfo info = Sentinel<SerialDeviceInfo>();
        EXPECT_EQ(ReadDeviceInfo(&info), c.readSucceeds);
        if (!c.readSucceeds) {
            EXPECT_EQ(info, Sentinel<SerialDeviceInfo>());
        }

        _WIRELESSPARAM wireless;
        wireless.SetSsid("Other-AP");
        EXPECT_EQ(WriteWirelessParam(wireless), c.writeSucceeds);
    }
}

TEST_F(SerialServerCommandsTest, UnansweredExchangesSendThreeTimes) {
    Start();
    sim::SimFaults faults;
    faults.lengthDelta = 1;
    simulator->SetFaults(0, faults);
    _SERIALPARAM serial;
    EXPECT_FALSE(ReadSerialParam(&serial));
    EXPECT_EQ(simulator->LogSize(), 3u);
}

TEST_F(SerialServerCommandsTest, ReadRepliesAreJudgedByLengthAndCodeOnly) {
    Start();
    simulator->OverrideCommand(kReadSerialParam, [](sim::SimDevice&, const Bytes&) {
        return std::optional<Bytes>(
            Hex("85 FF 01 02 03 04 05 06  00 00 00 0C 00 00 00 03"
                "00 00 00 00 00 00 00 00"));
    });
    _SERIALPARAM serial;
    ASSERT_TRUE(ReadSerialParam(&serial));
    EXPECT_EQ(serial.BaudRate(), 12u);
    EXPECT_STREQ(kBaudRateItems.TextOf(serial.BaudRate()), "9600");
    EXPECT_STREQ(kDataBitsItems.TextOf(serial.DataBits()), "8");
}

TEST_F(SerialServerCommandsTest, EveryBlockRoundTripsThroughTheDevice) {
    Start();
    _BASICPARAM basic;
    ASSERT_TRUE(ReadBasicParam(&basic));
    basic.SetDeviceName(std::string(40, 'N'));  // stored as 31 characters and a zero byte
    basic.SetIpType(1);
    basic.SetLocalIp({192, 168, 7, 20});
    ASSERT_TRUE(WriteBasicParam(basic));
    _BASICPARAM basicBack;
    ASSERT_TRUE(ReadBasicParam(&basicBack));
    EXPECT_EQ(basicBack, basic);
    EXPECT_EQ(basicBack.DeviceName(), std::string(31, 'N'));
    EXPECT_EQ(Stored(kReadBasicParam)[31], 0);

    _WIRELESSPARAM wireless;
    ASSERT_TRUE(ReadWirelessParam(&wireless));
    wireless.SetEncryptionMode(1);
    wireless.SetWepKeyLength(1);
    const uint8_t key[13] = {0xDE, 0xAD, 0xBE, 0xEF, 1, 2, 3, 4, 5, 6, 7, 8, 0x80};
    wireless.SetWepKey(1, 2, key);
    ASSERT_TRUE(WriteWirelessParam(wireless));
    _WIRELESSPARAM wirelessBack;
    ASSERT_TRUE(ReadWirelessParam(&wirelessBack));
    EXPECT_EQ(wirelessBack, wireless);

    _SERIALPARAM serial;
    serial.SetBaudRate(16);
    ASSERT_TRUE(WriteSerialParam(serial));
    _SERIALPARAM serialBack;
    ASSERT_TRUE(ReadSerialParam(&serialBack));
    EXPECT_EQ(serialBack, serial);

    _OPMODEPARAM opMode;
    ASSERT_TRUE(ReadOpModeParam(&opMode));
    opMode.SetOpMode(3);
    opMode.SetUdpAddress(3, "controller.local");
    opMode.SetUdpPort(3, 65535);
    ASSERT_TRUE(WriteOpModeParam(opMode));
    _OPMODEPARAM opModeBack;
    ASSERT_TRUE(ReadOpModeParam(&opModeBack));
    EXPECT_EQ(opModeBack, opMode);
    EXPECT_EQ(opModeBack.UdpAddress(3), "controller.local");
}

TEST_F(SerialServerCommandsTest, ModuleNameMayFillAllEighteenBytes) {
    Start();
    simulator->WithDevices([](std::vector<sim::SimDevice>& d) {
        Bytes& stored = d[0].blocks[kReadDeviceInfo];  // the reply from byte 8 on
        SerialDeviceInfo info;
        std::copy(stored.begin(), stored.end(), info.data() + 8);
        info.SetModuleName("ABCDEFGHIJKLMNOPQRSTUV");  // 22 characters: the first 18 fit
        stored.assign(info.data() + 8, info.data() + info.size());
    });
    SerialDeviceInfo info;
    ASSERT_TRUE(ReadDeviceInfo(&info));
    EXPECT_EQ(info.ModuleName(), "ABCDEFGHIJKLMNOPQR");
    EXPECT_EQ(info.GetU8(61), 'R');
    EXPECT_EQ(info.LanMac(), kMac);
    EXPECT_EQ(info.SerialNumber(), 21050000u);
    EXPECT_EQ(info.FirmwareVersion(), "V1.06.3");
}

TEST_F(SerialServerCommandsTest, AnIndexOutsideTheTableSendsNothing) {
    Start();
    for (const int index : {-1, 1}) {
        g_nCurDevice = index;
        _BASICPARAM basic = Sentinel<_BASICPARAM>();
        EXPECT_FALSE(ReadBasicParam(&basic));
        EXPECT_EQ(basic, Sentinel<_BASICPARAM>());
        EXPECT_FALSE(WriteBasicParam(basic));
    }
    EXPECT_FALSE(simulator->WaitForLog(1, 100));
}

// Replies of any length and content, for every read and write: each operation must pass exactly
// when the reply it acted on was good, hand back reply byte 8 on when it passes and leave its
// block alone when it fails; under AddressSanitizer nothing may read or write outside its buffers.
TEST_F(SerialServerCommandsTest, RandomRepliesAreJudgedExactlyAndNeverEscapeTheirBuffers) {
    Start();
    testing::RandomReplies replies(7);
    replies.Install(*simulator, {{kReadDeviceInfo, 76},
                                 {kReadBasicParam, 64},
                                 {kReadWirelessParam, 236},
                                 {kReadSerialParam, 24},
                                 {kReadOpModeParam, 368},
                                 {kWriteBasicParam, 8},
                                 {kWriteWirelessParam, 8},
                                 {kWriteSerialParam, 8},
                                 {kWriteOpModeParam, 8}});
    // The block by reference: its bytes are taken once the read has run.
    const auto read = [&](bool ok, uint8_t code, std::size_t length, std::size_t offset,
                          const auto& result) {
        const Bytes block = BytesOf(result);
        const std::optional<Bytes> passing = replies.Passing(code, length, false);
        EXPECT_EQ(ok, passing.has_value()) << "read 0x" << std::hex << int(code);
        if (ok && passing) {
            EXPECT_TRUE(BytesEq(block, Bytes(passing->begin() + offset, passing->end())));
        } else if (!ok) {
            EXPECT_EQ(block, Bytes(block.size(), 0)) << "a failed read leaves the block alone";
        }
    };
    const auto write = [&](bool ok, uint8_t code) {
        EXPECT_EQ(ok, replies.Passing(code, 8, true).has_value())
            << "write 0x" << std::hex << int(code);
    };
    for (int round = 0; round < 20; ++round) {
        SerialDeviceInfo info;
        read(ReadDeviceInfo(&info), kReadDeviceInfo, 76, 0, info);
        _BASICPARAM basic;
        read(ReadBasicParam(&basic), kReadBasicParam, 64, 8, basic);
        _WIRELESSPARAM wireless;
        read(ReadWirelessParam(&wireless), kReadWirelessParam, 236, 8, wireless);
        _SERIALPARAM serial;
        read(ReadSerialParam(&serial), kReadSerialParam, 24, 8, serial);
        _OPMODEPARAM opMode;
        read(ReadOpModeParam(&opMode), kReadOpModeParam, 368, 8, opMode);
        write(WriteBasicParam(basic), kWriteBasicParam);
        write(WriteWirelessParam(wireless), kWriteWirelessParam);
        write(WriteSerialParam(serial), kWriteSerialParam);
        write(WriteOpModeParam(opMode), kWriteOpModeParam);
    }
    EXPECT_GT(replies.Count(), 180u);
    // Both outcomes come up often: a program that refused every reply would fail above.
    EXPECT_GT(replies.Passes(), 20u);
    EXPECT_GT(replies.Failures(), 20u);
}

}  // namespace
}  // namespace varlo
