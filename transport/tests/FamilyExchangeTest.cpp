// The exchanges of both families as the dialogs and the command line run them, through
// ConfigSession on the wire against the simulator: the exact frames of every write and command,
// how a reply is judged (length and code, and status for writes), the three sends of an
// unanswered request, what a failure leaves behind, and that every block makes the round trip.
// One suite, run for a serial server, an Art-Net node and the WiFi module.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetModels.h"
#include "artnet/Rt5350BasicParam.h"
#include "discovery/DeviceType.h"
#include "serialserver/BasicParam.h"
#include "serialserver/OpModeParam.h"
#include "serialserver/SerialParam.h"
#include "serialserver/SerialServerModel.h"
#include "serialserver/WirelessParam.h"
#include "testsupport/RandomReplies.h"
#include "testsupport/WireTest.h"
#include "transport/ConfigSession.h"

namespace varlo {
namespace {

using testing::BytesEq;
using testing::Hex;
using testing::Repeat;

template <typename Block>
Bytes BytesOf(const Block& b) {
    return Bytes(b.data(), b.data() + b.size());
}

// A frame written out field by field: the header, the identity, then the parts.
Bytes Frame(const char* header, const char* identity, std::initializer_list<Bytes> parts) {
    Bytes f = Hex(std::string(header) + identity);
    for (const Bytes& p : parts) {
        f.insert(f.end(), p.begin(), p.end());
    }
    return f;
}

// One write or command and its frame, worked out here apart from the program (checksums
// included). blockIndex names the session's block; a command has none and sends `command`.
struct FrameCase {
    const char* what;
    std::optional<std::size_t> blockIndex;
    uint8_t command;
    std::function<Bytes()> build;
    Bytes frame;
};

struct FamilyCase {
    const char* name;
    uint32_t type;
    MacBytes mac;
    uint8_t strayReply;  // a reply code of another request, sent ahead of the real reply
    bool hasDefault;     // the Default command, which restores the factory blocks
    std::vector<FrameCase> (*frames)();
};

const char* const kKv70Id = "80 00 51 11  00 00  00 1A 2B 3C 4D 5E";
const char* const kLuma8Id = "08 00 00 90 00 00  00 1A 2B 3C 4D 08";
const char* const kModuleId = "50 53 00 80 00 00  00 1A 2B 3C 4D 50";

std::vector<FrameCase> SerialServerFrames() {
    std::vector<FrameCase> out;
    out.push_back({"_BASICPARAM", 1, 0,
                   [] {
                       _BASICPARAM basic;
                       basic.SetDeviceName("Port-1");
                       basic.SetIpType(1);
                       basic.SetLocalIp({192, 168, 7, 20});
                       basic.SetSubnetMask({255, 255, 255, 0});
                       basic.SetGateway({192, 168, 7, 1});
                       basic.SetPreferredDns({8, 8, 8, 8});
                       basic.SetAlternateDns({1, 1, 1, 1});
                       return BytesOf(basic);
                   },
                   Frame("07 00 00 4C 00 00 00 00", kKv70Id,  // 0x07, length 76
                         {Hex("50 6F 72 74 2D 31"),           // "Port-1"
                          Repeat(0, 26),                      // the rest of its 32 bytes
                          Hex("00 00 00 01"),                 // DHCP
                          Hex("C0 A8 07 14"),                 // 192.168.7.20
                          Hex("FF FF FF 00"),                 // mask
                          Hex("C0 A8 07 01"),                 // gateway
                          Hex("08 08 08 08"),                 // preferred DNS
                          Hex("01 01 01 01")})});             // alternate DNS
    out.push_back({"_WIRELESSPARAM", 2, 0,
                   [] {
                       _WIRELESSPARAM wireless;
                       wireless.SetSsid("AP");
                       wireless.SetWirelessMode(1);
                       wireless.SetEncryptionMode(3);
                       wireless.SetWepKeyLength(1);
                       wireless.SetWepKeyFormat(1);
                       wireless.SetWepDefaultKey(2);
                       const uint8_t key64[5] = {0x11, 0x22, 0x33, 0x44, 0x55};
                       wireless.SetWepKey(0, 0, key64);
                       const uint8_t key128[13] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6,
                                                   0xA7, 0xA8, 0xA9, 0xAA, 0xAB, 0xAC};
                       wireless.SetWepKey(1, 3, key128);
                       wireless.SetWpaCipher(2);
                       wireless.SetPassPhrase("secret");
                       return BytesOf(wireless);
                   },
                   Frame("08 00 00 F8 00 00 00 00", kKv70Id,  // 0x08, length 248
                         {Hex("41 50"), Repeat(0, 34),        // SSID "AP" in 36
                          Hex("00 00 00 01"),                 // client
                          Hex("00 00 00 03"),                 // WPA2-Personal
                          Hex("00 00 00 01"),                 // 128-bit keys
                          Hex("00 00 00 01"),                 // HEX
                          Hex("00 00 00 02"),                 // key 3 is default
                          Hex("11 22 33 44 55 00 00 00"),     // 64-bit key 1
                          Repeat(0, 24),                      // 64-bit keys 2-4
                          Repeat(0, 48),                      // 128-bit keys 1-3
                          Hex("A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 AA AB AC 00 00 00"),  // 128-bit key 4
                          Hex("00 00 00 02"),                                      // AES
                          Repeat(0, 4),                                 // not interpreted
                          Hex("73 65 63 72 65 74"), Repeat(0, 62)})});  // "secret" in 68
    out.push_back({"_SERIALPARAM", 3, 0,
                   [] {
                       _SERIALPARAM serial;
                       serial.SetBaudRate(17);
                       serial.SetDataBits(2);
                       serial.SetStopBits(1);
                       serial.SetParity(4);
                       return BytesOf(serial);
                   },
                   Frame("09 00 00 24 00 00 00 00", kKv70Id,  // 0x09, length 36
                         {Hex("00 00 00 11"),                 // baud-rate code 17 = 230400
                          Hex("00 00 00 02"),                 // data bits: seven
                          Hex("00 00 00 01"),                 // stop bits: two
                          Hex("00 00 00 04")})});             // parity: space
    out.push_back({"_OPMODEPARAM", 4, 0,
                   [] {
                       _OPMODEPARAM opMode;
                       opMode.SetOpMode(2);
                       opMode.SetRealComKeepAlive(5);
                       opMode.SetTcpServerKeepAlive(6);
                       opMode.SetTcpServerPort(4001);
                       opMode.SetTcpClientKeepAlive(7);
                       opMode.SetTcpClientAddress(0, "10.0.0.1");
                       opMode.SetTcpClientPort(0, 502);
                       opMode.SetUdpAddress(3, "host");
                       opMode.SetUdpPort(3, 65535);
                       opMode.SetUdpListenPort(0x1234);
                       return BytesOf(opMode);
                   },
                   Frame("0A 00 01 7C 00 00 00 00", kKv70Id,              // 0x0A, length 380
                         {Hex("00 00 00 02"),                             // TCP client
                          Hex("00 00 00 05"),                             // real COM keep-alive
                          Hex("00 00 00 06"),                             // TCP server keep-alive
                          Hex("0F A1"),                                   // TCP server port 4001
                          Hex("00 00"),                                   // reserved
                          Hex("00 00 00 07"),                             // TCP client keep-alive
                          Hex("31 30 2E 30 2E 30 2E 31"), Repeat(0, 32),  // "10.0.0.1"
                          Repeat(0, 120),                                 // client addresses 2-4
                          Hex("01 F6 00 00 00 00 00 00"),                 // ports 502, 0, 0, 0
                          Repeat(0, 120),                                 // UDP addresses 1-3
                          Hex("68 6F 73 74"), Repeat(0, 36),              // UDP address 4 "host"
                          Hex("00 00 00 00 00 00 FF FF"),                 // UDP ports 0,0,0,65535
                          Hex("12 34"),                                   // UDP listen port
                          Hex("00 00")})});                               // reserved
    return out;
}

std::vector<FrameCase> Luma8Frames() {
    std::vector<FrameCase> out;
    out.push_back({"_ARTNETBASICPARAM", 1, 0,
                   [] {
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
                       return BytesOf(basic);
                   },
                   Frame("07 00 00 6C 00 00 00 00", kLuma8Id,          // 0x07, length 108
                         {Hex("53 74 61 67 65"), Repeat(0, 27),        // "Stage" in 32 bytes
                          Hex("06"),                                   // DMX hold time
                          Hex("03"),                                   // display hold time
                          Hex("00"),                                   // kept
                          Hex("03"),                                   // Custom IP
                          Repeat(0, 12),                               // NodeA current set
                          Hex("0A 00 00 08 FF 00 00 00 0A 00 00 01"),  // NodeA static
                          Repeat(0, 12),                               // NodeB current set
                          Hex("0A 00 01 08 FF FF 00 00 0A 00 01 01"),  // NodeB static
                          Hex("4D F0"),                                // CRC of bytes 0-83
                          Hex("00 00")})});                            // trailer
    out.push_back({"NodeA _ARTNETDMXPARAM", 2, 0,
                   [] {
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
                       return BytesOf(nodeA);
                   },
                   Frame("08 00 00 48 00 00 00 00", kLuma8Id,          // 0x08, length 72
                         {Repeat(0, 12),                               // port 1
                          Hex("01 00 37 28 02 00 00 01 C0 A8 01 0A"),  // port 2: output, 0x37,
                                                                       // 40 fps, LTP, unicast
                          Repeat(0, 24),                               // ports 3 and 4
                          Hex("37 7A"),                                // CRC of bytes 0-47
                          Hex("00 00")})});
    out.push_back({"NodeB _ARTNETDMXPARAM", 3, 0,
                   [] {
                       _ARTNETDMXPARAM nodeB;
                       _DMXPORTPARAM port;
                       port.SetUniverse(0x45);
                       port.SetFrameRate(30);
                       port.SetMergeMode(3);
                       nodeB.SetPort(3, port);
                       nodeB.StampChecksum();
                       return BytesOf(nodeB);
                   },
                   Frame("09 00 00 48 00 00 00 00", kLuma8Id,          // 0x09, length 72
                         {Repeat(0, 36),                               // ports 5 to 7
                          Hex("00 00 45 1E 03 00 00 00 00 00 00 00"),  // port 8: input, 0x45,
                                                                       // 30 fps, backup
                          Hex("8E 86"), Hex("00 00")})});
    out.push_back({"finish", std::nullopt, artnet::kApplyFinish, nullptr,
                   Frame("7E 00 00 18 00 00 00 00", kLuma8Id,  // 0x7E, length 24
                         {Hex("6D 65"),                        // CRC of bytes 0-19
                          Hex("00 00")})});
    out.push_back({"Default", std::nullopt, artnet::kDefault, nullptr,
                   Frame("7F 00 00 18 00 00 00 00", kLuma8Id,  // 0x7F, length 24
                         {Hex("BC 58"), Hex("00 00")})});
    return out;
}

std::vector<FrameCase> ModuleFrames() {
    std::vector<FrameCase> out;
    out.push_back({"_RT5350BASICPARAM", 1, 0,
                   [] {
                       _RT5350BASICPARAM module;
                       module.SetDeviceName("Air");
                       module.SetIpAddress({192, 168, 1, 77});
                       module.SetSubnetMask({255, 255, 255, 0});
                       module.StampChecksum();
                       return BytesOf(module);
                   },
                   Frame("07 00 00 50 00 00 00 00", kModuleId,  // 0x07, length 80
                         {Hex("41 69 72"), Repeat(0, 29),       // "Air" in 32 bytes
                          Repeat(0, 4),                         // kept
                          Hex("C0 A8 01 4D"),                   // 192.168.1.77
                          Hex("FF FF FF 00"),                   // mask
                          Repeat(0, 12),                        // kept
                          Hex("6B FB"),                         // CRC of bytes 0-55
                          Hex("00 00")})});
    out.push_back({"Default", std::nullopt, artnet::kDefault, nullptr,
                   Frame("7F 00 00 18 00 00 00 00", kModuleId,  // 0x7F, length 24
                         {Hex("DC BB"), Hex("00 00")})});
    return out;
}

const FamilyCase kFamilies[] = {
    {"SerialServer",
     DEVTYPE_KV70,
     {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E},
     0x86,
     false,
     SerialServerFrames},
    {"ArtNetNode", DEVTYPE_LUMA_8, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x08}, 0x83, true, Luma8Frames},
    {"WifiModule",
     DEVTYPE_LUMA_AIR_MODULE,
     {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x50},
     0x83,
     true,
     ModuleFrames},
};

