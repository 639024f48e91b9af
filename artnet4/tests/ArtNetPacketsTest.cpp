// The three Art-Net packets byte for byte (layouts checked against a real node implementation
// and a protocol analyser), and the checks a received packet passes before a field is read.
#include <gtest/gtest.h>

#include <string>

#include "artnet4/ArtAddress.h"
#include "artnet4/ArtPoll.h"
#include "artnet4/ArtPollReply.h"
#include "artnet4/PortAddress.h"
#include "testsupport/WireTest.h"

namespace varlo::artnet4 {
namespace {

using testing::BytesEq;
using testing::Hex;
using testing::Repeat;

// A frame written piece by piece, one piece per field.
Bytes Frame(std::initializer_list<Bytes> fields) {
    Bytes out;
    for (const Bytes& f : fields) {
        out.insert(out.end(), f.begin(), f.end());
    }
    return out;
}

Bytes Text(const std::string& text, std::size_t width) {
    Bytes out(text.begin(), text.end());
    out.resize(width, 0);
    return out;
}

template <std::size_t N>
Bytes BytesOf(const ByteBlock<N>& block) {
    return Bytes(block.bytes().begin(), block.bytes().end());
}

const Bytes kId = Hex("41 72 74 2D 4E 65 74 00");  // "Art-Net\0"

TEST(ArtPollTest, VarloSendsTheFourteenByteFormWithReplyOnChange) {
    const ArtPoll poll(ArtPoll::kFlagReplyOnChange);
    EXPECT_TRUE(BytesEq(BytesOf(poll), Frame({
                                           kId,           // ID
                                           Hex("00 20"),  // OpPoll, low byte first
                                           Hex("00 0E"),  // ProtVer 14, high byte first
                                           Hex("02"),     // Flags: reply when conditions change
                                           Hex("00"),     // DiagPriority
                                       })));
}

TEST(ArtAddressTest, UntouchedFieldsSayNoChange) {
    const ArtAddress address(2);
    EXPECT_TRUE(BytesEq(BytesOf(address), Frame({
                                              kId,              // ID
                                              Hex("00 60"),     // OpAddress
                                              Hex("00 0E"),     // ProtVer 14
                                              Hex("7F"),        // NetSwitch: no change
                                              Hex("02"),        // BindIndex
                                              Repeat(0, 18),    // ShortName: empty, no change
                                              Repeat(0, 64),    // LongName: empty, no change
                                              Repeat(0x7F, 4),  // SwIn: no change
                                              Repeat(0x7F, 4),  // SwOut: no change
                                              Hex("7F"),        // SubSwitch: no change
                                              Hex("FF"),        // AcnPriority: no change
                                              Hex("00"),        // Command: none
                                          })));
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_FALSE(address.SwInToProgram(k) || address.SwOutToProgram(k));
    }
    EXPECT_FALSE(address.NetToProgram() || address.SubNetToProgram());
}

TEST(ArtAddressTest, ProgrammedFieldsCarryBitSeven) {
    ArtAddress address;
    address.ProgramNet(3);
    address.SetShortName("Stage L");
    address.SetLongName("Stage left truss");
    address.ProgramSwOut(0, 5);
    address.ProgramSwOut(1, 6);
    address.ProgramSwOut(2, 7);
    address.ProgramSwOut(3, 8);
    address.ProgramSubNet(5);
    address.SetCommand(ArtAddress::kCmdLedLocate);
    EXPECT_TRUE(BytesEq(BytesOf(address), Frame({
                                              kId,                           // ID
                                              Hex("00 60"),                  // OpAddress
                                              Hex("00 0E"),                  // ProtVer 14
                                              Hex("83"),                     // NetSwitch 3
                                              Hex("01"),                     // BindIndex
                                              Text("Stage L", 18),           // ShortName
                                              Text("Stage left truss", 64),  // LongName
                                              Repeat(0x7F, 4),               // SwIn: no change
                                              Hex("85 86 87 88"),            // SwOut 5-8
                                              Hex("85"),                     // SubSwitch 5
                                              Hex("FF"),                     // AcnPriority
                                              Hex("04"),                     // Command: locate
                                          })));
    const auto parsed = ArtAddress::Parse(address.data(), address.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->NetToProgram(), 3);
    EXPECT_EQ(parsed->SubNetToProgram(), 5);
    EXPECT_EQ(parsed->SwOutToProgram(3), 8);
    EXPECT_FALSE(parsed->SwInToProgram(0));
    EXPECT_EQ(parsed->ShortName(), "Stage L");
}

TEST(ArtAddressTest, NamesAreCutToLeaveTheirTerminator) {
    ArtAddress address;
    address.SetShortName(std::string(40, 'S'));
    address.SetLongName(std::string(80, 'L'));
    EXPECT_EQ(address.ShortName(), std::string(17, 'S'));
    EXPECT_EQ(address.LongName(), std::string(63, 'L'));
    EXPECT_EQ(address.GetU8(ArtAddress::kShortName + 17), 0);
    EXPECT_EQ(address.GetU8(ArtAddress::kLongName + 63), 0);
}

// The protocol's own example: net 3, sub-net 5, outputs 5-8 are universes 853-856.
ArtPollReply ExampleReply() {
    ArtPollReply reply;
    reply.SetIpAddress({10, 0, 0, 7});
    reply.SetFirmware(0x0203);
    reply.SetNetSwitch(3);
    reply.SetSubSwitch(5);
    reply.SetOem(0x00FF);
    reply.SetStatus1(ArtPollReply::kIndicatorNormal);
    reply.SetEstaCode(0x7FF0);
    reply.SetShortName("LUMA-4");
    reply.SetLongName("LUMA-4 truss left");
    reply.SetNodeReport("#0001 [0005] Power On Tests successful");
    reply.SetPortCount(4);
    for (std::size_t k = 0; k < 4; ++k) {
        reply.SetPortType(k, ArtPollReply::kPortCanOutput);
        reply.SetGoodOutput(k, ArtPollReply::kOutputTransmitting);
        reply.SetSwOut(k, static_cast<uint8_t>(5 + k));
    }
    reply.SetGoodOutput(1, ArtPollReply::kOutputMergeLtp);
    reply.SetMac({0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x04});
    reply.SetBindIp({10, 0, 0, 7});
    reply.SetBindIndex(1);
    reply.SetStatus2(ArtPollReply::kStatus2PortAddress15 | ArtPollReply::kStatus2DhcpCapable);
    return reply;
}

TEST(ArtPollReplyTest, LayoutOfEveryField) {
    EXPECT_TRUE(BytesEq(BytesOf(ExampleReply()),
                        Frame({
                            kId,                            // ID
                            Hex("00 21"),                   // OpPollReply, low byte first
                            Hex("0A 00 00 07"),             // IP address
                            Hex("36 19"),                   // Port 6454, low byte first
                            Hex("02 03"),                   // VersInfoH, VersInfoL
                            Hex("03"),                      // NetSwitch
                            Hex("05"),                      // SubSwitch
                            Hex("00 FF"),                   // OemHi, Oem
                            Hex("00"),                      // UBEA version
                            Hex("C0"),                      // Status1: indicators normal
                            Hex("F0 7F"),                   // ESTA code, low byte first
                            Text("LUMA-4", 18),             // ShortName
                            Text("LUMA-4 truss left", 64),  // LongName
                            Text("#0001 [0005] Power On Tests successful", 64),  // NodeReport
                            Hex("00 04"),                                        // NumPorts
                            Hex("80 80 80 80"),        // PortTypes: DMX outputs
                            Hex("00 00 00 00"),        // GoodInput
                            Hex("80 02 80 80"),        // GoodOutputA
                            Hex("00 00 00 00"),        // SwIn
                            Hex("05 06 07 08"),        // SwOut
                            Hex("00"),                 // AcnPriority
                            Hex("00"),                 // SwMacro
                            Hex("00"),                 // SwRemote
                            Hex("00 00 00"),           // spare
                            Hex("00"),                 // Style: StNode
                            Hex("00 1A 2B 3C 4D 04"),  // MAC
                            Hex("0A 00 00 07"),        // BindIp
                            Hex("01"),                 // BindIndex
                            Hex("0C"),                 // Status2: 15-bit, DHCP capable
                            Hex("00 00 00 00"),        // GoodOutputB
                            Hex("00"),                 // Status3
                            Repeat(0, 6),              // default responder UID
                            Repeat(0, 15),             // user, refresh rate, filler
                        })));
}

TEST(ArtPollReplyTest, PortAddressesBothWays) {
    const ArtPollReply reply = ExampleReply();
    const uint16_t expected[4] = {853, 854, 855, 856};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(reply.OutputPortAddress(k), expected[k]);
    }
    EXPECT_EQ(FormatPortAddress(853), "3:5:5 (853)");
    EXPECT_EQ(FormatPortAddress(MakePortAddress(127, 15, 15)), "127:15:15 (32767)");
    EXPECT_EQ(FormatPortAddress(0), "0:0:0 (0)");
}

