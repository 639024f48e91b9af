// The search session against the simulator, on the virtual clock: every wait ends once the
// simulator has answered, so ticks, requests and replies are counted the same on any machine.
// SearchTimingTest.cpp keeps the one test of the real timing.
#include <gtest/gtest.h>

#include "discovery/DeviceType.h"
#include "discovery/SearchProtocol.h"
#include "discovery/SearchSession.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

using testing::BytesEq;
using testing::Hex;

// KV-70, LUMA-1 (answers twice), an unknown type, LUMA-2; each answers 10 ms after a request,
// so replies come in rig order.
sim::Rig SmallRig() {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_KV70, {0, 0x1A, 0x2B, 0, 0, 7}, {192, 168, 1, 60}));
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_1, {0, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {192, 168, 1, 50}));
    rig.devices.back().faults.duplicateSearchReply = true;
    rig.devices.push_back(sim::MakeSimDevice(0x12345678, {0, 0x1A, 0x2B, 0, 0, 9}, {10, 1, 2, 3}));
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_2, {0, 0x1A, 0x2B, 0, 0, 10}, {172, 16, 0, 2}));
    return rig;
}

class SearchSessionTest : public testing::SimulatorTest {
protected:
    void SetUp() override {
        sim::SimOptions options;
        options.searchDelayMinMs = options.searchDelayMaxMs = 10;
        StartSimulator(SmallRig(), testing::Timing::Virtual, options);
    }
    // Takes every reply the simulator sends to what it was sent so far.
    void Drain(SearchSession& session) {
        for (;;) {
            Settle(session.Socket().Descriptor());
            if (!net::WaitReadable(session.Socket().Descriptor(), 0)) {
                return;
            }
            session.OnReadable();
        }
    }
};

TEST_F(SearchSessionTest, TableKeepsReplyOrderAndDuplicatesAndLaterRequestsListIt) {
    CConfigParamArray table;
    table.Add(_CONFIGPARAM());  // a previous search's record goes when the search opens
    SearchSession session(table);
    ASSERT_TRUE(session.Open());
    EXPECT_EQ(table.GetSize(), 0u);
    EXPECT_EQ(session.SecondsLeft(), 5);

    ASSERT_TRUE(session.Tick());
    EXPECT_EQ(session.SecondsLeft(), 4);
    Drain(session);
    ASSERT_EQ(table.GetSize(), 5u);
    const char* expected[] = {"KV-70", "LUMA-1", "LUMA-1", nullptr, "LUMA-2"};
    for (std::size_t i = 0; i < 5; ++i) {
        const char* name = GetDeviceTypeName(table[i].dwType());
        EXPECT_EQ(name == nullptr, expected[i] == nullptr) << i;
        if (name && expected[i]) {
            EXPECT_STREQ(name, expected[i]);
        }
    }

    // Every later request lists all five identities in table order; nobody answers again.
    ASSERT_TRUE(session.Tick());
    Drain(session);
    EXPECT_EQ(table.GetSize(), 5u);
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_TRUE(BytesEq(log[0].bytes, Hex("01 00 00 08 00 00 00 00")));
    Bytes second = Hex("01 00 00 44 00 00 00 00");
    for (std::size_t i = 0; i < 5; ++i) {
        second.insert(second.end(), table[i].data(), table[i].data() + 12);
    }
    EXPECT_TRUE(BytesEq(log[1].bytes, second));

    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_TRUE(session.Tick());
    }
    EXPECT_EQ(session.SecondsLeft(), 0);
    EXPECT_FALSE(session.Tick()) << "the sixth tick closes";
    EXPECT_FALSE(session.Tick()) << "and a late tick sends nothing";
    Settle();
    EXPECT_EQ(simulator->LogSize(), 5u);
}

