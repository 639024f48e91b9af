// The demo rig's LUMA nodes on Art-Net 4, polled and addressed on loopback: their replies say
// what their own blocks say, and ArtAddress changes those blocks.
#include <gtest/gtest.h>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet4/AddressRequest.h"
#include "artnet4/ArtNetPoller.h"
#include "sim/DeviceSimulator.h"

namespace varlo::sim {
namespace {

using namespace varlo::artnet4;

constexpr std::size_t kLuma4 = 3;  // the demo rig's LUMA-4, on 10.0.0.44
constexpr std::size_t kLuma8 = 4;
constexpr uint32_t kLuma4Ip = 0x0A00002C;

class ArtNetNodesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.Start());
        ArtNetResponderOptions fast;
        fast.replyDelayMaxMs = 20;  // the spread is not what these tests check
        ASSERT_TRUE(simulator.StartArtNet(0x7F000001, 0, fast));
        ArtNetSettings settings;
        settings.pollAddrs = {simulator.ArtNet()->Address()};
        settings.pollPort = simulator.ArtNet()->Port();
        settings.localPort = 0;
        ASSERT_TRUE(poller.Open(settings));
    }

    // Polls and waits until `groups` nodes have answered it.
    void PollAll(std::size_t groups = 6) {
        const uint64_t before = poller.Counters().replies;
        ASSERT_TRUE(poller.SendPoll());
        WaitForReplies(before + groups);
    }
    void WaitForReplies(uint64_t total) {
        for (int i = 0; i < 500 && poller.Counters().replies < total; ++i) {
            poller.Collect(10);
        }
        ASSERT_EQ(poller.Counters().replies, total);
    }
    _ARTNETDMXPARAM PortBlock(std::size_t device, uint8_t code) {
        _ARTNETDMXPARAM block;
        simulator.WithDevices(
            [&](std::vector<SimDevice>& d) { block.Assign(d[device].blocks.at(code).data()); });
        return block;
    }

    DeviceSimulator simulator{DemoRig()};
    ArtNetPoller poller;
};

TEST_F(ArtNetNodesTest, EveryPortGroupAnswersWithItsOwnBlocks) {
    PollAll();
    const ArtNetNodeList& list = poller.Nodes();
    ASSERT_EQ(list.Size(), 6u);  // LUMA-1, -2, -4, -EX, and the LUMA-8's two groups
    const ArtNetNode* luma4 = list.Find(kLuma4Ip, 1);
    ASSERT_TRUE(luma4);
    const ArtPollReply& r = luma4->reply;
    EXPECT_EQ(r.ShortName(), "LUMA-4-4D04");
    EXPECT_EQ(r.LongName(), "LUMA-4-4D04");
    EXPECT_EQ(r.Mac(), (MacBytes{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x04}));
    ASSERT_EQ(r.PortCount(), 4u);
    // The factory gives device 3 sub-net 3 and universes 0-3, all outputs.
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(r.PortType(k), ArtPollReply::kPortCanOutput) << k;
        EXPECT_EQ(r.OutputPortAddress(k), 0x30 + k) << k;
    }
    // Each group answers from an address of its own, where ArtAddress reaches it alone.
    EXPECT_NE(luma4->fromAddr, list.Find(0xC0A80169, 1)->fromAddr);

    // The LUMA-8: NodeB's group on its own address, bound to NodeA's, its port 8 an input.
    const ArtNetNode* nodeB = list.Find(0xC0A801CD, 2);  // 192.168.1.205
    ASSERT_TRUE(nodeB);
    EXPECT_EQ(nodeB->reply.BindIp(), (Ipv4Bytes{192, 168, 1, 105}));
    EXPECT_EQ(nodeB->reply.PortType(3), ArtPollReply::kPortCanInput);
    EXPECT_EQ(nodeB->reply.InputPortAddress(3), 0x47);
    EXPECT_EQ(poller.Counters().malformed, 0u);
}

TEST_F(ArtNetNodesTest, ANodeWhosePortBlockChangesReportsIt) {
    simulator.WithDevices([](std::vector<SimDevice>& d) {
        _ARTNETDMXPARAM block;
        block.Assign(d[kLuma4].blocks.at(artnet::kReadNodeAParam).data());
        _DMXPORTPARAM port = block.Port(2);
        port.SetUniverse(0x9C);
        port.SetPortMode(0);
        block.SetPort(2, port);
        block.StampChecksum();
        d[kLuma4].blocks[artnet::kReadNodeAParam] = Bytes(block.data(), block.data() + 52);
    });
    PollAll();
    const ArtPollReply& r = poller.Nodes().Find(kLuma4Ip, 1)->reply;
    EXPECT_EQ(r.PortType(2), ArtPollReply::kPortCanInput);
    EXPECT_EQ(r.SwIn(2), 0x0C);
}

TEST_F(ArtNetNodesTest, ArtAddressChangesTheBlocksAndTheReplyShowsIt) {
    PollAll();
    AddressRequest request;
    request.shortName = "Truss L";
    request.longName = "Truss left, downstage";
    request.net = 3;  // the node has no net: refused
    request.subNet = 5;
    request.universe[0] = 9;
    request.ltp[1] = true;
    request.locate = true;
    const ArtNetNode& node = *poller.Nodes().Find(kLuma4Ip, 1);
    const std::vector<ArtAddress> packets = BuildAddressPackets(request, node.reply);
    ASSERT_EQ(packets.size(), 2u);  // merge and locate: one command each
    const uint64_t before = poller.Counters().replies;
    for (const ArtAddress& p : packets) {
        ASSERT_TRUE(poller.SendAddress(node, p));
    }
    WaitForReplies(before + 2);

    const ArtPollReply& r = poller.Nodes().Find(kLuma4Ip, 1)->reply;
    EXPECT_EQ(NotTaken(request, r), std::vector<std::string>{"net: asked 3, node says 0"});
    EXPECT_EQ(r.ShortName(), "Truss L");
    EXPECT_EQ(r.OutputPortAddress(0), 0x59);
    EXPECT_EQ(r.OutputPortAddress(1), 0x51);  // sub-net for all, universe kept

    const _ARTNETDMXPARAM ports = PortBlock(kLuma4, artnet::kReadNodeAParam);
    EXPECT_EQ(ports.Port(0).Universe(), 0x59);
    EXPECT_EQ(ports.Port(1).MergeMode(), 2);  // LTP
    EXPECT_TRUE(ports.ChecksumMatches());
    // Nothing else moved: the other node keeps its blocks.
    EXPECT_EQ(PortBlock(kLuma8, artnet::kReadNodeAParam).Port(0).Universe(), 0x40);
}

}  // namespace
}  // namespace varlo::sim
