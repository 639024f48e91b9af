#include <gtest/gtest.h>

#include <random>
#include <set>

#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetItems.h"
#include "serialserver/SerialServerCommands.h"
#include "serialserver/SerialServerItems.h"
#include "sim/CommandSet.h"
#include "sim/Rig.h"

namespace varlo::sim {
namespace {

SimDevice Device(uint32_t type, std::size_t index = 0) {
    SimDevice d = MakeSimDevice(type, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, uint8_t(index)},
                                {192, 168, 1, uint8_t(100 + index)});
    InstallFactoryBlocks(d, index);
    return d;
}

std::optional<Bytes> Ask(SimDevice& d, const Bytes& request) {
    return CommandsFor(d.Type()).Handle(d, request);
}

TEST(FamilyCommands, CodesADeviceDoesNotKnowGetNoReply) {
    // Reads and commands are accepted; the writes, sent here without a block, are refused.
    struct Case {
        uint32_t type;
        std::vector<uint8_t> accepted;
        std::vector<uint8_t> refused;
    };
    const Case cases[] = {
        {DEVTYPE_KV70, {0x16, 0x03, 0x04, 0x05, 0x06}, {0x07, 0x08, 0x09, 0x0A}},
        {kDemoUnknownType, {0x16, 0x03, 0x04, 0x05, 0x06}, {0x07, 0x08, 0x09, 0x0A}},
        {DEVTYPE_LUMA_1, {0x16, 0x03, 0x04, 0x7E, 0x7F}, {0x07, 0x08}},
        {DEVTYPE_LUMA_8, {0x16, 0x03, 0x04, 0x05, 0x7E, 0x7F}, {0x07, 0x08, 0x09}},
        {DEVTYPE_LUMA_AIR_MODULE, {0x16, 0x03, 0x7F}, {0x07}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SimDevice d = Device(c.type);
        const bool serial = GetDeviceFamily(c.type) == DeviceFamily::SerialServer;
        for (int code = 0; code < 0x80; ++code) {
            const Bytes request = serial ? BuildHeaderRequest(uint8_t(code), d.Identity())
                                         : BuildShortRequest(uint8_t(code), d.Identity());
            const std::optional<Bytes> reply = Ask(d, request);
            const bool accepted = std::count(c.accepted.begin(), c.accepted.end(), code) != 0;
            const bool refused = std::count(c.refused.begin(), c.refused.end(), code) != 0;
            ASSERT_EQ(reply.has_value(), accepted || refused) << code;
            if (reply) {
                EXPECT_EQ((*reply)[0], code | 0x80);
                EXPECT_EQ((*reply)[1], refused ? 1 : 0);
            }
        }
    }
}

TEST(FamilyCommands, MalformedFramesAreDroppedAndMalformedBlocksRefused) {
    SimDevice node = Device(DEVTYPE_LUMA_4);
    Bytes read = BuildShortRequest(artnet::kReadNodeAParam, node.Identity());
    read[20] ^= 1;  // header checksum
    EXPECT_FALSE(Ask(node, read));
    read = BuildHeaderRequest(artnet::kReadNodeAParam, node.Identity());  // no checksum at all
    EXPECT_FALSE(Ask(node, read));

    const Bytes& stored = node.blocks[artnet::kReadNodeAParam];
    Bytes block = stored;
    block[0] ^= 1;  // the block's own checksum no longer matches
    auto reply = Ask(node, BuildWriteRequest(artnet::kWriteNodeAParam, node.Identity(),
                                             block.data(), block.size()));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[1], 1);
    EXPECT_EQ(node.blocks, node.factory);
    // A write one byte short, and one whose length field disagrees with its size.
    reply = Ask(node, BuildWriteRequest(artnet::kWriteNodeAParam, node.Identity(), stored.data(),
                                        stored.size() - 1));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[1], 1);
    Bytes write =
        BuildWriteRequest(artnet::kWriteNodeAParam, node.Identity(), stored.data(), stored.size());
    write.push_back(0);
    EXPECT_FALSE(Ask(node, write));

    SimDevice server = Device(DEVTYPE_KV70);
    Bytes serial = server.blocks[serialserver::kReadSerialParam];
    serial.push_back(0);  // one byte too many
    reply = Ask(server, BuildWriteRequest(serialserver::kWriteSerialParam, server.Identity(),
                                          serial.data(), serial.size()));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[1], 1);
    EXPECT_FALSE(Ask(server, BuildShortRequest(serialserver::kReadSerialParam, server.Identity())));
}

