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
using testing::Repeat;

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

// Every write code and command, its frame written out here field by field, checksums included
// (worked out apart from the program): the header with the total length, the identity, the block.
TEST_F(ArtNetCommandsTest, EveryWriteAndCommandIsExactToTheByte) {
    Start();
    const auto frame = [](const char* header, const char* identity,
                          std::initializer_list<Bytes> parts) {
        Bytes f = Hex(std::string(header) + identity);
        for (const Bytes& p : parts) {
            f.insert(f.end(), p.begin(), p.end());
        }
        return f;
    };
    const char* const kLuma8Id = "08 00 00 90 00 00  00 1A 2B 3C 4D 08";
    const char* const kModuleId = "50 53 00 80 00 00  00 1A 2B 3C 4D 50";

    g_nCurDevice = kLuma8;
    _ARTNETBASICPARAM basic;
    basic.SetDeviceName("Stage");
    basic.SetDmxHoldTime(6);
    basic.SetDisplayHoldTime(3);
    basic.SetIpType(3);
    basic.SetAddresses(_ARTNETBASICPARAM::kNodeAStatic,
                       {{10, 0, 0, 8}, {255, 0, 0, 0}, {10, 0, 0, 1}});
    basic.SetAddresses(_ARTNETBASICPARAM::kNodeBStatic,
                       {{10, 0, 1, 8}, {255, 255, 0, 0}, {10, 0, 1, 1}});
    basic.StampChecksum();
    ASSERT_TRUE(WriteBasicParam(basic));
    const Bytes basicFrame = frame("07 00 00 6C 00 00 00 00", kLuma8Id,    // 0x07, length 108
                                   {Hex("53 74 61 67 65"), Repeat(0, 27),  // "Stage" in 32 bytes
                                    Hex("06"),                             // DMX hold time
                                    Hex("03"),                             // display hold time
                                    Hex("00"),                             // kept
                                    Hex("03"),                             // Custom IP
                                    Repeat(0, 12),                         // NodeA current set
                                    Hex("0A 00 00 08 FF 00 00 00 0A 00 00 01"),  // NodeA static
                                    Repeat(0, 12),                               // NodeB current
                                    Hex("0A 00 01 08 FF FF 00 00 0A 00 01 01"),  // NodeB static
                                    Hex("4D F0"),    // CRC-16/MODBUS of bytes 0-83
                                    Hex("00 00")});  // trailer

    _ARTNETDMXPARAM nodeA;
    _DMXPORTPARAM port;
    port.SetPortMode(1);
    port.SetUniverse(0x37);
    port.SetFrameRate(40);
    port.SetMergeMode(2);
    port.SetUnicast(1);
    port.SetUnicastAddress({192, 168, 1, 10});
    nodeA.SetPort(1, port);
    nodeA.StampChecksum();
    ASSERT_TRUE(WriteNodeAParam(nodeA));
    const Bytes nodeAFrame =
        frame("08 00 00 48 00 00 00 00", kLuma8Id,          // 0x08, length 72
              {Repeat(0, 12),                               // port 1
               Hex("01 00 37 28 02 00 00 01 C0 A8 01 0A"),  // port 2: output, universe 0x37,
                                                            // 40 fps, LTP, unicast to .1.10
               Repeat(0, 24),                               // ports 3 and 4
               Hex("37 7A"),                                // CRC of bytes 0-47
               Hex("00 00")});

    _ARTNETDMXPARAM nodeB;
    port = _DMXPORTPARAM();
    port.SetUniverse(0x45);
    port.SetFrameRate(30);
    port.SetMergeMode(3);
    nodeB.SetPort(3, port);
    nodeB.StampChecksum();
    ASSERT_TRUE(WriteNodeBParam(nodeB));
    const Bytes nodeBFrame =
        frame("09 00 00 48 00 00 00 00", kLuma8Id,          // 0x09, length 72
              {Repeat(0, 36),                               // ports 5 to 7
               Hex("00 00 45 1E 03 00 00 00 00 00 00 00"),  // port 8: input, 0x45, 30 fps, backup
               Hex("8E 86"), Hex("00 00")});

    ASSERT_TRUE(SendApplyFinish());
    const Bytes finishFrame = frame("7E 00 00 18 00 00 00 00", kLuma8Id,  // 0x7E, length 24
                                    {Hex("6D 65"),                        // CRC of bytes 0-19
                                     Hex("00 00")});

    g_nCurDevice = kModule;
    _RT5350BASICPARAM module;
    module.SetDeviceName("Air");
    module.SetIpAddress({192, 168, 1, 77});
    module.SetSubnetMask({255, 255, 255, 0});
    module.StampChecksum();
    ASSERT_TRUE(WriteBasicParam(module));
    const Bytes moduleFrame = frame("07 00 00 50 00 00 00 00", kModuleId,  // 0x07, length 80
                                    {Hex("41 69 72"), Repeat(0, 29),       // "Air" in 32 bytes
                                     Repeat(0, 4),                         // kept
                                     Hex("C0 A8 01 4D"),                   // 192.168.1.77
                                     Hex("FF FF FF 00"),                   // mask
                                     Repeat(0, 12),                        // kept
                                     Hex("6B FB"),                         // CRC of bytes 0-55
                                     Hex("00 00")});

    ASSERT_TRUE(SendDefault());
    const Bytes defaultFrame = frame("7F 00 00 18 00 00 00 00", kModuleId,  // 0x7F, length 24
                                     {Hex("DC BB"), Hex("00 00")});

    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 6u);
    EXPECT_TRUE(BytesEq(log[0].bytes, basicFrame));
    EXPECT_TRUE(BytesEq(log[1].bytes, nodeAFrame));
    EXPECT_TRUE(BytesEq(log[2].bytes, nodeBFrame));
    EXPECT_TRUE(BytesEq(log[3].bytes, finishFrame));
    EXPECT_TRUE(BytesEq(log[4].bytes, moduleFrame));
    EXPECT_TRUE(BytesEq(log[5].bytes, defaultFrame));
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

