#include <gtest/gtest.h>

#include <algorithm>

#include "discovery/SearchProtocol.h"
#include "testsupport/WireTest.h"

namespace varlo {
namespace {

using testing::BytesEq;
using testing::Hex;
using testing::HexArray;

std::optional<_CONFIGPARAM> Accept(const Bytes& datagram) {
    uint8_t buffer[kSearchReceiveBuffer] = {};
    std::copy_n(datagram.begin(), std::min(datagram.size(), sizeof buffer), buffer);
    return AcceptSearchReply(buffer, static_cast<int>(datagram.size()));
}

TEST(SearchProtocol, WorkedFrames) {
    CConfigParamArray table;
    EXPECT_TRUE(BytesEq(BuildSearchRequest(table), Hex("01 00 00 08 00 00 00 00")));

    table.Add(
        _CONFIGPARAM::FromBytes(HexArray<16>("01 00 00 90 00 00 00 1A 2B 3C 4D 5E C0 A8 01 32")));
    EXPECT_TRUE(BytesEq(BuildSearchRequest(table),
                        Hex("01 00 00 14 00 00 00 00"                  // header, length 20
                            "01 00 00 90 00 00 00 1A 2B 3C 4D 5E")));  // LUMA-1 identity

    const auto reply =
        Accept(Hex("81 00 00 18 00 00 00 00"  // reply code, length 24
                   "80 00 51 11 00 00"        // KV-70, extra bytes
                   "00 1A 2B 00 00 07"        // MAC
                   "C0 A8 01 3C"));           // 192.168.1.60
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->dwType(), 0x11510080u);
    table.Add(*reply);
    EXPECT_TRUE(BytesEq(BuildSearchRequest(table), Hex("01 00 00 20 00 00 00 00"
                                                       "01 00 00 90 00 00 00 1A 2B 3C 4D 5E"
                                                       "80 00 51 11 00 00 00 1A 2B 00 00 07")));
}

TEST(SearchProtocol, Acceptance) {
    struct Case {
        const char* name;
        Bytes datagram;
        bool accepted;
    };
    const Case cases[] = {
        {"full reply",
         Hex("81 00 00 18 00 00 00 00 01 00 00 90 00 00 00 1A 2B 3C 4D 5E 0A 00 00 01"), true},
        {"bytes 1 and 4-7 not examined",
         Hex("81 7F 00 18 FF FF FF FF 01 00 00 90 00 00 00 1A 2B 3C 4D 5E 0A 00 00 01"), true},
        {"short reply reads zeros", Hex("81 00 00 18"), true},
        {"length little-endian",
         Hex("81 00 18 00 00 00 00 00 01 00 00 90 00 00 00 1A 2B 3C 4D 5E 0A 00 00 01"), false},
        {"request code",
         Hex("01 00 00 18 00 00 00 00 01 00 00 90 00 00 00 1A 2B 3C 4D 5E 0A 00 00 01"), false},
        {"other code",
         Hex("96 00 00 18 00 00 00 00 01 00 00 90 00 00 00 1A 2B 3C 4D 5E 0A 00 00 01"), false},
        {"one byte", Hex("81"), false},
        {"empty", Bytes{}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Accept(c.datagram).has_value(), c.accepted) << c.name;
    }
    Bytes longer(40, 0x11);
    longer[0] = 0x81;
    longer[2] = 0x00;
    longer[3] = 0x18;
    EXPECT_TRUE(Accept(longer)) << "the count is not compared with 24";

    const auto zeros = Accept(Hex("81 00 00 18"));
    EXPECT_EQ(zeros->bytes(), _CONFIGPARAM().bytes());
}

TEST(SearchProtocol, RequestListsAtMostWhatFitsOneDatagram) {
    CConfigParamArray table;
    for (std::size_t i = 0; i < kMaxListedIdentities + 3; ++i) {
        uint8_t record[16] = {};
        record[11] = static_cast<uint8_t>(i);
        table.Add(_CONFIGPARAM::FromBytes(record));
    }
    const Bytes request = BuildSearchRequest(table);
    EXPECT_EQ(request.size(), 8 + 12 * kMaxListedIdentities);
    EXPECT_LE(request.size(), 65507u);
    EXPECT_EQ(LoadBE16(request.data() + 2), request.size());
}

}  // namespace
}  // namespace varlo