void PrintTo(const FamilyCase& c, std::ostream* os) {
    *os << c.name;
}

const SessionModel& ModelOf(uint32_t type) {
    const artnet::ArtNetModel* m = artnet::FindArtNetModel(type);
    return m ? m->session : serialserver::GetSerialServerModel().session;
}

// The block with its first byte (a name's or a mode's) changed, its checksum stamped afresh
// where the family's blocks carry one, so the device takes it.
Bytes Changed(Bytes block) {
    block.at(0) ^= 0x01;
    const auto stamp = [&block](auto b) {
        b.Assign(block.data());
        b.StampChecksum();
        block = BytesOf(b);
    };
    if (block.size() == _ARTNETBASICPARAM::kSize) {
        stamp(_ARTNETBASICPARAM());
    } else if (block.size() == _ARTNETDMXPARAM::kSize) {
        stamp(_ARTNETDMXPARAM());
    } else if (block.size() == _RT5350BASICPARAM::kSize) {
        stamp(_RT5350BASICPARAM());
    }
    return block;
}

class FamilyExchangeTest : public testing::SimulatorTest,
                           public ::testing::WithParamInterface<FamilyCase> {
protected:
    void SetUp() override {
        sim::Rig rig;
        rig.devices.push_back(sim::MakeSimDevice(GetParam().type, GetParam().mac, {10, 0, 0, 9}));
        sim::InstallFactoryBlocks(rig.devices[0], 0);
        factory = rig.devices[0].factory;
        identity = rig.devices[0].Identity();
        StartSimulator(std::move(rig));
        session.emplace(ModelOf(GetParam().type), identity);
    }
    const BlockSpec& BlockAt(std::size_t i) const { return session->Model().blocks[i]; }
    Bytes Stored(uint8_t readCode) {
        Bytes b;
        simulator->WithDevices([&](std::vector<sim::SimDevice>& d) { b = d[0].blocks[readCode]; });
        return b;
    }
    // The last block of the model: the one every family writes.
    std::size_t LastBlock() const { return session->BlockCount() - 1; }

    std::map<uint8_t, Bytes> factory;
    DeviceIdentity identity{};
    std::optional<ConfigSession> session;
};