// Replies of any length and content, for every read, write and command: each operation must pass
// exactly when the reply it acted on was good, hand back reply byte 8 on when it passes and leave
// its block alone when it fails; under AddressSanitizer nothing may read or write outside its
// buffers.
TEST_F(ArtNetCommandsTest, RandomRepliesAreJudgedExactlyAndNeverEscapeTheirBuffers) {
    Start();
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
            << "command 0x" << std::hex << int(code);
    };
    for (int round = 0; round < 20; ++round) {
        g_nCurDevice = kLuma8;
        ArtNetDeviceInfo info;
        read(ReadDeviceInfo(&info), kReadDeviceInfo, 80, 0, info);
        _ARTNETBASICPARAM basic;
        read(ReadBasicParam(&basic), kReadBasicParam, 96, 8, basic);
        _ARTNETDMXPARAM nodeA, nodeB;
        read(ReadNodeAParam(&nodeA), kReadNodeAParam, 60, 8, nodeA);
        read(ReadNodeBParam(&nodeB), kReadNodeBParam, 60, 8, nodeB);
        write(WriteBasicParam(basic), kWriteBasicParam);
        write(WriteNodeAParam(nodeA), kWriteNodeAParam);
        write(WriteNodeBParam(nodeB), kWriteNodeBParam);
        write(SendApplyFinish(), kApplyFinish);
        write(SendDefault(), kDefault);
    }
    // The module's network block is shorter.
    replies.Install(*simulator, {{kReadBasicParam, 68}});
    g_nCurDevice = kModule;
    for (int round = 0; round < 20; ++round) {
        _RT5350BASICPARAM module;
        read(ReadBasicParam(&module), kReadBasicParam, 68, 8, module);
        write(WriteBasicParam(module), kWriteBasicParam);
    }
    EXPECT_GT(replies.Count(), 220u);
    // Both outcomes come up often: a program that refused every reply would fail above.
    EXPECT_GT(replies.Passes(), 20u);
    EXPECT_GT(replies.Failures(), 20u);
}

}  // namespace
}  // namespace varlo