TEST(FamilyCommands, DirtyTextPutsBytesAfterTerminatorsAndIntoUnusedBytes) {
    SimDevice server = Device(DEVTYPE_KV70);
    server.faults.dirtyText = true;
    auto reply = Ask(server, BuildHeaderRequest(serialserver::kReadBasicParam, server.Identity()));
    ASSERT_TRUE(reply);
    _BASICPARAM basic;
    basic.Assign(reply->data() + 8);
    _BASICPARAM clean;
    clean.Assign(server.blocks[serialserver::kReadBasicParam].data());
    EXPECT_EQ(basic.DeviceName(), clean.DeviceName());
    EXPECT_NE(basic.GetU8(_BASICPARAM::kDeviceNameWidth - 1), 0);
    EXPECT_EQ(basic.LocalIp(), clean.LocalIp());

    SimDevice node = Device(DEVTYPE_LUMA_2);
    node.faults.dirtyText = true;
    reply = Ask(node, BuildShortRequest(artnet::kReadBasicParam, node.Identity()));
    ASSERT_TRUE(reply);
    _ARTNETBASICPARAM nodeBasic;
    nodeBasic.Assign(reply->data() + 8);
    EXPECT_NE(nodeBasic.GetU8(_ARTNETBASICPARAM::kTrailer), 0);
    EXPECT_NE(nodeBasic.GetU8(_ARTNETBASICPARAM::kDeviceNameWidth - 1), 0);
    EXPECT_TRUE(nodeBasic.ChecksumMatches());  // the device's checksum covers what it sends
    EXPECT_EQ(node.blocks, node.factory);      // the stored blocks stay clean
}

TEST(FamilyCommands, FactoryBlocksLookLikeAConfiguredRig) {
    Rig rig = DemoRig();
    std::set<uint8_t> universes;
    for (SimDevice& d : rig.devices) {
        const uint32_t type = d.Type();
        SCOPED_TRACE(type);
        ASSERT_EQ(d.blocks, d.factory);
        if (GetDeviceFamily(type) == DeviceFamily::SerialServer) {
            _SERIALPARAM serial;
            serial.Assign(d.blocks[serialserver::kReadSerialParam].data());
            EXPECT_STREQ(serialserver::kBaudRateItems.TextOf(serial.BaudRate()), "9600");
            EXPECT_STREQ(serialserver::kDataBitsItems.TextOf(serial.DataBits()), "8");
            _OPMODEPARAM opMode;
            opMode.Assign(d.blocks[serialserver::kReadOpModeParam].data());
            EXPECT_EQ(opMode.OpMode(), 1u);
            EXPECT_EQ(opMode.TcpServerPort(), 4001);
            _WIRELESSPARAM wireless;
            wireless.Assign(d.blocks[serialserver::kReadWirelessParam].data());
            EXPECT_STREQ(serialserver::kEncryptionModeItems.TextOf(wireless.EncryptionMode()),
                         "WPA2-Personal");
            EXPECT_FALSE(wireless.PassPhrase().empty());
        } else if (GetDeviceFamily(type) == DeviceFamily::ArtNetNode) {
            _ARTNETBASICPARAM basic;
            basic.Assign(d.blocks[artnet::kReadBasicParam].data());
            EXPECT_TRUE(basic.ChecksumMatches());
            EXPECT_EQ(basic.Addresses(_ARTNETBASICPARAM::kNodeACurrent).ip, d.record.dwIp());
            EXPECT_FALSE(basic.DeviceName().empty());
            for (const uint8_t code : {artnet::kReadNodeAParam, artnet::kReadNodeBParam}) {
                if (d.blocks.count(code) == 0) {
                    continue;
                }
                _ARTNETDMXPARAM dmx;
                dmx.Assign(d.blocks[code].data());
                EXPECT_TRUE(dmx.ChecksumMatches());
                for (std::size_t k = 0; k < _ARTNETDMXPARAM::kPortCount; ++k) {
                    EXPECT_TRUE(universes.insert(dmx.Port(k).Universe()).second)
                        << "universe " << int(dmx.Port(k).Universe()) << " used twice";
                }
            }
            EXPECT_EQ(d.blocks.count(artnet::kReadNodeBParam), type == DEVTYPE_LUMA_8 ? 1u : 0u);
        } else {
            _RT5350BASICPARAM module;
            module.Assign(d.blocks[artnet::kReadBasicParam].data());
            EXPECT_TRUE(module.ChecksumMatches());
            EXPECT_EQ(module.IpAddress(), d.record.dwIp());
        }
    }
}

// Requests as the simulator passes them on (20 bytes or more), of any content: no handler may
// read outside the request or write outside a block.
TEST(FamilyCommands, RandomRequestsNeverEscapeTheirBuffers) {
    std::mt19937 random(5);
    for (const uint32_t type :
         {DEVTYPE_KV70, DEVTYPE_LUMA_8, DEVTYPE_LUMA_1, DEVTYPE_LUMA_AIR_MODULE}) {
        SimDevice d = Device(type);
        d.faults.dirtyText = true;
        for (int i = 0; i < 4000; ++i) {
            Bytes request(20 + random() % 380);
            for (uint8_t& b : request) {
                b = static_cast<uint8_t>(random());
            }
            request[0] = static_cast<uint8_t>(random() % 0x80);
            if (random() % 2 == 0) {
                request = BuildWriteRequest(request[0], d.Identity(), request.data() + 20,
                                            request.size() - 20);
            }
            if (random() % 4 == 0) {
                request = BuildShortRequest(request[0], d.Identity());
            }
            const std::optional<Bytes> reply = Ask(d, request);
            if (reply) {
                EXPECT_EQ((*reply)[0], request[0] | 0x80);
            }
        }
    }
}

}  // namespace
}  // namespace varlo::sim