TEST_P(FamilyExchangeTest, EveryWriteAndCommandIsExactToTheByte) {
    ASSERT_EQ(session->Open(), session->BlockCount());
    simulator->ClearLog();
    const std::vector<FrameCase> frames = GetParam().frames();
    for (const FrameCase& f : frames) {
        SCOPED_TRACE(f.what);
        if (f.blockIndex) {
            EXPECT_EQ(session->Commit(*f.blockIndex, f.build()), WriteOutcome::Written);
        } else {
            EXPECT_TRUE(session->SendCommand(f.command));
        }
    }
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), frames.size());
    for (std::size_t i = 0; i < frames.size(); ++i) {
        EXPECT_TRUE(BytesEq(log[i].bytes, frames[i].frame)) << frames[i].what;
    }
}

struct FailureCase {
    const char* name;
    std::function<void(sim::SimFaults&, uint8_t strayReply)> fault;
    bool readSucceeds;
    bool writeSucceeds;  // writes and commands
};

TEST_P(FamilyExchangeTest, EachFailureKindFailsAndKeepsTheSavedCopy) {
    const FailureCase cases[] = {
        {"answered", [](sim::SimFaults&, uint8_t) {}, true, true},
        {"silence", [](sim::SimFaults& f, uint8_t) { f.silent = true; }, false, false},
        {"one byte short", [](sim::SimFaults& f, uint8_t) { f.lengthDelta = -1; }, false, false},
        // Does not fit the reply buffer: the wait runs to the end of the budget.
        {"one byte long", [](sim::SimFaults& f, uint8_t) { f.lengthDelta = 1; }, false, false},
        {"wrong code", [](sim::SimFaults& f, uint8_t) { f.wrongCode = true; }, false, false},
        // The status byte counts for writes and commands only.
        {"status 1", [](sim::SimFaults& f, uint8_t) { f.status = 1; }, true, false},
        {"status 0x80", [](sim::SimFaults& f, uint8_t) { f.status = 0x80; }, true, false},
        {"stray datagram first",
         [](sim::SimFaults& f, uint8_t stray) {
             f.before = {Bytes{stray, 0, 0, 0, 0, 0, 0, 0}};
         },
         false, false},
    };
    ASSERT_EQ(session->Open(), session->BlockCount());
    const std::size_t b = LastBlock();
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimFaults faults;
        c.fault(faults, GetParam().strayReply);
        simulator->SetFaults(0, faults);
        const Bytes savedInfo = *session->Saved(0);
        const Bytes saved = *session->Saved(b);

        EXPECT_EQ(session->Read(0), c.readSucceeds);
        EXPECT_EQ(session->Read(b), c.readSucceeds);
        if (!c.readSucceeds) {
            EXPECT_TRUE(BytesEq(*session->Saved(0), savedInfo));
            EXPECT_TRUE(BytesEq(*session->Saved(b), saved)) << "a failed read keeps the copy";
        }

        const Bytes changed = Changed(saved);
        EXPECT_EQ(session->Commit(b, changed),
                  c.writeSucceeds ? WriteOutcome::Written : WriteOutcome::Failed);
        EXPECT_TRUE(BytesEq(*session->Saved(b), c.writeSucceeds ? changed : saved));
        if (c.writeSucceeds) {
            EXPECT_TRUE(BytesEq(Stored(BlockAt(b).readCode), changed));
        }
        if (GetParam().hasDefault) {
            EXPECT_EQ(session->SendCommand(artnet::kDefault), c.writeSucceeds);
        }
        // Back in line with the device (a refused write or Default may have changed it).
        simulator->SetFaults(0, {});
        ASSERT_EQ(session->Open(), session->BlockCount());
    }
}

