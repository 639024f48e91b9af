// The poller on the wire against a node played by the test on loopback: what it sends, what it
// lists, and what it drops.
#include <gtest/gtest.h>

#include "artnet4/ArtNetPoller.h"
#include "artnet4/ArtPoll.h"
#include "testsupport/WireTest.h"

namespace varlo::artnet4 {
namespace {

using testing::BytesEq;

constexpr uint32_t kLoopback = 0x7F000001;

ArtPollReply Reply(Ipv4Bytes ip, uint8_t bindIndex, const char* name) {
    ArtPollReply reply;
    reply.SetIpAddress(ip);
    reply.SetBindIndex(bindIndex);
    reply.SetShortName(name);
    reply.SetPortCount(1);
    return reply;
}

class ArtNetPollerTest : public ::testing::Test {
protected:
    void SetUp() override {
        node = net::OpenUdp();
        ASSERT_TRUE(net::Bind(node, kLoopback, 0));
        net::SetNonBlocking(node);
        ArtNetSettings settings;
        settings.pollAddrs = {kLoopback};
        settings.pollPort = net::LocalPort(node);
        settings.localPort = 0;
        ASSERT_TRUE(poller.Open(settings));
    }
    void TearDown() override { net::Close(node); }

    // What the node received, one datagram.
    Bytes NodeReceives(uint16_t* fromPort = nullptr) {
        EXPECT_TRUE(net::WaitReadable(node, 2000));
        uint8_t buf[1024];
        const int n = net::ReceiveFrom(node, buf, sizeof buf, nullptr, fromPort);
        return n < 0 ? Bytes{} : Bytes(buf, buf + n);
    }
    void NodeSends(const uint8_t* data, std::size_t size) {
        net::SendTo(node, kLoopback, poller.LocalPort(), data, size);
    }
    void NodeSends(const Bytes& b) { NodeSends(b.data(), b.size()); }
    // Takes what the node sent; every datagram has arrived once the marker reply is listed.
    void Drain(std::size_t expectedReplies) {
        for (int i = 0; i < 200 && poller.Counters().replies < expectedReplies; ++i) {
            net::WaitReadable(poller.Socket(), 10);
            poller.OnReadable();
        }
    }

