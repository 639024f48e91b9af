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

// Replies of any length and content, for every read and write: under AddressSanitizer nothing
// may read or write outside its buffers, and a read that passes hands back reply byte 8 on.
TEST_F(SerialServerCommandsTest, RandomRepliesNeverEscapeTheirBuffers) {
    Start(1);
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
    for (int round = 0; round < 20; ++round) {
        SerialDeviceInfo info;
        EXPECT_TRUE(!ReadDeviceInfo(&info) || replies.Sent(BytesOf(info), 0));
        _BASICPARAM basic;
        EXPECT_TRUE(!ReadBasicParam(&basic) || replies.Sent(BytesOf(basic), 8));
        _WIRELESSPARAM wireless;
        EXPECT_TRUE(!ReadWirelessParam(&wireless) || replies.Sent(BytesOf(wireless), 8));
        _SERIALPARAM serial;
        EXPECT_TRUE(!ReadSerialParam(&serial) || replies.Sent(BytesOf(serial), 8));
        _OPMODEPARAM opMode;
        EXPECT_TRUE(!ReadOpModeParam(&opMode) || replies.Sent(BytesOf(opMode), 8));
        WriteBasicParam(basic);
        WriteWirelessParam(wireless);
        WriteSerialParam(serial);
        WriteOpModeParam(opMode);
    }
    EXPECT_GT(replies.Count(), 180u);
}

}  // namespace
}  // namespace varlo