TEST_P(FamilyExchangeTest, AnUnansweredRequestIsSentThreeTimes) {
    sim::SimFaults faults;
    faults.lengthDelta = 1;
    simulator->SetFaults(0, faults);
    EXPECT_FALSE(session->Read(LastBlock()));
    EXPECT_EQ(simulator->LogSize(), 3u);
}

// Bytes 1 to 7 of a read reply and 2 to 7 of an acknowledgement may hold anything.
TEST_P(FamilyExchangeTest, RepliesAreJudgedByLengthCodeAndStatusOnly) {
    const std::size_t b = LastBlock();
    const BlockSpec entry = BlockAt(b);
    const Bytes block = Changed(factory[entry.readCode]);
    simulator->OverrideCommand(entry.readCode, [entry, block](sim::SimDevice&, const Bytes&) {
        Bytes reply = Hex("00 FF 01 02 03 04 05 06");
        reply[0] = entry.readCode | 0x80;
        reply.insert(reply.end(), block.begin(), block.end());
        return std::optional<Bytes>(reply);
    });
    simulator->OverrideCommand(entry.writeCode, [entry](sim::SimDevice&, const Bytes&) {
        Bytes reply = Hex("00 00 FF FE FD FC FB FA");
        reply[0] = entry.writeCode | 0x80;
        return std::optional<Bytes>(reply);
    });
    ASSERT_TRUE(session->Read(b));
    EXPECT_TRUE(BytesEq(*session->Saved(b), block));
    EXPECT_EQ(session->Commit(b, Changed(block)), WriteOutcome::Written);
}

