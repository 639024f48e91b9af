// The node dialogs' "Basic Settings" page without its window: block bytes -> what the page
// shows -> the block it builds.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "artnet/ArtNetBasicPage.h"
#include "artnet/ArtNetModels.h"
#include "discovery/DeviceType.h"
#include "testsupport/WireTest.h"

namespace varlo::artnet {
namespace {

using B = _ARTNETBASICPARAM;
using P = ArtNetBasicPage;
using testing::BytesEq;

const BasicPageModel& BasicOf(uint32_t type) {
    return FindArtNetModel(type)->basic;
}

Bytes BytesOf(const B& b) {
    return Bytes(b.data(), b.data() + b.size());
}

// Four distinct address sets, so every field tells where it came from.
constexpr B::AddressSet kACurrent{{2, 1, 1, 1}, {255, 0, 0, 0}, {2, 0, 0, 1}};
constexpr B::AddressSet kAStatic{{192, 168, 1, 20}, {255, 255, 255, 0}, {192, 168, 1, 1}};
constexpr B::AddressSet kBCurrent{{2, 1, 1, 2}, {255, 0, 0, 0}, {2, 0, 0, 2}};
constexpr B::AddressSet kBStatic{{192, 168, 1, 21}, {255, 255, 255, 0}, {192, 168, 1, 254}};

B DeviceBlock(uint8_t ipType) {
    B b;
    b.SetDeviceName("Truss-Left");
    b.SetDmxHoldTime(2);
    b.SetDisplayHoldTime(4);
    b.SetU8(B::kReserved34, 0xA5);
    b.SetIpType(ipType);
    b.SetAddresses(B::kNodeACurrent, kACurrent);
    b.SetAddresses(B::kNodeAStatic, kAStatic);
    b.SetAddresses(B::kNodeBCurrent, kBCurrent);
    b.SetAddresses(B::kNodeBStatic, kBStatic);
    b.StampChecksum();
    return b;
}

B::AddressSet Shown(const P& page, P::AddressField first) {
    return {page.Address(first), page.Address(P::AddressField(first + 1)),
            page.Address(P::AddressField(first + 2))};
}

void ExpectEnabled(const P& page, bool nodeA, bool nodeB) {
    for (int f = 0; f < P::kAddressFieldCount; ++f) {
        EXPECT_EQ(page.AddressEnabled(P::AddressField(f)), f < P::kNodeBIp ? nodeA : nodeB) << f;
    }
}

TEST(ArtNetBasicPage, OpensAtTheFirstAutomaticTypeWithBlankDisabledAddresses) {
    const P page(BasicOf(DEVTYPE_LUMA_8));
    EXPECT_FALSE(page.Filled());
    EXPECT_EQ(page.IpType(), 0);
    EXPECT_EQ(page.DmxHoldTime(), P::kNoSelection);
    EXPECT_EQ(page.DisplayHoldTime(), P::kNoSelection);
    EXPECT_EQ(page.DeviceName(), "");
    EXPECT_EQ(Shown(page, P::kNodeAIp), B::AddressSet{});
    ExpectEnabled(page, false, false);
}

struct RuleCase {
    uint32_t type;
    uint8_t ipType;  // as read
    B::AddressSet nodeA, nodeB;
    bool nodeAEnabled, nodeBEnabled;
};

TEST(ArtNetBasicPage, FillShowsTheSetTheAddressTypeSelects) {
    const RuleCase cases[] = {
        // Two nodes: both groups follow the type.
        {DEVTYPE_LUMA_8, 0, kACurrent, kBCurrent, false, false},
        {DEVTYPE_LUMA_8, 1, kACurrent, kBCurrent, false, false},
        {DEVTYPE_LUMA_8, 2, kACurrent, kBCurrent, false, false},
        {DEVTYPE_LUMA_8, 3, kAStatic, kBStatic, true, true},
        // NodeA only: the hidden NodeB fields show the current set and stay disabled.
        {DEVTYPE_LUMA_4, 2, kACurrent, kBCurrent, false, false},
        {DEVTYPE_LUMA_4, 3, kAStatic, kBCurrent, true, false},
        {DEVTYPE_LUMA_EX, 3, kAStatic, kBCurrent, true, false},
        // A type without an item: the rule changes nothing, the current sets stay.
        {DEVTYPE_LUMA_8, 7, kACurrent, kBCurrent, false, false},
        {DEVTYPE_LUMA_1, 0xFF, kACurrent, kBCurrent, false, false},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << std::hex << c.type << " type " << int{c.ipType});
        P page(BasicOf(c.type));
        page.Fill(DeviceBlock(c.ipType));
        EXPECT_EQ(page.IpType(), c.ipType <= 3 ? c.ipType : P::kNoSelection);
        EXPECT_EQ(Shown(page, P::kNodeAIp), c.nodeA);
        EXPECT_EQ(Shown(page, P::kNodeBIp), c.nodeB);
        ExpectEnabled(page, c.nodeAEnabled, c.nodeBEnabled);
    }
}

TEST(ArtNetBasicPage, SwitchingTheTypeOverwritesTheAddressFields) {
    // Two nodes: DHCP -> Custom IP shows the static sets; edits are lost on the way back.
    P eight(BasicOf(DEVTYPE_LUMA_8));
    eight.Fill(DeviceBlock(2));
    eight.SelectIpType(3);
    EXPECT_EQ(Shown(eight, P::kNodeBIp), kBStatic);
    ExpectEnabled(eight, true, true);
    eight.SetAddress(P::kNodeAIp, {10, 9, 9, 9});
    eight.SelectIpType(2);
    EXPECT_EQ(Shown(eight, P::kNodeAIp), kACurrent);
    EXPECT_EQ(Shown(eight, P::kNodeBIp), kBCurrent);
    ExpectEnabled(eight, false, false);
    eight.SelectIpType(3);
    EXPECT_EQ(Shown(eight, P::kNodeAIp), kAStatic);

    // NodeA only: the NodeB fields keep whatever they show through every switch.
    P four(BasicOf(DEVTYPE_LUMA_4));
    four.Fill(DeviceBlock(0));
    four.SetAddress(P::kNodeBIp, {1, 2, 3, 4});
    four.SelectIpType(3);
    EXPECT_EQ(Shown(four, P::kNodeAIp), kAStatic);
    EXPECT_EQ(four.Address(P::kNodeBIp), (Ipv4Bytes{1, 2, 3, 4}));
    ExpectEnabled(four, true, false);
    four.SelectIpType(P::kNoSelection);  // changes nothing
    ExpectEnabled(four, true, false);
}

struct BuildCase {
    const char* name;
    uint32_t type;
    uint8_t ipType;
    std::function<void(B&)> device;  // what the device reports beyond DeviceBlock
    std::function<void(P&)> edit;    // what the operator does
    std::function<void(B&)> expect;  // the built block, from the block read
};

TEST(ArtNetBasicPage, BuildsFromThePageAndTheSavedCopy) {
    const auto none = [](auto&) {};
    const BuildCase cases[] = {
        {"untouched Custom IP rebuilds the block read", DEVTYPE_LUMA_8, 3, none, none, none},
        {"a 31-character name goes back as read", DEVTYPE_LUMA_8, 3,
         [](B& b) { b.SetDeviceName(std::string(31, 'N')); }, none, none},
        {"a 40-character name is cut to 31 and a zero byte", DEVTYPE_LUMA_8, 3, none,
         [](P& p) { p.SetDeviceName(std::string(40, 'x')); },
         [](B& b) { b.SetDeviceName(std::string(31, 'x')); }},
        {"bytes after the name's terminator become zero", DEVTYPE_LUMA_8, 3,
         [](B& b) { b.SetU8(20, 'z'); }, none, [](B& b) { b.SetU8(20, 0); }},
        {"a hold byte without an item is written as 0xFF", DEVTYPE_LUMA_8, 3,
         [](B& b) { b.SetDmxHoldTime(9); }, none, [](B& b) { b.SetDmxHoldTime(0xFF); }},
        {"lists chosen by the operator", DEVTYPE_LUMA_EX, 3, none,
         [](P& p) {
             p.SelectDmxHoldTime(6);
             p.SelectDisplayHoldTime(P::kNoSelection);
         },
         [](B& b) {
             b.SetDmxHoldTime(6);
             b.SetDisplayHoldTime(0xFF);  // the hidden list is written like a shown one
             b.SetAddresses(B::kNodeBStatic, kBCurrent);
         }},
        {"an automatic type writes the current NodeA set into the static set", DEVTYPE_LUMA_8, 1,
         none, none,
         [](B& b) {
             b.SetAddresses(B::kNodeAStatic, kACurrent);
             b.SetAddresses(B::kNodeBStatic, kBCurrent);
         }},
        {"NodeA-only pages write the NodeB current set into its static set", DEVTYPE_LUMA_1, 3,
         none, none, [](B& b) { b.SetAddresses(B::kNodeBStatic, kBCurrent); }},
        {"a type without an item: 0xFF and the current sets", DEVTYPE_LUMA_8, 7, none, none,
         [](B& b) {
             b.SetIpType(0xFF);
             b.SetAddresses(B::kNodeAStatic, kACurrent);
             b.SetAddresses(B::kNodeBStatic, kBCurrent);
         }},
        {"Custom IP edits land in the static set", DEVTYPE_LUMA_2, 3, none,
         [](P& p) {
             p.SetAddress(P::kNodeAGateway, {192, 168, 1, 2});
         },
         [](B& b) {
             b.SetAddresses(B::kNodeBStatic, kBCurrent);
             b.SetAddresses(B::kNodeAStatic, {kAStatic.ip, kAStatic.mask, {192, 168, 1, 2}});
         }},
        {"the two bytes after the checksum are written as zero", DEVTYPE_LUMA_8, 3,
         [](B& b) { b.SetU16BE(B::kTrailer, 0x5A5A); }, none,
         [](B& b) { b.SetU16BE(B::kTrailer, 0); }},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        B read = DeviceBlock(c.ipType);
        c.device(read);
        read.StampChecksum();
        P page(BasicOf(c.type));
        page.Fill(read);
        c.edit(page);
        B expected = read;
        c.expect(expected);
        expected.StampChecksum();
        EXPECT_TRUE(BytesEq(BytesOf(page.Build(read)), BytesOf(expected)));
    }
}

TEST(ArtNetBasicPage, KeptBytesComeFromTheSavedCopyNotFromThePagesCopy) {
    // After a write the saved copy moves on while the page's copy stays as read.
    P page(BasicOf(DEVTYPE_LUMA_8));
    page.Fill(DeviceBlock(0));
    B saved = DeviceBlock(0);
    saved.SetU8(B::kReserved34, 0x11);
    saved.SetAddresses(B::kNodeBCurrent, kAStatic);
    const B built = page.Build(saved);
    EXPECT_EQ(built.GetU8(B::kReserved34), 0x11);
    EXPECT_EQ(built.Addresses(B::kNodeBCurrent), kAStatic);
    EXPECT_EQ(built.Addresses(B::kNodeBStatic), kBCurrent);  // what the fields show
}

TEST(ArtNetBasicPage, AnUneditedNameGoesBackAsItsBytes) {
    B read = DeviceBlock(3);
    read.SetDeviceName("B\xFChne \xC4\xE9");  // 8-bit text as the device holds it
    P page(BasicOf(DEVTYPE_LUMA_4));
    page.Fill(read);
    EXPECT_FALSE(page.DeviceNameEdited());
    EXPECT_EQ(page.DeviceName(), "B\xFChne \xC4\xE9");
    EXPECT_EQ(page.Build(read).DeviceName(), "B\xFChne \xC4\xE9");
    page.SetDeviceName("FOH");
    EXPECT_TRUE(page.DeviceNameEdited());
}

}  // namespace
}  // namespace varlo::artnet
