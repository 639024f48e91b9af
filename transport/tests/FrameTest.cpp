#include <gtest/gtest.h>

#include <string>

#include "testsupport/WireTest.h"
#include "transport/FrameCrc.h"
#include "transport/FrameHeader.h"
#include "transport/HexText.h"
#include "transport/Ipv4Octets.h"
#include "transport/TransportSettings.h"

namespace varlo {
namespace {

using testing::BytesEq;
using testing::Hex;

uint16_t Crc(const std::string& s) {
    return CalcFrameCrc(reinterpret_cast<const uint8_t*>(s.data()), uint16_t(s.size()));
}

TEST(FrameCrc, KnownAnswers) {
    EXPECT_EQ(Crc("123456789"), 0x374B);
    EXPECT_EQ(Crc("abc"), 0x4957);
    EXPECT_EQ(Crc(""), 0xFFFF);
    // Bytes of 0x80 and above index the tables without sign trouble: CRC-16/MODBUS of
    // FF 80 81 is 0x50E0, returned with its bytes swapped.
    EXPECT_EQ(Crc("\xFF\x80\x81"), 0xE050);
}

TEST(FrameCrc, StoredHighByteFirst) {
    Bytes frame = {'1', '2', '3', '4', '5', '6', '7', '8', '9', 0, 0};
    StampFrameCrc(frame.data(), 9);
    EXPECT_EQ(frame[9], 0x4B);
    EXPECT_EQ(frame[10], 0x37);
}

const DeviceIdentity kLuma1 = {0x01, 0x00, 0x00, 0x90, 0x00, 0x00,
                               0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};

TEST(FrameHeader, ShortRequestOfDeviceInformation) {
    EXPECT_TRUE(BytesEq(BuildShortRequest(0x16, kLuma1),
                        Hex("16 00 00 18 00 00 00 00"  // code, 0, length 24, zeros
                            "01 00 00 90 00 00"        // type as received, extra bytes
                            "00 1A 2B 3C 4D 5E"        // MAC
                            "AE 91 00 00")));          // CRC of bytes 0-19 high first, zeros
}

TEST(FrameHeader, HeaderAndWriteShapes) {
    EXPECT_TRUE(BytesEq(BuildHeaderRequest(0x03, kLuma1),
                        Hex("03 00 00 14 00 00 00 00 01 00 00 90 00 00 00 1A 2B 3C 4D 5E")));
    const uint8_t block[3] = {0xAA, 0x00, 0xFF};
    EXPECT_TRUE(BytesEq(BuildWriteRequest(0x09, kLuma1, block, 3),
                        Hex("09 00 00 17 00 00 00 00 01 00 00 90 00 00 00 1A 2B 3C 4D 5E"
                            "AA 00 FF")));
}

TEST(TransportSettings, ParsesTargets) {
    struct Case {
        const char* text;
        bool ok;
        uint32_t addr;
        uint16_t port;
    };
    const Case cases[] = {
        {"127.0.0.1", true, 0x7F000001, 63879},
        {"192.168.1.255:5000", true, 0xC0A801FF, 5000},
        {"255.255.255.255:63879", true, 0xFFFFFFFF, 63879},
        {"256.1.1.1", false, 0, 0},
        {"1.2.3", false, 0, 0},
        {"1.2.3.4.5", false, 0, 0},
        {"1.2.3.4:", false, 0, 0},
        {"1.2.3.4:0", false, 0, 0},
        {"1.2.3.4:65536", false, 0, 0},
        {"1..3.4", false, 0, 0},
        {"a.b.c.d", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const Case& c : cases) {
        uint32_t addr = 0;
        uint16_t port = 63879;
        EXPECT_EQ(ParseTarget(c.text, &addr, &port), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(addr, c.addr) << c.text;
            EXPECT_EQ(port, c.port) << c.text;
        }
    }
    EXPECT_EQ(FormatIpv4(0xC0A8013C), "192.168.1.60");
    EXPECT_EQ(Ipv4Octets(0xC0A8013C), (Ipv4Bytes{192, 168, 1, 60}));
    EXPECT_EQ(Ipv4Number({192, 168, 1, 60}), 0xC0A8013Cu);
}

TEST(HexText, DigitsOfEitherCaseAndNothingElse) {
    EXPECT_EQ(HexByte('4', 'f'), 0x4F);
    EXPECT_EQ(HexByte('A', '0'), 0xA0);
    EXPECT_EQ(HexByte('g', '0'), std::nullopt);
    EXPECT_EQ(HexByte('0', '\0'), std::nullopt);
    EXPECT_EQ(ParseHexU32("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHexU32("0"), 0u);
    EXPECT_EQ(ParseHexU32(""), std::nullopt);
    EXPECT_EQ(ParseHexU32("100000000"), std::nullopt);  // nine digits
    EXPECT_EQ(ParseHexU32("0x10"), std::nullopt);
}

}  // namespace
}  // namespace varlo
