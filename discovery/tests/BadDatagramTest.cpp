// Random datagrams of every length through the search socket's receive and through an
// exchange: nothing may crash or read out of bounds (the asan preset checks the latter).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "discovery/SearchProtocol.h"
#include "discovery/SearchSession.h"
#include "testsupport/LoopbackDevice.h"
#include "testsupport/WireTest.h"
#include "transport/BroadcastQuery.h"
#include "transport/FrameHeader.h"

namespace varlo {
namespace {

constexpr std::size_t kMaxUdpPayload = 65507;

TEST(BadDatagrams, EveryLengthThroughTheSearchSocket) {
    testing::ScopedTransport transport;
    Transport().searchLocalPort = 0;
    CConfigParamArray table;
    SearchSession session(table);
    ASSERT_TRUE(session.Open());
    const uint16_t port = session.Socket().LocalPort();

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

// The test plays the device: from inside the virtual clock's first wait it answers the first
// send with the random datagram and stays silent after that.
TEST(BadDatagrams, RandomRepliesThroughAnExchange) {
    testing::ScopedTransport transport;
    testing::LoopbackDevice device;
    ASSERT_TRUE(device.IsOpen());
    testing::VirtualClock clock;
    Transport().targetAddr = device.Address();
    Transport().targetPort = device.Port();
    Transport().clock = &clock;

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
    for (const std::size_t len : lengths) {
        Bytes datagram(len);
        for (auto& b : datagram) {
            b = static_cast<uint8_t>(random());
        }
        bool answered = false;
        clock.settle = [&](net::SocketHandle s) {
            for (const auto& r : device.Receive()) {
                if (!answered) {
                    device.Answer(r, datagram, s);
                    answered = true;
                }
            }
        };
        Bytes reply(96, 0);
        const int32_t n = BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(),
                                         kQueryBudgetMs);
        device.Receive();  // the resends nobody answered
        ASSERT_TRUE(answered) << len;
        if (len >= 1 && len <= reply.size()) {
            EXPECT_EQ(n, static_cast<int32_t>(len));
            EXPECT_TRUE(std::equal(datagram.begin(), datagram.end(), reply.begin())) << len;
        } else {
            EXPECT_EQ(n, -1) << len;
        }
    }
}

}  // namespace
}  // namespace varlo