TEST(ArtPollReplyTest, ParseChecksIdOpCodeAndLength) {
    const Bytes full = BytesOf(ExampleReply());
    struct Case {
        const char* what;
        Bytes bytes;
        bool accepted;
    };
    Bytes wrongId = full;
    wrongId[7] = ' ';
    Bytes swappedOpCode = full;
    std::swap(swappedOpCode[8], swappedOpCode[9]);
    Bytes longer = full;
    longer.resize(300, 0xEE);
    const Case cases[] = {
        {"empty", {}, false},
        {"ID only", Bytes(full.begin(), full.begin() + 8), false},
        {"header only", Bytes(full.begin(), full.begin() + 10), false},
        {"one byte short of the MAC's end", Bytes(full.begin(), full.begin() + 206), false},
        {"ID without its NUL", wrongId, false},
        {"OpCode high byte first", swappedOpCode, false},
        {"ends after the MAC (older nodes)", Bytes(full.begin(), full.begin() + 207), true},
        {"full", full, true},
        {"longer than Art-Net 4's", longer, true},
    };
    for (const Case& c : cases) {
        const auto reply = ArtPollReply::Parse(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(reply.has_value(), c.accepted) << c.what;
        if (reply) {
            EXPECT_EQ(reply->ShortName(), "LUMA-4") << c.what;
            EXPECT_EQ(reply->OutputPortAddress(3), 856) << c.what;
        }
    }
    const auto older = ArtPollReply::Parse(full.data(), 207);
    ASSERT_TRUE(older);
    EXPECT_EQ(older->BindIndex(), 1);  // left out: the first and only group
    EXPECT_EQ(older->BindIp(), (Ipv4Bytes{0, 0, 0, 0}));
}

TEST(ArtPollReplyTest, HostileFieldsStayInTheirPlace) {
    ArtPollReply reply = ExampleReply();
    // No terminator anywhere in the names, bytes of 0x80 and above, and a port count no reply
    // has room for.
    for (std::size_t i = 0; i < 18 + 64 + 64; ++i) {
        reply.SetU8(ArtPollReply::kShortName + i, static_cast<uint8_t>(0x80 + i % 0x7F));
    }
    reply.SetU16BE(ArtPollReply::kNumPorts, 0xFF04);
    reply.SetU8(ArtPollReply::kNetSwitch, 0xFF);
    reply.SetU8(ArtPollReply::kSwOut, 0xFF);
    const auto parsed = ArtPollReply::Parse(reply.data(), reply.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->ShortName().size(), 18u);
    EXPECT_EQ(static_cast<uint8_t>(parsed->ShortName()[0]), 0x80);
    EXPECT_EQ(parsed->LongName().size(), 64u);
    EXPECT_EQ(parsed->NodeReport().size(), 64u);
    EXPECT_EQ(parsed->PortCount(), 4u);
    EXPECT_EQ(parsed->OutputPortAddress(0), MakePortAddress(127, 5, 15));
}

TEST(ArtPollTest, ParseTakesLongerPollsAndRejectsOthers) {
    const ArtPoll poll(ArtPoll::kFlagReplyOnChange);
    Bytes targeted(poll.bytes().begin(), poll.bytes().end());
    targeted.resize(22, 0);
    EXPECT_TRUE(ArtPoll::Parse(targeted.data(), targeted.size()));
    EXPECT_TRUE(ArtPoll::Parse(poll.data(), 14));
    EXPECT_FALSE(ArtPoll::Parse(poll.data(), 13));
    const ArtAddress address;
    EXPECT_FALSE(ArtPoll::Parse(address.data(), address.size()));
    EXPECT_FALSE(ArtAddress::Parse(address.data(), 106));
    EXPECT_FALSE(ArtAddress::Parse(poll.data(), poll.size()));
}

}  // namespace
}  // namespace varlo::artnet4
