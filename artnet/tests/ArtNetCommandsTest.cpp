#include <gtest/gtest.h>

#include <functional>

#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetItems.h"
#include "discovery/DeviceTable.h"
#include "testsupport/RandomReplies.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

using namespace artnet;
using testing::BytesEq;
using testing::Hex;

template <typename Block>
Bytes BytesOf(const Block& b) {
    return Bytes(b.data(), b.data() + b.size());
}

template <typename Block>
Block Sentinel() {
    Block b;
    for (std::size_t i = 0; i < b.size(); ++i) {
        b.SetU8(i, 0xEE);
    }
    return b;
}

// A LUMA-1, a LUMA-8 and the WiFi module, in that order in the rig and in the device table.
class ArtNetCommandsTest : public testing::SimulatorTest {
protected:
    enum { kLuma1, kLuma8, kModule };

    void Start(int pollSleepMs = 10) {
        sim::Rig rig;
        rig.devices.push_back(sim::MakeSimDevice(
            DEVTYPE_LUMA_1, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {192, 168, 1, 50}));
        rig.devices.push_back(sim::MakeSimDevice(
            DEVTYPE_LUMA_8, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x08}, {192, 168, 1, 58}));
        rig.devices.push_back(sim::MakeSimDevice(
            DEVTYPE_LUMA_AIR_MODULE, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x50}, {192, 168, 1, 70}));
        for (std::size_t i = 0; i < rig.devices.size(); ++i) {
            sim::InstallFactoryBlocks(rig.devices[i], i);
            g_arrConfigParam.Add(rig.devices[i].record);
            factory.push_back(rig.devices[i].factory);
        }
        StartSimulator(std::move(rig), pollSleepMs);
        g_nCurDevice = kLuma1;
    }
    Bytes Stored(std::size_t device, uint8_t readCode) {
        Bytes b;
        simulator->WithDevices(
            [&](std::vector<sim::SimDevice>& d) { b = d[device].blocks[readCode]; });
        return b;
    }

    std::vector<std::map<uint8_t, Bytes>> factory;
};

TEST_F(ArtNetCommandsTest, RequestsAreExactToTheByte) {
    Start();
    ArtNetDeviceInfo info;
    ASSERT_TRUE(ReadDeviceInfo(&info));
    _ARTNETDMXPARAM nodeA;
    ASSERT_TRUE(ReadNodeAParam(&nodeA));
    _DMXPORTPARAM port = nodeA.Port(1);
    port.SetUniverse(0x12);
    nodeA.SetPort(1, port);
    nodeA.StampChecksum();
    ASSERT_TRUE(WriteNodeAParam(nodeA));
    g_nCurDevice = kLuma8;
    ASSERT_TRUE(SendApplyFinish());

    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_TRUE(BytesEq(log[0].bytes, Hex("16 00 00 18 00 00 00 00"  // code, 0, length 24
                                          "01 00 00 90 00 00 00 1A 2B 3C 4D 5E"  // identity
                                          "AE 91 00 00")));  // header CRC high byte first
    Bytes write = Hex("08 00 00 48 00 00 00 00 01 00 00 90 00 00 00 1A 2B 3C 4D 5E");  // 72
    write.insert(write.end(), nodeA.data(), nodeA.data() + nodeA.size());  // the block as given
    EXPECT_TRUE(BytesEq(log[2].bytes, write));
    EXPECT_TRUE(BytesEq(log[3].bytes, Hex("7E 00 00 18 00 00 00 00"
                                          "08 00 00 90 00 00 00 1A 2B 3C 4D 08"
                                          "6D 65 00 00")));
    EXPECT_TRUE(BytesEq(Stored(kLuma1, kReadNodeAParam), BytesOf(nodeA)));
}

struct FailureCase {
    const char* name;
    std::function<void(sim::SimFaults&)> fault;
    bool readSucceeds;
    bool writeSucceeds;  // writes and commands
};