TEST_P(FamilyExchangeTest, EveryBlockMakesTheRoundTrip) {
    ASSERT_EQ(session->Open(), session->BlockCount());
    std::vector<std::optional<Bytes>> built(session->BlockCount());
    for (std::size_t i = 0; i < session->BlockCount(); ++i) {
        if (BlockAt(i).Writable()) {
            built[i] = Changed(*session->Saved(i));
        }
    }
    const ApplyResult r = session->Apply(built);
    EXPECT_FALSE(r.AnyFailed());

    ConfigSession reopened(ModelOf(GetParam().type), identity);
    ASSERT_EQ(reopened.Open(), reopened.BlockCount());
    for (std::size_t i = 0; i < session->BlockCount(); ++i) {
        if (built[i]) {
            EXPECT_TRUE(BytesEq(*reopened.Saved(i), *built[i])) << BlockAt(i).name;
        }
    }
    if (GetParam().hasDefault) {
        ASSERT_TRUE(reopened.SendCommand(artnet::kDefault));
        simulator->WithDevices(
            [&](std::vector<sim::SimDevice>& d) { EXPECT_EQ(d[0].blocks, factory); });
    }
}

// The Art-Net devices check a block's checksum: one changed after stamping is refused and the
// device keeps what it had; the session keeps its saved copy and sends the block again.
TEST_P(FamilyExchangeTest, ABlockWithAWrongChecksumIsRefused) {
    if (!GetParam().hasDefault) {
        GTEST_SKIP() << "serial-server blocks carry no checksum";
    }
    ASSERT_EQ(session->Open(), session->BlockCount());
    const std::size_t b = LastBlock();
    const Bytes saved = *session->Saved(b);
    Bytes wrong = Changed(saved);
    wrong.at(2) ^= 0x77;  // after the checksum was computed
    EXPECT_EQ(session->Commit(b, wrong), WriteOutcome::Failed);
    EXPECT_TRUE(BytesEq(Stored(BlockAt(b).readCode), saved));
    EXPECT_TRUE(BytesEq(*session->Saved(b), saved));
    EXPECT_EQ(session->Commit(b, Changed(saved)), WriteOutcome::Written);
}

