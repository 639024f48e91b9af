// Random datagrams of every length through the search socket's receive and through an
// exchange: nothing may crash or read out of bounds (the asan preset checks the latter).
#include <gtest/gtest.h>

#include <random>

#include "discovery/SearchProtocol.h"
#include "discovery/SearchSession.h"
#include "testsupport/WireTest.h"
#include "transport/BroadcastQuery.h"
#include "transport/FrameHeader.h"

namespace varlo {
namespace {

constexpr std::size_t kMaxUdpPayload = 65507;

TEST(BadDatagrams, EveryLengthThroughTheSearchSocket) {
    TransportSettings saved = Transport();
    Transport().searchLocalPort = 0;
    CConfigParamArray table;
    SearchSession session(table);
    ASSERT_TRUE(session.Open());
    const uint16_t port = session.Socket().LocalPort();
    Transport() = saved;

    const net::SocketHandle sender = net::OpenUdp();
    ASSERT_NE(sender, net::kInvalidSocket);
    std::mt19937 random(7);
    Bytes noise(kMaxUdpPayload);
    for (auto& b : noise) {
        b = static_cast<uint8_t>(random());
    }
    std::size_t accepted = 0;
    std::size_t expected = 0;
    for (std::size_t len = 0; len <= kMaxUdpPayload; ++len) {
        // Make a good share of them look like replies, so the copy path runs too.
        if (len >= 4 && len % 3 == 0) {
            noise[0] = 0x81;
            noise[2] = 0x00;
            noise[3] = 0x18;
        } else if (len >= 1) {
            noise[0] = static_cast<uint8_t>(random());
        }
        const bool looksAccepted = len >= 4 && len <= kSearchReceiveBuffer && noise[0] == 0x81 &&
                                   noise[2] == 0 && noise[3] == 0x18;
        ASSERT_EQ(net::SendTo(sender, 0x7F000001, port, noise.data(), len), static_cast<int>(len));
        ASSERT_TRUE(net::WaitReadable(session.Socket().Descriptor(), 1000)) << len;
        if (session.OnReadable()) {
            ++accepted;
        }
        expected += looksAccepted ? 1 : 0;
    }
    net::Close(sender);
    EXPECT_EQ(accepted, expected) << "datagrams over 256 bytes are dropped, not truncated";
    EXPECT_EQ(table.GetSize(), accepted);
}

TEST(BadDatagrams, RandomRepliesThroughAnExchange) {
    const net::SocketHandle device = net::OpenUdp();
    ASSERT_TRUE(net::Bind(device, 0x7F000001, 0));
    TransportSettings saved = Transport();
    Transport().targetAddr = 0x7F000001;
    Transport().targetPort = net::LocalPort(device);
    Transport().pollSleepMs = 1;

    std::mt19937 random(11);
    std::vector<std::size_t> lengths;
    for (std::size_t len = 0; len <= 300; ++len) {
        lengths.push_back(len);
    }
    for (int i = 0; i < 100; ++i) {
        lengths.push_back(random() % (kMaxUdpPayload + 1));
    }
    lengths.push_back(kMaxUdpPayload);

    const DeviceIdentity id{};
    const Bytes request = BuildShortRequest(0x03, id);
    Bytes incoming(kMaxUdpPayload);
    for (const std::size_t len : lengths) {
        Bytes datagram(len);
        for (auto& b : datagram) {
            b = static_cast<uint8_t>(random());
        }
        // The device answers the first send with the random datagram, then stays silent.
        std::thread answer([&] {
            uint32_t addr = 0;
            uint16_t port = 0;
            if (net::WaitReadable(device, 2000) &&
                net::ReceiveFrom(device, incoming.data(), incoming.size(), &addr, &port) >= 0) {
                net::SendTo(device, addr, port, datagram.data(), datagram.size());
            }
        });
        Bytes reply(96, 0);
        const int32_t n = BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(),
                                         kQueryBudgetMs);
        answer.join();
        while (net::WaitReadable(device, 0)) {  // the resends nobody answered
            net::ReceiveFrom(device, incoming.data(), incoming.size());
        }
        if (len >= 1 && len <= reply.size()) {
            EXPECT_EQ(n, static_cast<int32_t>(len));
        } else {
            EXPECT_EQ(n, -1) << len;
        }
    }
    net::Close(device);
    Transport() = saved;
}

}  // namespace
}  // namespace varlo