TEST_F(ArtNetCommandsTest, EachFailureKindFailsAndLeavesTheBlockAsItWas) {
    Start();
    const FailureCase cases[] = {
        {"answered", [](sim::SimFaults&) {}, true, true},
        {"silence", [](sim::SimFaults& f) { f.silent = true; }, false, false},
        {"one byte short", [](sim::SimFaults& f) { f.lengthDelta = -1; }, false, false},
        {"one byte long", [](sim::SimFaults& f) { f.lengthDelta = 1; }, false, false},
        {"wrong code", [](sim::SimFaults& f) { f.wrongCode = true; }, false, false},
        {"status 1", [](sim::SimFaults& f) { f.status = 1; }, true, false},
        {"stray datagram first",
         [](sim::SimFaults& f) { f.before = {Hex("83 00 00 00 00 00 00 00")}; }, false, false},
    };
    _ARTNETDMXPARAM nodeA;
    ASSERT_TRUE(ReadNodeAParam(&nodeA));
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimFaults faults;
        c.fault(faults);
        simulator->SetFaults(kLuma1, faults);

        _ARTNETBASICPARAM basic = Sentinel<_ARTNETBASICPARAM>();
        EXPECT_EQ(ReadBasicParam(&basic), c.readSucceeds);
        EXPECT_TRUE(BytesEq(BytesOf(basic), c.readSucceeds
                                                ? factory[kLuma1][kReadBasicParam]
                                                : BytesOf(Sentinel<_ARTNETBASICPARAM>())));
        EXPECT_EQ(WriteNodeAParam(nodeA), c.writeSucceeds);
        EXPECT_EQ(SendApplyFinish(), c.writeSucceeds);
        EXPECT_EQ(SendDefault(), c.writeSucceeds);
    }
}

TEST_F(ArtNetCommandsTest, TheReplyLengthFollowsTheBlockType) {
    Start();
    g_nCurDevice = kModule;
    _RT5350BASICPARAM module;
    ASSERT_TRUE(ReadBasicParam(&module));
    EXPECT_TRUE(BytesEq(BytesOf(module), factory[kModule][kReadBasicParam]));
    EXPECT_EQ(module.IpAddress(), (Ipv4Bytes{192, 168, 1, 70}));
    // The module's 68-byte reply to a node's read of 0x03 fails at once.
    _ARTNETBASICPARAM node = Sentinel<_ARTNETBASICPARAM>();
    EXPECT_FALSE(ReadBasicParam(&node));
    EXPECT_EQ(node, Sentinel<_ARTNETBASICPARAM>());
}

TEST_F(ArtNetCommandsTest, EveryBlockRoundTripsAndDefaultRestoresTheFactoryBlocks) {
    Start();
    g_nCurDevice = kLuma8;
    _ARTNETBASICPARAM basic;
    ASSERT_TRUE(ReadBasicParam(&basic));
    EXPECT_EQ(basic.IpType(), kIpTypeCustom);
    basic.SetDeviceName(std::string(40, 'N'));  // 31 characters and a zero byte
    basic.SetDmxHoldTime(6);
    basic.SetAddresses(_ARTNETBASICPARAM::kNodeAStatic,
                       {{192, 168, 2, 8}, {255, 255, 255, 0}, {192, 168, 2, 1}});
    basic.StampChecksum();
    ASSERT_TRUE(WriteBasicParam(basic));

    _ARTNETDMXPARAM nodeB;
    ASSERT_TRUE(ReadNodeBParam(&nodeB));
    _DMXPORTPARAM port = nodeB.Port(3);
    port.SetMergeMode(3);
    nodeB.SetPort(3, port);
    nodeB.StampChecksum();
    ASSERT_TRUE(WriteNodeBParam(nodeB));

    _ARTNETDMXPARAM nodeA;
    ASSERT_TRUE(ReadNodeAParam(&nodeA));
    nodeA.SetU8(_ARTNETDMXPARAM::kTrailer, 0x42);
    nodeA.StampChecksum();
    ASSERT_TRUE(WriteNodeAParam(nodeA));

    _ARTNETBASICPARAM basicBack;
    _ARTNETDMXPARAM nodeABack, nodeBBack;
    ASSERT_TRUE(ReadBasicParam(&basicBack));
    ASSERT_TRUE(ReadNodeAParam(&nodeABack));
    ASSERT_TRUE(ReadNodeBParam(&nodeBBack));
    EXPECT_EQ(basicBack, basic);
    EXPECT_EQ(basicBack.DeviceName(), std::string(31, 'N'));
    EXPECT_EQ(nodeABack, nodeA);
    EXPECT_EQ(nodeBBack, nodeB);

    g_nCurDevice = kModule;
    _RT5350BASICPARAM module;
    ASSERT_TRUE(ReadBasicParam(&module));
    module.SetIpAddress({192, 168, 1, 77});
    module.StampChecksum();
    ASSERT_TRUE(WriteBasicParam(module));
    _RT5350BASICPARAM moduleBack;
    ASSERT_TRUE(ReadBasicParam(&moduleBack));
    EXPECT_EQ(moduleBack, module);

    for (const int device : {kLuma8, kModule}) {
        g_nCurDevice = device;
        ASSERT_TRUE(SendDefault());
        simulator->WithDevices([&](std::vector<sim::SimDevice>& d) {
            EXPECT_EQ(d[static_cast<std::size_t>(device)].blocks, factory[device]);
        });
    }
    ASSERT_TRUE(ReadBasicParam(&moduleBack));
    EXPECT_TRUE(BytesEq(BytesOf(moduleBack), factory[kModule][kReadBasicParam]));
}