    net::SocketHandle node = net::kInvalidSocket;
    ArtNetPoller poller;
};

TEST_F(ArtNetPollerTest, PollsListsAndDropsWhatItCannotRead) {
    ASSERT_TRUE(poller.SendPoll());
    const ArtPoll expected(ArtPoll::kFlagReplyOnChange);
    EXPECT_TRUE(BytesEq(NodeReceives(), Bytes(expected.bytes().begin(), expected.bytes().end())));

    const ArtPollReply good = Reply({10, 0, 0, 7}, 1, "first");
    NodeSends(good.data(), 100);                  // cut short: dropped
    NodeSends(Bytes{'A', 'r', 't'});              // shorter than any header: dropped
    NodeSends(Bytes(239, 0x41));                  // not Art-Net: dropped
    NodeSends(expected.data(), expected.size());  // a poll: not for a controller
    NodeSends(good.data(), good.size());
    Drain(1);

    ASSERT_EQ(poller.Nodes().Size(), 1u);
    const ArtNetNode& n = poller.Nodes().Nodes()[0];
    EXPECT_EQ(n.reply.ShortName(), "first");
    EXPECT_EQ(n.fromAddr, kLoopback);
    EXPECT_EQ(n.fromPort, net::LocalPort(node));
    EXPECT_EQ(poller.Counters().malformed, 3u);
    EXPECT_EQ(poller.Counters().ignored, 1u);
}

TEST_F(ArtNetPollerTest, OneRowPerAddressAndBindIndex) {
    NodeSends(Reply({10, 0, 0, 7}, 1, "A").bytes().data(), 239);
    NodeSends(Reply({10, 0, 0, 7}, 2, "B").bytes().data(), 239);
    NodeSends(Reply({10, 0, 0, 8}, 0, "C").bytes().data(), 239);  // 0: the only group
    NodeSends(Reply({10, 0, 0, 7}, 1, "A again").bytes().data(), 239);
    Drain(4);
    const ArtNetNodeList& list = poller.Nodes();
    ASSERT_EQ(list.Size(), 3u);
    EXPECT_EQ(list.Find(0x0A000007, 1)->reply.ShortName(), "A again");
    EXPECT_EQ(list.Find(0x0A000007, 2)->reply.ShortName(), "B");
    EXPECT_EQ(list.Find(0x0A000008, 1)->reply.ShortName(), "C");
    EXPECT_EQ(list.Find(0x0A000007, 1)->replies, 2u);
}

TEST_F(ArtNetPollerTest, ANodeThatMissesThreePollsIsGone) {
    const ArtPollReply quiet = Reply({10, 0, 0, 7}, 1, "quiet");
    const ArtPollReply chatty = Reply({10, 0, 0, 8}, 1, "chatty");
    NodeSends(quiet.data(), quiet.size());
    Drain(1);
    for (int poll = 1; poll <= 3; ++poll) {
        poller.SendPoll();
        NodeReceives();
        NodeSends(chatty.data(), chatty.size());
        Drain(1 + poll);
        EXPECT_TRUE(poller.Nodes().Find(0x0A000007, 1)) << "after poll " << poll;
    }
    poller.SendPoll();
    EXPECT_FALSE(poller.Nodes().Find(0x0A000007, 1));
    EXPECT_TRUE(poller.Nodes().Find(0x0A000008, 1));
}

TEST_F(ArtNetPollerTest, ArtAddressGoesWhereTheReplyCameFrom) {
    NodeSends(Reply({192, 168, 1, 50}, 2, "far").bytes().data(), 239);
    Drain(1);
    ArtAddress address(2);
    address.SetLongName("renamed");
    ASSERT_TRUE(poller.SendAddress(poller.Nodes().Nodes()[0], address));
    uint16_t from = 0;
    EXPECT_TRUE(
        BytesEq(NodeReceives(&from), Bytes(address.bytes().begin(), address.bytes().end())));
    EXPECT_EQ(from, poller.LocalPort());
}

TEST(ArtNetPollerTakeTest, CountsWithoutASocket) {
    ArtNetPoller poller;
    const ArtPollReply reply = Reply({10, 0, 0, 7}, 1, "x");
    for (std::size_t size : {0u, 9u, 10u, 206u}) {
        poller.Take(reply.data(), size, kLoopback, 6454);
    }
    poller.Take(reply.data(), 207, kLoopback, 6454);
    EXPECT_EQ(poller.Counters().malformed, 4u);
    EXPECT_EQ(poller.Counters().replies, 1u);
    EXPECT_EQ(poller.Nodes().Size(), 1u);
}

TEST(ArtNetPollDestinations, TheLimitedBroadcastAlsoGoesToEachAdaptersSegment) {
    const auto adapter = [](uint32_t addr, uint32_t mask) {
        NetAdapter a;
        a.name = "eth";
        a.addr = addr;
        a.mask = mask;
        a.up = true;
        return a;
    };
    const std::vector<NetAdapter> adapters = {
        adapter(0xC0A80132, 0xFFFFFF00),  // 192.168.1.50/24
        adapter(0x0A000005, 0xFF000000),  // 10.0.0.5/8
        adapter(0x0A000006, 0xFF000000),  // a second address on 10/8: one poll is enough
        adapter(0xAC100001, 0xFFFFFFFF),  // a /32 (a VPN's host route): no segment
    };
    EXPECT_EQ(PollDestinations({0xFFFFFFFF}, adapters),
              (std::vector<uint32_t>{0xFFFFFFFF, 0xC0A801FF, 0x0AFFFFFF}));
    // An address given on purpose (a simulator, one node) stays the only one.
    EXPECT_EQ(PollDestinations({0x7F000001}, adapters), (std::vector<uint32_t>{0x7F000001}));
    EXPECT_EQ(PollDestinations({0xFFFFFFFF}, {}), (std::vector<uint32_t>{0xFFFFFFFF}));
}

}  // namespace
}  // namespace varlo::artnet4