// Replies of any length and content, for every read, write and command: each must pass exactly
// when the reply it acted on was good, keep reply byte 8 on (the whole reply for the device
// information) when it passes and leave the saved copy alone when it fails; under
// AddressSanitizer nothing may read or write outside its buffers.
TEST_P(FamilyExchangeTest, RandomRepliesAreJudgedExactlyAndNeverEscapeTheirBuffers) {
    ASSERT_EQ(session->Open(), session->BlockCount());
    testing::RandomReplies replies(7);
    std::map<uint8_t, std::size_t> expected;
    for (const BlockSpec& entry : session->Model().blocks) {
        expected[entry.readCode] = entry.ReplySize();
        if (entry.Writable()) {
            expected[entry.writeCode] = kAckReplySize;
        }
    }
    if (GetParam().hasDefault) {
        expected[artnet::kDefault] = kAckReplySize;
    }
    replies.Install(*simulator, expected);
    // Enough rounds that the module, with the fewest exchanges, passes and fails often.
    const int rounds = 60;
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t i = 0; i < session->BlockCount(); ++i) {
            const BlockSpec& entry = BlockAt(i);
            const Bytes before = *session->Saved(i);
            const bool ok = session->Read(i);
            const std::optional<Bytes> passing =
                replies.Passing(entry.readCode, entry.ReplySize(), false);
            EXPECT_EQ(ok, passing.has_value()) << "read 0x" << std::hex << int(entry.readCode);
            const Bytes after = *session->Saved(i);
            if (ok && passing) {
                EXPECT_TRUE(
                    BytesEq(after, Bytes(passing->begin() + entry.replyOffset, passing->end())));
            } else if (!ok) {
                EXPECT_TRUE(BytesEq(after, before)) << "a failed read keeps the saved copy";
            }
            if (entry.Writable()) {
                const WriteOutcome w = session->Commit(i, Changed(after));
                EXPECT_EQ(w == WriteOutcome::Written,
                          replies.Passing(entry.writeCode, kAckReplySize, true).has_value())
                    << "write 0x" << std::hex << int(entry.writeCode);
            }
        }
        if (GetParam().hasDefault) {
            // Sent before its replies are judged: an argument of EXPECT_EQ may run first.
            const bool acknowledged = session->SendCommand(artnet::kDefault);
            EXPECT_EQ(acknowledged,
                      replies.Passing(artnet::kDefault, kAckReplySize, true).has_value());
        }
    }
    EXPECT_GE(replies.Count(), rounds * expected.size());
    // Both outcomes come up often: a program that refused every reply would fail above.
    EXPECT_GT(replies.Passes(), 20u);
    EXPECT_GT(replies.Failures(), 20u);
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, FamilyExchangeTest, ::testing::ValuesIn(kFamilies),
                         [](const ::testing::TestParamInfo<FamilyCase>& info) {
                             return std::string(info.param.name);
                         });

// A node's model on the module: the module's 68-byte reply to 0x03 is not the node's 96 bytes,
// so the read fails at once and nothing is kept.
class FamilyExchangeModelTest : public testing::SimulatorTest {};

TEST_F(FamilyExchangeModelTest, TheReplyLengthFollowsTheModel) {
    sim::Rig rig;
    rig.devices.push_back(sim::MakeSimDevice(
        DEVTYPE_LUMA_AIR_MODULE, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x50}, {192, 168, 1, 70}));
    sim::InstallFactoryBlocks(rig.devices[0], 0);
    const DeviceIdentity id = rig.devices[0].Identity();
    StartSimulator(std::move(rig));
    ConfigSession node(ModelOf(DEVTYPE_LUMA_4), id);
    EXPECT_EQ(node.Open(), 1u);
    EXPECT_FALSE(node.IsRead(1));
    ConfigSession module(ModelOf(DEVTYPE_LUMA_AIR_MODULE), id);
    EXPECT_EQ(module.Open(), 2u);
    _RT5350BASICPARAM basic;
    basic.Assign(module.Saved(1)->data());
    EXPECT_EQ(basic.IpAddress(), (Ipv4Bytes{192, 168, 1, 70}));
}

}  // namespace
}  // namespace varlo