TEST_F(ArtNetCommandsTest, ABlockWithAWrongChecksumIsRefused) {
    Start();
    _ARTNETDMXPARAM nodeA;
    ASSERT_TRUE(ReadNodeAParam(&nodeA));
    nodeA.SetU8(2, 0x77);  // changed after the checksum was computed
    EXPECT_FALSE(WriteNodeAParam(nodeA));
    EXPECT_TRUE(BytesEq(Stored(kLuma1, kReadNodeAParam), factory[kLuma1][kReadNodeAParam]));
    nodeA.StampChecksum();
    EXPECT_TRUE(WriteNodeAParam(nodeA));
}

TEST_F(ArtNetCommandsTest, AnIndexOutsideTheTableSendsNothing) {
    Start();
    for (const int index : {-1, 3}) {
        g_nCurDevice = index;
        _ARTNETDMXPARAM nodeA = Sentinel<_ARTNETDMXPARAM>();
        EXPECT_FALSE(ReadNodeAParam(&nodeA));
        EXPECT_EQ(nodeA, Sentinel<_ARTNETDMXPARAM>());
        EXPECT_FALSE(WriteNodeAParam(nodeA));
        EXPECT_FALSE(SendApplyFinish());
        EXPECT_FALSE(SendDefault());
    }
    EXPECT_FALSE(simulator->WaitForLog(1, 100));
}

// Replies of any length and content, for every read, write and command: under AddressSanitizer
// nothing may read or write outside its buffers, and a read that passes hands back byte 8 on.
TEST_F(ArtNetCommandsTest, RandomRepliesNeverEscapeTheirBuffers) {
    Start(1);
    testing::RandomReplies replies(11);
    replies.Install(*simulator, {{kReadDeviceInfo, 80},
                                 {kReadBasicParam, 96},
                                 {kReadNodeAParam, 60},
                                 {kReadNodeBParam, 60},
                                 {kWriteBasicParam, 8},
                                 {kWriteNodeAParam, 8},
                                 {kWriteNodeBParam, 8},
                                 {kApplyFinish, 8},
                                 {kDefault, 8}});
    for (int round = 0; round < 20; ++round) {
        g_nCurDevice = kLuma8;
        ArtNetDeviceInfo info;
        EXPECT_TRUE(!ReadDeviceInfo(&info) || replies.Sent(BytesOf(info), 0));
        _ARTNETBASICPARAM basic;
        EXPECT_TRUE(!ReadBasicParam(&basic) || replies.Sent(BytesOf(basic), 8));
        _ARTNETDMXPARAM nodeA, nodeB;
        EXPECT_TRUE(!ReadNodeAParam(&nodeA) || replies.Sent(BytesOf(nodeA), 8));
        EXPECT_TRUE(!ReadNodeBParam(&nodeB) || replies.Sent(BytesOf(nodeB), 8));
        WriteBasicParam(basic);
        WriteNodeAParam(nodeA);
        WriteNodeBParam(nodeB);
        SendApplyFinish();
        SendDefault();
    }
    // The module's network block is shorter.
    replies.Install(*simulator, {{kReadBasicParam, 68}});
    g_nCurDevice = kModule;
    for (int round = 0; round < 20; ++round) {
        _RT5350BASICPARAM module;
        EXPECT_TRUE(!ReadBasicParam(&module) || replies.Sent(BytesOf(module), 8));
        WriteBasicParam(module);
    }
    EXPECT_GT(replies.Count(), 220u);
}

}  // namespace
}  // namespace varlo
