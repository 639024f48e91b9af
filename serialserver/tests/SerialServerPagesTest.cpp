// The pages of the serial-server dialog as plain state: what each shows for a block, what its
// rules do, and what block it builds.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "serialserver/BasicSettingPage.h"
#include "serialserver/OpModeSettingPage.h"
#include "serialserver/SerialServerItems.h"
#include "serialserver/SerialSettingPage.h"
#include "serialserver/WepKeyText.h"
#include "serialserver/WirelessSettingPage.h"
#include "testsupport/WireTest.h"

namespace varlo::serialserver {
namespace {

using testing::BytesEq;

template <typename Block>
Bytes BytesOf(const Block& b) {
    return Bytes(b.data(), b.data() + b.size());
}

std::span<const uint8_t> AsBytes(std::string_view s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

// ---- Network page ----

_BASICPARAM Basic(uint32_t ipType) {
    _BASICPARAM b;
    b.SetDeviceName("KV70-4D5E");
    b.SetIpType(ipType);
    b.SetLocalIp({192, 168, 1, 101});
    b.SetSubnetMask({255, 255, 255, 0});
    b.SetGateway({192, 168, 1, 1});
    b.SetPreferredDns({8, 8, 8, 8});
    b.SetAlternateDns({1, 1, 1, 1});
    return b;
}

TEST(BasicSettingPage, AddressTypeSelectsTheItemAndEnablesTheAddressesOnlyWhenStatic) {
    const struct {
        uint32_t wire;
        int selection;
        bool enabled;
    } cases[] = {{0, 0, true}, {1, 1, false}, {2, kNoSelection, false}, {0xFFFFFFFF, -1, false}};
    for (const auto& c : cases) {
        BasicSettingPage page;
        page.Fill(Basic(c.wire));
        EXPECT_EQ(page.ipType, c.selection) << c.wire;
        EXPECT_EQ(page.addressesEnabled, c.enabled) << c.wire;
        EXPECT_EQ(page.deviceName.bytes, "KV70-4D5E");
        // Disabled fields keep and show the device's addresses.
        EXPECT_EQ(page.addresses[BasicSettingPage::kGateway], (Ipv4Bytes{192, 168, 1, 1}));
        EXPECT_EQ(page.addresses[BasicSettingPage::kAlternateDns], (Ipv4Bytes{1, 1, 1, 1}));
    }

    BasicSettingPage page;
    page.Fill(Basic(1));
    page.SelectIpType(0);  // DHCP to static: enabled, contents unchanged
    EXPECT_TRUE(page.addressesEnabled);
    EXPECT_EQ(page.addresses[BasicSettingPage::kLocalIp], (Ipv4Bytes{192, 168, 1, 101}));
    page.SelectIpType(kNoSelection);
    EXPECT_FALSE(page.addressesEnabled);
}

TEST(BasicSettingPage, BuildsFromZeroBytesTheNameCutTo31Characters) {
    BasicSettingPage page;
    page.Fill(Basic(1));
    EXPECT_TRUE(BytesEq(BytesOf(page.Build()), BytesOf(Basic(1))));

    page.deviceName.Edit(std::string(40, 'N'));
    page.SelectIpType(0);
    page.addresses[BasicSettingPage::kSubnetMask] = {255, 255, 0, 0};
    _BASICPARAM expected = Basic(0);
    expected.SetDeviceName(std::string(31, 'N'));
    expected.SetSubnetMask({255, 255, 0, 0});
    EXPECT_TRUE(BytesEq(BytesOf(page.Build()), BytesOf(expected)));

    // Bytes after the name's terminator are the page's zeros, not the device's; a type without
    // an item goes out as 0xFFFFFFFF.
    _BASICPARAM dirty = Basic(7);
    dirty.SetU8(20, '~');
    page.Fill(dirty);
    const _BASICPARAM built = page.Build();
    EXPECT_EQ(built.GetU8(20), 0);
    EXPECT_EQ(built.IpType(), 0xFFFFFFFFu);
    EXPECT_EQ(built.DeviceName(), "KV70-4D5E");
}

// ---- Serial-line page ----

TEST(SerialSettingPage, CodesSelectTheirItemsAndBuildBackCodesWithoutAnItemLeaveNoSelection) {
    const struct {
        uint32_t codes[4];  // baud, data bits, stop bits, parity as read
        int selections[4];
        uint32_t built[4];
    } cases[] = {
        {{12, 3, 0, 0}, {10, 3, 0, 0}, {12, 3, 0, 0}},  // 9600 8N1
        {{2, 0, 1, 4}, {0, 0, 1, 4}, {2, 0, 1, 4}},     // 110 bit/s is code 2
        {{17, 2, 1, 3}, {15, 2, 1, 3}, {17, 2, 1, 3}},  // 230400 is 17
        {{0, 4, 2, 5}, {-1, -1, -1, -1}, {1, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}},
        {{1, 3, 0, 0}, {-1, 3, 0, 0}, {1, 3, 0, 0}},
        {{18, 3, 0, 0}, {-1, 3, 0, 0}, {1, 3, 0, 0}},
    };
    for (const auto& c : cases) {
        _SERIALPARAM block;
        block.SetBaudRate(c.codes[0]);
        block.SetDataBits(c.codes[1]);
        block.SetStopBits(c.codes[2]);
        block.SetParity(c.codes[3]);
        SerialSettingPage page;
        page.Fill(block);
        EXPECT_EQ(page.baudRate, c.selections[0]) << c.codes[0];
        EXPECT_EQ(page.dataBits, c.selections[1]) << c.codes[1];
        EXPECT_EQ(page.stopBits, c.selections[2]) << c.codes[2];
        EXPECT_EQ(page.parity, c.selections[3]) << c.codes[3];
        const _SERIALPARAM built = page.Build();
        EXPECT_EQ(built.BaudRate(), c.built[0]);
        EXPECT_EQ(built.DataBits(), c.built[1]);
        EXPECT_EQ(built.StopBits(), c.built[2]);
        EXPECT_EQ(built.Parity(), c.built[3]);
    }
    EXPECT_STREQ(kBaudRateTexts[10], "9600");
    EXPECT_STREQ(kParityTexts[0], "NONE");
}

// ---- Wireless page ----

// A WEP device with distinct 64- and 128-bit keys and marked bytes where the page sets nothing.
_WIRELESSPARAM Wireless(uint32_t encryption, uint32_t keyLength, uint32_t format) {
    _WIRELESSPARAM w;
    w.SetSsid("Workshop-WiFi");
    w.SetWirelessMode(1);
    w.SetEncryptionMode(encryption);
    w.SetWepKeyLength(keyLength);
    w.SetWepKeyFormat(format);
    w.SetWepDefaultKey(2);
    const char* k64[] = {"12345", "a\\b\"c", "Varlo", "54321"};
    const char* k128[] = {"1234567890123", "abcdefghijklm", "Varlo-Station", "3210987654321"};
    for (std::size_t k = 0; k < 4; ++k) {
        w.SetWepKey(0, k, AsBytes(k64[k]));
        w.SetWepKey(1, k, AsBytes(k128[k]));
        for (const uint32_t len : {0u, 1u}) {  // the slot bytes past the key
            const auto slot = _WIRELESSPARAM::WepKeySlot(len, k);
            w.SetU8(slot.offset + slot.keyBytes, static_cast<uint8_t>(0xA0 + k));
        }
    }
    w.SetWpaCipher(2);
    w.SetU32BE(_WIRELESSPARAM::kReserved, 0xA5A5A5A5);
    w.SetPassPhrase("serial-link-2024");
    w.SetU8(_WIRELESSPARAM::kPassPhrase + 40, '~');
    return w;
}

TEST(WirelessSettingPage, FillShowsListsTextsKeysAndTheSubPageOfTheEncryptionMode) {
    const struct {
        uint32_t encryption;
        int selection;
        WirelessSettingPage::SubPage shown;
    } cases[] = {{0, 0, WirelessSettingPage::kNoSubPage},
                 {1, 1, WirelessSettingPage::kWepSubPage},
                 {2, 2, WirelessSettingPage::kWpaSubPage},
                 {3, 3, WirelessSettingPage::kWpa2SubPage},
                 {4, kNoSelection, WirelessSettingPage::kNoSubPage}};
    for (const auto& c : cases) {
        WirelessSettingPage page;
        page.Fill(Wireless(c.encryption, 0, kKeyFormatAscii));
        EXPECT_EQ(page.encryptionMode, c.selection);
        EXPECT_EQ(page.shown, c.shown);
        EXPECT_EQ(page.wirelessMode, 1);
        EXPECT_EQ(page.ssid.bytes, "Workshop-WiFi");
        EXPECT_EQ(page.wep.keyLength, 0);
        EXPECT_EQ(page.wep.defaultKey, 2);
        EXPECT_EQ(page.wep.keyType, 0);
        EXPECT_EQ(page.wep.keys[0].bytes, "12345");
        EXPECT_EQ(page.wep.keys[1].bytes, "a\\\\b\\\"c");
        for (const WpaSettingsPage* wpa : {&page.wpa, &page.wpa2}) {
            EXPECT_EQ(wpa->cipher, 1);  // AES
            EXPECT_EQ(wpa->passPhrase.bytes, "serial-link-2024");
        }
    }

    WirelessSettingPage page;  // HEX, 128-bit
    page.Fill(Wireless(1, 1, kKeyFormatHex));
    EXPECT_EQ(page.wep.keys[2].bytes, "5661726c6f2d53746174696f6e");
    EXPECT_EQ(page.wep.keyLength, 1);
    EXPECT_EQ(page.wep.keyType, 1);

    // A key length without an item shows the 128-bit keys; a cipher out of range no cipher.
    for (const uint32_t cipher : {0u, 4u}) {
        _WIRELESSPARAM w = Wireless(3, 5, kKeyFormatAscii);
        w.SetWpaCipher(cipher);
        page.Fill(w);
        EXPECT_EQ(page.wep.keyLength, kNoSelection);
        EXPECT_EQ(page.wep.keys[0].bytes, "1234567890123");
        EXPECT_EQ(page.wpa.cipher, kNoSelection);
        EXPECT_EQ(page.wpa2.cipher, kNoSelection);
        EXPECT_EQ(page.Build(w).WpaCipher(), 0u);
    }
}

TEST(WirelessSettingPage, KeysThatCannotBeShownStayEmptyAndKeepTheirSlotUntilEdited) {
    _WIRELESSPARAM w = Wireless(1, 0, kKeyFormatAscii);
    const uint8_t high[] = {'a', 0xB0, 'c', 'd', 'e'};
    w.SetWepKey(0, 1, high);
    WirelessSettingPage page;
    page.Fill(w);
    EXPECT_EQ(page.wep.keys[1].bytes, "");
    EXPECT_TRUE(page.wep.unrendered[1]);
    EXPECT_FALSE(page.wep.unrendered[0]);
    EXPECT_TRUE(BytesEq(BytesOf(page.Build(w)), BytesOf(w)));

    page.wep.keys[1].Edit("xyz");
    EXPECT_EQ(page.Build(w).WepKey(0, 1)[0], 'x');

    // An unknown key format shows no key at all.
    w.SetWepKeyFormat(2);
    page.Fill(w);
    EXPECT_EQ(page.wep.keyType, kNoSelection);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(page.wep.keys[k].bytes, "");
        EXPECT_TRUE(page.wep.unrendered[k]);
    }
    // The format itself has no item, so it goes out as 0xFFFFFFFF; the slots are kept.
    _WIRELESSPARAM expected = w;
    expected.SetWepKeyFormat(0xFFFFFFFF);
    EXPECT_TRUE(BytesEq(BytesOf(page.Build(w)), BytesOf(expected)));
}

TEST(WirelessSettingPage, KeyLengthRuleRendersTheStoredKeysOfTheNewLengthInTheStoredFormat) {
    const _WIRELESSPARAM stored = Wireless(1, 0, kKeyFormatHex);
    WirelessSettingPage page;
    page.Fill(stored);
    page.wep.keys[0].Edit("ffffffffff");
    page.wep.keyType = 0;  // the key-type list has no rule: the stored format still renders

    page.wep.SelectKeyLength(1, stored);
    EXPECT_EQ(page.wep.keyLength, 1);
    EXPECT_EQ(page.wep.keys[0].bytes, "31323334353637383930313233");  // edit lost
    EXPECT_FALSE(page.wep.keys[0].edited);
    page.wep.SelectKeyLength(0, stored);
    EXPECT_EQ(page.wep.keys[0].bytes, "3132333435");
}

// What the key fields store: typed texts by key type and length, into the selected slots.
TEST(WirelessSettingPage, KeyTextsFillTheSlotsOfTheSelectedLength) {
    struct Case {
        uint32_t length;  // 0: 64-bit, 1: 128-bit
        int keyType;      // 0 ASCII, 1 HEX
        const char* text;
        Bytes slot;  // the whole slot (8 or 16 bytes) of key 1 after Build
    };
    const Case cases[] = {
        // HEX: upper and lower case spell the same bytes; the slot's tail is kept.
        {0, 1, "0A1b2C3d4E", {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0xA0, 0, 0}},
        {0, 1, "0a1B2c3D4e", {0x0A, 0x1B, 0x2C, 0x3D, 0x4E, 0xA0, 0, 0}},
        // A bad third pair or only four digits: two bytes, the rest as last read.
        {0, 1, "0a1bXX3d4e", {0x0A, 0x1B, '3', '4', '5', 0xA0, 0, 0}},
        {0, 1, "0a1b", {0x0A, 0x1B, '3', '4', '5', 0xA0, 0, 0}},
        // ASCII: exactly the key length without a zero; shorter with one; longer is cut.
        {0, 0, "Abcde", {'A', 'b', 'c', 'd', 'e', 0xA0, 0, 0}},
        {0, 0, "Abc", {'A', 'b', 'c', 0, '5', 0xA0, 0, 0}},
        {0, 0, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", {'A', 'B', 'C', 'D', 'E', 0xA0, 0, 0}},
        {0, 0, "\\\\\\\"x", {'\\', '"', 'x', 0, '5', 0xA0, 0, 0}},  // escapes undone
        {1,
         0,
         "Thirteen-char",
         {'T', 'h', 'i', 'r', 't', 'e', 'e', 'n', '-', 'c', 'h', 'a', 'r', 0xA0, 0, 0}},
        {1,
         1,
         "00112233445566778899aabbcc",
         {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xA0, 0,
          0}},
    };
    for (const Case& c : cases) {
        const _WIRELESSPARAM saved = Wireless(1, c.length, static_cast<uint32_t>(c.keyType));
        WirelessSettingPage page;
        page.Fill(saved);
        page.wep.keys[0].Edit(c.text);
        const _WIRELESSPARAM built = page.Build(saved);
        const auto slot = _WIRELESSPARAM::WepKeySlot(c.length, 0);
        EXPECT_TRUE(BytesEq(
            Bytes(built.data() + slot.offset, built.data() + slot.offset + c.slot.size()), c.slot))
            << c.text;
        // Only key 1 changed; the other keys and the other length's slots are untouched.
        _WIRELESSPARAM expected = saved;
        std::copy(c.slot.begin(), c.slot.end(), expected.data() + slot.offset);
        EXPECT_TRUE(BytesEq(BytesOf(built), BytesOf(expected))) << c.text;
    }
}

TEST(WirelessSettingPage, CipherAndPassPhraseComeFromTheWpaSubPageOnlyInWpaMode) {
    const struct {
        int encryption;
        uint32_t cipher;
        const char* passPhrase;
    } cases[] = {
        {2, 1, "wpa-phrase"},   // WPA-Personal: the WPA sub-page
        {3, 3, "wpa2-phrase"},  // WPA2-Personal and every other mode: the WPA2 sub-page
        {1, 3, "wpa2-phrase"}, {0, 3, "wpa2-phrase"}, {kNoSelection, 3, "wpa2-phrase"},
    };
    for (const auto& c : cases) {
        const _WIRELESSPARAM saved = Wireless(3, 0, kKeyFormatAscii);
        WirelessSettingPage page;
        page.Fill(saved);
        page.SelectEncryptionMode(c.encryption);
        page.wpa.cipher = 0;
        page.wpa.passPhrase.Edit("wpa-phrase");
        page.wpa2.cipher = 2;
        page.wpa2.passPhrase.Edit("wpa2-phrase");
        const _WIRELESSPARAM built = page.Build(saved);
        EXPECT_EQ(built.EncryptionMode(), static_cast<uint32_t>(c.encryption));
        EXPECT_EQ(built.WpaCipher(), c.cipher) << c.encryption;
        EXPECT_EQ(built.PassPhrase(), c.passPhrase) << c.encryption;
        // The bytes after the pass phrase's terminator keep their values.
        EXPECT_EQ(built.GetU8(_WIRELESSPARAM::kPassPhrase + 40), '~');
    }

    const _WIRELESSPARAM saved = Wireless(3, 0, kKeyFormatAscii);
    WirelessSettingPage page;
    page.Fill(saved);
    page.ssid.Edit(std::string(50, 's'));
    page.wpa2.passPhrase.Edit(std::string(80, 'p'));
    const _WIRELESSPARAM built = page.Build(saved);
    EXPECT_EQ(built.Ssid(), std::string(35, 's'));
    EXPECT_EQ(built.PassPhrase(), std::string(67, 'p'));
}

// ---- Operating-mode page ----

_OPMODEPARAM OpMode(uint32_t mode) {
    _OPMODEPARAM o;
    o.SetOpMode(mode);
    o.SetRealComKeepAlive(5);
    o.SetTcpServerKeepAlive(0xFFFFFFFF);
    o.SetTcpServerPort(4001);
    o.SetTcpClientKeepAlive(99);
    for (std::size_t i = 0; i < 4; ++i) {
        o.SetTcpClientAddress(i, "192.168.1.1" + std::to_string(i));
        o.SetTcpClientPort(i, static_cast<uint16_t>(5000 + i));
        o.SetUdpAddress(i, "host-" + std::to_string(i) + ".example");
        o.SetUdpPort(i, static_cast<uint16_t>(65532 + i));
        o.SetU8(_OPMODEPARAM::UdpAddressAt(i) + 30, '~');  // after the terminator
    }
    o.SetUdpListenPort(4002);
    o.SetU16BE(_OPMODEPARAM::kReserved1, 0xA5A5);
    o.SetU16BE(_OPMODEPARAM::kReserved2, 0x5A5A);
    return o;
}

TEST(OpModeSettingPage, FillShowsNumbersAsSignedDecimalAndTheModesSubPage) {
    const struct {
        uint32_t mode;
        int selection;
        OpModeSettingPage::SubPage shown;
    } cases[] = {{0, 0, OpModeSettingPage::kRealComSubPage},
                 {1, 1, OpModeSettingPage::kTcpServerSubPage},
                 {2, 2, OpModeSettingPage::kTcpClientSubPage},
                 {3, 3, OpModeSettingPage::kUdpSubPage},
                 {4, kNoSelection, OpModeSettingPage::kNoSubPage}};
    for (const auto& c : cases) {
        OpModeSettingPage page;
        page.Fill(OpMode(c.mode));
        EXPECT_EQ(page.mode, c.selection);
        EXPECT_EQ(page.shown, c.shown);
    }
    OpModeSettingPage page;
    page.Fill(OpMode(2));
    EXPECT_EQ(page.realCom.keepAlive.bytes, "5");
    EXPECT_EQ(page.tcpServer.keepAlive.bytes, "-1");
    EXPECT_EQ(page.tcpServer.localPort.bytes, "4001");
    EXPECT_EQ(page.tcpClient.keepAlive.bytes, "99");
    EXPECT_EQ(page.tcpClient.destinations[3].address.bytes, "192.168.1.13");
    EXPECT_EQ(page.tcpClient.destinations[3].port.bytes, "5003");
    EXPECT_EQ(page.udp.destinations[0].address.bytes, "host-0.example");
    EXPECT_EQ(page.udp.destinations[3].port.bytes, "65535");
    EXPECT_EQ(page.udp.listenPort.bytes, "4002");

    // Switching to UDP shows the UDP values and writes mode 3 with the client values as read.
    page.SelectMode(3);
    EXPECT_EQ(page.shown, OpModeSettingPage::kUdpSubPage);
    _OPMODEPARAM expected = OpMode(3);
    EXPECT_TRUE(BytesEq(BytesOf(page.Build(OpMode(2))), BytesOf(expected)));
}

TEST(OpModeSettingPage, NumbersAreTheirLeadingDecimalPortsTheLow16Bits) {
    const struct {
        const char* text;
        uint32_t keepAlive;
        uint16_t port;
    } cases[] = {
        {"120", 120, 120},      {"", 0, 0},          {"5 abc", 5, 5}, {"-1", 0xFFFFFFFF, 0xFFFF},
        {"70000", 70000, 4464}, {"65536", 65536, 0}, {"  +8", 8, 8},  {"x9", 0, 0},
    };
    for (const auto& c : cases) {
        const _OPMODEPARAM saved = OpMode(1);
        OpModeSettingPage page;
        page.Fill(saved);
        page.tcpClient.keepAlive.Edit(c.text);
        page.tcpServer.localPort.Edit(c.text);
        page.udp.destinations[2].port.Edit(c.text);
        const _OPMODEPARAM built = page.Build(saved);
        EXPECT_EQ(built.TcpClientKeepAlive(), c.keepAlive) << c.text;
        EXPECT_EQ(built.TcpServerPort(), c.port) << c.text;
        EXPECT_EQ(built.UdpPort(2), c.port) << c.text;
    }
    OpModeSettingPage page;
    page.Fill(OpMode(1));
    page.tcpServer.localPort.Edit("70000");
    page.realCom.keepAlive.Edit("-1");
    OpModeSettingPage back;
    back.Fill(page.Build(OpMode(1)));
    EXPECT_EQ(back.tcpServer.localPort.bytes, "4464");
    EXPECT_EQ(back.realCom.keepAlive.bytes, "-1");
}

TEST(OpModeSettingPage, AddressesAreTextCutTo39CharactersTheBytesAfterTheirTerminatorKept) {
    const _OPMODEPARAM saved = OpMode(3);
    OpModeSettingPage page;
    page.Fill(saved);
    const std::string long45 = "10.20.30.40-and-some-more-text-abcdefghijklmn";
    ASSERT_EQ(long45.size(), 45u);
    page.tcpClient.destinations[0].address.Edit(long45);
    page.udp.destinations[1].address.Edit("10.0.0.9");
    const _OPMODEPARAM built = page.Build(saved);
    EXPECT_EQ(built.TcpClientAddress(0), long45.substr(0, 39));
    EXPECT_EQ(built.GetU8(_OPMODEPARAM::TcpClientAddressAt(0) + 39), 0);
    EXPECT_EQ(built.UdpAddress(1), "10.0.0.9");
    EXPECT_EQ(built.GetU8(_OPMODEPARAM::UdpAddressAt(1) + 30), '~');
    EXPECT_EQ(built.GetU16BE(_OPMODEPARAM::kReserved1), 0xA5A5);
    EXPECT_EQ(built.GetU16BE(_OPMODEPARAM::kReserved2), 0x5A5A);
}

// ---- Every page: untouched, it rebuilds the block it was filled from ----

// Blocks of random bytes, except where a value without an item or a text without a terminator
// cannot come back by design: list values are drawn from their items, and texts end before
// their field does. The network page builds from zero bytes, so its name is followed by zeros.
class UntouchedPages : public ::testing::TestWithParam<uint32_t> {
protected:
    struct Text {
        std::size_t offset, width;
    };
    template <typename Block>
    Block Random() {
        Block b;
        for (std::size_t i = 0; i < b.size(); ++i) {
            b.SetU8(i, static_cast<uint8_t>(rng()));
        }
        return b;
    }
    uint32_t Pick(uint32_t n) { return rng() % n; }
    // A zero byte somewhere in the field: the text ends there.
    void Terminate(Text t, uint8_t* p) { p[t.offset + Pick(static_cast<uint32_t>(t.width))] = 0; }

    std::mt19937 rng{GetParam()};
};

TEST_P(UntouchedPages, RebuildTheirBlockByteForByte) {
    using W = _WIRELESSPARAM;
    W w = Random<W>();
    w.SetWirelessMode(Pick(2));
    w.SetEncryptionMode(Pick(4));
    w.SetWepKeyLength(Pick(2));
    w.SetWepKeyFormat(Pick(2));
    w.SetWepDefaultKey(Pick(4));
    w.SetWpaCipher(1 + Pick(3));
    if (Pick(2) == 0) {  // keys of plain characters with escapes and zero bytes among them
        const char pool[] = {'a', 'Z', '0', '\\', '"', ' ', '~', 0};
        for (std::size_t i = W::kWep64Keys; i < W::kWpaCipher; ++i) {
            w.SetU8(i, static_cast<uint8_t>(pool[Pick(sizeof pool)]));
        }
    }
    Terminate({W::kSsid, W::kSsidWidth}, w.data());
    Terminate({W::kPassPhrase, W::kPassPhraseWidth}, w.data());
    WirelessSettingPage wireless;
    wireless.Fill(w);
    EXPECT_TRUE(BytesEq(BytesOf(wireless.Build(w)), BytesOf(w)));

    using O = _OPMODEPARAM;
    O o = Random<O>();
    o.SetOpMode(Pick(4));
    for (std::size_t i = 0; i < O::kDestinationCount; ++i) {
        Terminate({O::TcpClientAddressAt(i), O::kAddressWidth}, o.data());
        Terminate({O::UdpAddressAt(i), O::kAddressWidth}, o.data());
    }
    OpModeSettingPage opMode;
    opMode.Fill(o);
    EXPECT_TRUE(BytesEq(BytesOf(opMode.Build(o)), BytesOf(o)));

    _SERIALPARAM s;
    s.SetBaudRate(2 + Pick(16));
    s.SetDataBits(Pick(4));
    s.SetStopBits(Pick(2));
    s.SetParity(Pick(5));
    SerialSettingPage serial;
    serial.Fill(s);
    EXPECT_TRUE(BytesEq(BytesOf(serial.Build()), BytesOf(s)));

    _BASICPARAM b = Random<_BASICPARAM>();
    b.SetIpType(Pick(2));
    const std::size_t end = Pick(_BASICPARAM::kDeviceNameWidth);
    std::replace(b.data(), b.data() + end, uint8_t{0}, uint8_t{'x'});
    std::fill_n(b.data() + end, _BASICPARAM::kDeviceNameWidth - end, uint8_t{0});
    BasicSettingPage basic;
    basic.Fill(b);
    EXPECT_TRUE(BytesEq(BytesOf(basic.Build()), BytesOf(b)));
}

INSTANTIATE_TEST_SUITE_P(Seeds, UntouchedPages, ::testing::Range(1u, 41u));

}  // namespace
}  // namespace varlo::serialserver
