// What an operator's change becomes on the wire: every field not asked for says "no change", so
// an ArtAddress never overwrites a node's value with the one Varlo last saw.
#include <gtest/gtest.h>

#include "artnet4/AddressRequest.h"
#include "testsupport/WireTest.h"

namespace varlo::artnet4 {
namespace {

using testing::BytesEq;
using testing::Hex;
using testing::Repeat;

ArtPollReply MixedNode() {
    ArtPollReply reply;
    reply.SetBindIndex(2);
    reply.SetPortCount(3);
    reply.SetPortType(0, ArtPollReply::kPortCanOutput);
    reply.SetPortType(1, ArtPollReply::kPortCanInput);
    reply.SetPortType(2, 0);  // says neither: both are programmed
    return reply;
}

Bytes Expected(const Bytes& swIn, const Bytes& swOut, uint8_t command) {
    Bytes b = Hex("41 72 74 2D 4E 65 74 00 00 60 00 0E");  // ID, OpAddress, ProtVer
    for (const Bytes& part : {Hex("7F"),                   // NetSwitch: no change
                              Hex("02"),                   // BindIndex of the group
                              Repeat(0, 18 + 64),          // names: no change
                              swIn, swOut,                 // per port
                              Hex("7F"),                   // SubSwitch: no change
                              Hex("FF"),                   // AcnPriority: no change
                              Bytes{command}}) {
        b.insert(b.end(), part.begin(), part.end());
    }
    return b;
}

TEST(AddressRequestTest, AUniverseGoesToThePortsOwnDirectionOnly) {
    AddressRequest request;
    request.universe[0] = 5;
    request.universe[1] = 6;
    request.universe[2] = 7;
    const std::vector<ArtAddress> packets = BuildAddressPackets(request, MixedNode());
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_TRUE(BytesEq(Bytes(packets[0].bytes().begin(), packets[0].bytes().end()),
                        Expected(Hex("7F 86 87 7F"), Hex("85 7F 87 7F"), 0x00)));
}

TEST(AddressRequestTest, OneCommandAPacketTheFirstCarryingTheFields) {
    AddressRequest request;
    request.universe[0] = 1;
    request.ltp[0] = true;
    request.ltp[2] = false;
    request.locate = true;
    const std::vector<ArtAddress> packets = BuildAddressPackets(request, MixedNode());
    ASSERT_EQ(packets.size(), 3u);
    EXPECT_TRUE(BytesEq(Bytes(packets[0].bytes().begin(), packets[0].bytes().end()),
                        Expected(Repeat(0x7F, 4), Hex("81 7F 7F 7F"), 0x10)));  // LTP port 1
    EXPECT_TRUE(BytesEq(Bytes(packets[1].bytes().begin(), packets[1].bytes().end()),
                        Expected(Repeat(0x7F, 4), Repeat(0x7F, 4), 0x52)));  // HTP port 3
    EXPECT_TRUE(BytesEq(Bytes(packets[2].bytes().begin(), packets[2].bytes().end()),
                        Expected(Repeat(0x7F, 4), Repeat(0x7F, 4), 0x04)));  // locate
}

TEST(AddressRequestTest, NotTakenNamesEachRefusedValue) {
    ArtPollReply reply = MixedNode();
    reply.SetShortName("Old");
    reply.SetSwOut(0, 5);
    AddressRequest request;
    request.shortName = "New";
    request.universe[0] = 5;  // taken
    request.universe[3] = 1;  // a port the node does not have
    request.net = 0;          // taken: the node is on net 0
    request.ltp[0] = true;
    EXPECT_EQ(NotTaken(request, reply), (std::vector<std::string>{
                                            "shortName: asked \"New\", node says \"Old\"",
                                            "merge.1: asked ltp, node says htp",
                                            "port.4.universe: asked 1, node says no such port",
                                        }));
    EXPECT_TRUE(AddressRequest{}.Empty());
    EXPECT_FALSE(request.Empty());
}

}  // namespace
}  // namespace varlo::artnet4