TEST_F(SearchSessionTest, RunSearchTicksAt100MsThenEverySecondAndEndsAt5100Ms) {
    std::vector<long> requestsAtMs;
    clock.settle = [&](net::SocketHandle s) {
        Settle(s);
        while (simulator->LogSize() > requestsAtMs.size()) {
            requestsAtMs.push_back(clock.ElapsedMs());
        }
    };
    CConfigParamArray table;
    SearchSession session(table);
    std::vector<std::size_t> seen;
    ASSERT_TRUE(RunSearch(session, [&](std::size_t index) { seen.push_back(index); }));
    EXPECT_EQ(clock.ElapsedMs(), 5100);
    EXPECT_EQ(requestsAtMs, (std::vector<long>{100, 1100, 2100, 3100, 4100}));
    EXPECT_EQ(seen, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(table.GetSize(), 5u);
    EXPECT_FALSE(session.Socket().IsOpen());
}

TEST_F(SearchSessionTest, PortTakenGivesAnEmptySearchThatStillCountsDown) {
    CMySchSocket holder;
    ASSERT_TRUE(holder.Create(0));
    Transport().searchLocalPort = holder.LocalPort();
    CConfigParamArray table;
    table.Add(_CONFIGPARAM());
    SearchSession session(table);
    EXPECT_FALSE(session.Open());
    EXPECT_EQ(table.GetSize(), 0u);
    EXPECT_TRUE(session.Tick()) << "the countdown runs on, every send failing";
    EXPECT_FALSE(session.OnReadable());

    SearchSession run(table);
    EXPECT_FALSE(RunSearch(run, [](std::size_t) { ADD_FAILURE() << "nothing can arrive"; }));
    EXPECT_EQ(clock.ElapsedMs(), 5100);
    Settle();
    EXPECT_EQ(simulator->LogSize(), 0u);
}

// Each receive reads into a cleared buffer: a short reply after a full one reads zeros where
// it ends, not the bytes the full one left behind.
TEST(SearchReceive, AShortReplyAfterAFullOneGivesZerosThroughTheSocket) {
    testing::ScopedTransport transport;
    Transport().searchLocalPort = 0;
    CConfigParamArray table;
    SearchSession session(table);
    ASSERT_TRUE(session.Open());
    const net::SocketHandle sender = net::OpenUdp();
    ASSERT_NE(sender, net::kInvalidSocket);
    const Bytes full =
        Hex("81 00 00 18 00 00 00 00  80 00 51 11 AB CD  00 1A 2B 00 00 07  C0 A8 01 3C");
    for (const Bytes& datagram : {full, Hex("81 00 00 18")}) {
        ASSERT_EQ(net::SendTo(sender, 0x7F000001, session.Socket().LocalPort(), datagram.data(),
                              datagram.size()),
                  static_cast<int>(datagram.size()));
        ASSERT_TRUE(net::WaitReadable(session.Socket().Descriptor(), 1000));
        ASSERT_TRUE(session.OnReadable());
    }
    net::Close(sender);
    ASSERT_EQ(table.GetSize(), 2u);
    EXPECT_TRUE(BytesEq(Bytes(table[0].data(), table[0].data() + 16),
                        Hex("80 00 51 11 AB CD 00 1A 2B 00 00 07 C0 A8 01 3C")));
    EXPECT_TRUE(BytesEq(Bytes(table[1].data(), table[1].data() + 16), Bytes(16, 0)));
}

// What one read notification of the dialog takes: every datagram waiting, each through the
// acceptance rule, up to the limit; one too large to receive does not hide those behind it.
TEST(SearchSessionReadWaiting, TakesEveryWaitingDatagramUpToTheLimit) {
    testing::ScopedTransport transport;
    Transport().searchLocalPort = 0;
    CConfigParamArray table;
    SearchSession session(table);
    ASSERT_TRUE(session.Open());
    const uint16_t port = session.Socket().LocalPort();

    auto reply = [](uint8_t last) {
        Bytes r = Hex("81 00 00 18 00 00 00 00 01 00 00 90 00 00 00 1A 2B 3C 4D 00 C0 A8 01 32");
        r[19] = last;
        return r;
    };
    Bytes oversized(300, 0);
    oversized[0] = 0x81;
    oversized[3] = 0x18;
    const Bytes waiting[] = {reply(1),  Hex("01 00 00 18"), Bytes(), reply(2),
                             oversized, reply(3),           reply(4)};
    const net::SocketHandle sender = net::OpenUdp();
    ASSERT_NE(sender, net::kInvalidSocket);
    for (const Bytes& d : waiting) {
        ASSERT_EQ(net::SendTo(sender, 0x7F000001, port, d.data(), d.size()),
                  static_cast<int>(d.size()));
    }
    net::Close(sender);
    ASSERT_TRUE(net::WaitReadable(session.Socket().Descriptor(), 1000));
    net::SleepMs(50);

    EXPECT_EQ(session.ReadWaiting(2), 2u);
    EXPECT_EQ(table.GetSize(), 1u);
    EXPECT_EQ(session.ReadWaiting(100), 5u) << "the empty and the oversized one count too";
    ASSERT_EQ(table.GetSize(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(table[i].data()[11], i + 1) << "in arrival order";
    }
    EXPECT_EQ(session.ReadWaiting(100), 0u) << "nothing left";
    session.Close();
    EXPECT_EQ(session.ReadWaiting(100), 0u) << "a closed socket has nothing";
}

}  // namespace
}  // namespace varlo
