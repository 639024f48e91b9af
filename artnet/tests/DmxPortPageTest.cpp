// The DMX port pages without their window: block bytes -> what the page shows -> the block it
// builds, and the sub-net, validation and enable rules as the operator meets them.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "artnet/ArtNetModels.h"
#include "artnet/DmxPortPage.h"
#include "discovery/DeviceType.h"
#include "testsupport/WireTest.h"

namespace varlo::artnet {
namespace {

using testing::BytesEq;
using D = _ARTNETDMXPARAM;
using R = _DMXPORTPARAM;

const PortPageModel& PageOf(uint32_t type, std::size_t page = 0) {
    return FindArtNetModel(type)->portPages[page];
}

Bytes BytesOf(const D& b) {
    return Bytes(b.data(), b.data() + b.size());
}

struct Rec {
    uint8_t mode = 1;
    uint8_t universe = 0;
    uint8_t frameRate = 30;
    uint8_t merge = 1;
    uint8_t unicast = 0;
    Ipv4Bytes address{};
};

// A port block with the given records; the kept bytes and the trailer hold values of their own
// so a builder that loses them is caught.
D Block(std::vector<Rec> recs) {
    D b;
    recs.resize(D::kPortCount, Rec{1, 0x7F, 25, 2, 0, {9, 9, 9, 9}});
    for (std::size_t k = 0; k < D::kPortCount; ++k) {
        R r;
        r.SetPortMode(recs[k].mode);
        r.SetU8(R::kReserved1, static_cast<uint8_t>(0xB0 + k));
        r.SetUniverse(recs[k].universe);
        r.SetFrameRate(recs[k].frameRate);
        r.SetMergeMode(recs[k].merge);
        r.SetU16BE(R::kReserved5, static_cast<uint16_t>(0xC0C0 + k));
        r.SetUnicast(recs[k].unicast);
        r.SetUnicastAddress(recs[k].address);
        b.SetPort(k, r);
    }
    b.SetU16BE(D::kTrailer, 0xD1D2);
    b.StampChecksum();
    return b;
}

std::vector<std::string> Universes(const DmxPortPage& p) {
    std::vector<std::string> out;
    for (std::size_t k = 0; k < p.PortCount(); ++k) {
        out.push_back(p.PortState(k).universeText);
    }
    return out;
}

std::vector<std::string> Captions(const DmxPortPage& p) {
    std::vector<std::string> out;
    for (std::size_t k = 0; k < p.PortCount(); ++k) {
        out.push_back(p.PortState(k).caption);
    }
    return out;
}

const char* const kNotANumber = "Enter a positive integer.";
const char* const kUniverseRange = "Enter an integer between 0 and 255.";
const char* const kFrameRateRange = "Enter an integer between 0 and 40.";

struct RuleCase {
    const char* name;
    uint32_t type;
    std::vector<Rec> device;
    // The operator's edits; the last one's validation failure is checked.
    std::function<std::optional<ValidationFailure>(DmxPortPage&)> edit;
    std::vector<std::string> universes;  // what the fields show afterwards
    std::vector<std::string> captions;   // empty: not checked
    std::optional<ValidationFailure> failure;
};

TEST(DmxPortPage, SubNetRuleKeepsPortsOfOneDirectionOnOneSubNet) {
    const auto out = [](uint8_t u) { return Rec{1, u}; };
    const auto in = [](uint8_t u) { return Rec{0, u}; };
    const RuleCase cases[] = {
        {"LUMA-4, all Output: port 1 passes sub-net 2 on",
         DEVTYPE_LUMA_4,
         {out(0x10), out(0x11), out(0x12), out(0x13)},
         [](DmxPortPage& p) { return p.SetUniverseText(0, "35"); },
         {"35", "33", "34", "35"},
         {"DMX 1 UNIVERSE = 35 ( 2-3 )", "DMX 2 UNIVERSE = 33 ( 2-1 )",
          "DMX 3 UNIVERSE = 34 ( 2-2 )", "DMX 4 UNIVERSE = 35 ( 2-3 )"},
         std::nullopt},
        {"Input and Output groups: only the other Input port follows",
         DEVTYPE_LUMA_4,
         {in(0x10), in(0x11), out(0x22), out(0x23)},
         [](DmxPortPage& p) { return p.SetUniverseText(0, "52"); },
         {"52", "49", "34", "35"},
         {},
         std::nullopt},
        {"a port switched to Input passes its own sub-net to the Input ports",
         DEVTYPE_LUMA_4,
         {in(0x10), in(0x11), out(0x22), out(0x23)},
         [](DmxPortPage& p) { return p.SelectMode(2, 0); },
         {"32", "33", "34", "35"},
         {"DMX 1 UNIVERSE = 32 ( 2-0 )", "DMX 2 UNIVERSE = 33 ( 2-1 )",
          "DMX 3 UNIVERSE = 34 ( 2-2 )", "DMX 4 UNIVERSE = 35 ( 2-3 )"},
         std::nullopt},
        {"NodeB page: captions count from 5",
         DEVTYPE_LUMA_8,
         {out(0x04), out(0x05), out(0x06), in(0x07)},
         [](DmxPortPage& p) { return p.SetUniverseText(1, "69"); },
         {"68", "69", "70", "7"},
         {"DMX 5 UNIVERSE = 68 ( 4-4 )", "DMX 6 UNIVERSE = 69 ( 4-5 )",
          "DMX 7 UNIVERSE = 70 ( 4-6 )", "DMX 8 UNIVERSE = 7 ( 0-7 )"},
         std::nullopt},
        {"a port without a mode matches no other port",
         DEVTYPE_LUMA_2,
         {Rec{5, 0x10}, out(0x11)},
         [](DmxPortPage& p) {
             p.SetUniverseText(1, "33");
             return p.SetUniverseText(0, "64");
         },
         {"64", "33"},
         {},
         std::nullopt},
        // Two ports without a mode: equal "no selection" must not make them one group.
        {"two ports without a mode do not pass sub-nets to each other",
         DEVTYPE_LUMA_4,
         {Rec{5, 0x10}, Rec{5, 0x11}, out(0x12), out(0x13)},
         [](DmxPortPage& p) { return p.SetUniverseText(0, "35"); },
         {"35", "17", "18", "19"},
         {},
         std::nullopt},
        {"clearing a field to retype it: it stays empty, its own check fails, nothing moves",
         DEVTYPE_LUMA_4,
         {out(0x10), out(0x11), out(0x12), out(0x13)},
         [](DmxPortPage& p) { return p.SetUniverseText(1, ""); },
         {"16", "", "18", "19"},
         {"DMX 1 UNIVERSE = 16 ( 1-0 )", "DMX 2 UNIVERSE = 17 ( 1-1 )",
          "DMX 3 UNIVERSE = 18 ( 1-2 )", "DMX 4 UNIVERSE = 19 ( 1-3 )"},
         ValidationFailure{1, NumberKind::Universe, kNotANumber}},
        {"a port whose field holds typed text that is no number does not follow",
         DEVTYPE_LUMA_4,
         {out(0x10), out(0x11), out(0x12), out(0x13)},
         [](DmxPortPage& p) {
             p.SetUniverseText(1, "");
             return p.SetUniverseText(0, "35");
         },
         {"35", "", "34", "35"},
         {},
         std::nullopt},
        {"300 in a universe stays as typed, goes out as 44 and passes sub-net 2 on",
         DEVTYPE_LUMA_4,
         {out(0x10), out(0x11), out(0x12), out(0x13)},
         [](DmxPortPage& p) { return p.SetUniverseText(0, "300"); },
         {"300", "33", "34", "35"},
         {"DMX 1 UNIVERSE = 44 ( 2-C )", "DMX 2 UNIVERSE = 33 ( 2-1 )",
          "DMX 3 UNIVERSE = 34 ( 2-2 )", "DMX 4 UNIVERSE = 35 ( 2-3 )"},
         ValidationFailure{0, NumberKind::Universe, kUniverseRange}},
        {"a universe typed checks itself alone, not a frame rate typed before it",
         DEVTYPE_LUMA_2,
         {out(0x10), out(0x11)},
         [](DmxPortPage& p) {
             p.SetFrameRateText(0, "41");
             return p.SetUniverseText(1, "18");
         },
         {"16", "18"},
         {},
         std::nullopt},
        {"LUMA-1: one port, record 1, no sub-net to pass on",
         DEVTYPE_LUMA_1,
         {out(0x00), out(0x12)},
         [](DmxPortPage& p) { return p.SetUniverseText(0, "19"); },
         {"19"},
         {"DMX 1 UNIVERSE = 19 ( 1-3 )"},
         std::nullopt},
        {"single port: a cleared field stays empty, the caption keeps the number",
         DEVTYPE_LUMA_EX,
         {out(0x12)},
         [](DmxPortPage& p) { return p.SetUniverseText(0, ""); },
         {""},
         {"DMX 1 UNIVERSE = 18 ( 1-2 )"},
         ValidationFailure{0, NumberKind::Universe, kNotANumber}},
        {"single port: 300 stays in the field, the caption names what goes out",
         DEVTYPE_LUMA_EX,
         {out(0x12)},
         [](DmxPortPage& p) { return p.SetUniverseText(0, "300"); },
         {"300"},
         {"DMX 1 UNIVERSE = 44 ( 2-C )"},
         ValidationFailure{0, NumberKind::Universe, kUniverseRange}},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.name);
        DmxPortPage page(PageOf(c.type, c.type == DEVTYPE_LUMA_8 ? 1 : 0));
        page.Fill(Block(c.device));
        EXPECT_EQ(c.edit(page), c.failure);
        EXPECT_EQ(Universes(page), c.universes);
        if (!c.captions.empty()) {
            EXPECT_EQ(Captions(page), c.captions);
        }
    }
}

TEST(DmxPortPage, ValidationStopsAtTheFirstFailingFieldUniversesFirst) {
    DmxPortPage page(PageOf(DEVTYPE_LUMA_4));
    page.Fill(Block({{1, 1, 10}, {1, 2, 20}, {1, 3, 30}, {1, 4, 40}}));
    page.SetFrameRateText(0, "5");  // passes although the label says 10-40
    page.SetFrameRateText(1, "x");
    page.SetFrameRateText(2, "7");
    EXPECT_EQ(page.Validate(), (ValidationFailure{1, NumberKind::FrameRate, kNotANumber}));
    EXPECT_EQ(page.PortState(0).frameRate, 5u);   // before the failing field: new value
    EXPECT_EQ(page.PortState(1).frameRate, 20u);  // the failing field keeps its number
    EXPECT_EQ(page.PortState(2).frameRate, 30u);  // after it: previous value

    const struct {
        const char* text;
        std::optional<ValidationFailure> failure;
        uint32_t number;  // the universe number afterwards (previously 1)
    } texts[] = {
        {"255", std::nullopt, 255},
        {" 7 ", std::nullopt, 7},
        {"256", ValidationFailure{0, NumberKind::Universe, kUniverseRange}, 256},
        {"-1", ValidationFailure{0, NumberKind::Universe, kNotANumber}, 1},
        {"1e2", ValidationFailure{0, NumberKind::Universe, kNotANumber}, 1},
        {"99999999999", ValidationFailure{0, NumberKind::Universe, kUniverseRange}, 1},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.text);
        DmxPortPage p(PageOf(DEVTYPE_LUMA_EX));
        p.Fill(Block({{1, 1}}));
        EXPECT_EQ(p.SetUniverseText(0, t.text), t.failure);
        EXPECT_EQ(p.PortState(0).universe, t.number);
    }
}

TEST(DmxPortPage, EnableRuleFollowsModeAndCheckBox) {
    DmxPortPage page(PageOf(DEVTYPE_LUMA_2));
    // Before a read: the template's enabled controls, "Output", no merge, template captions.
    EXPECT_TRUE(page.PortState(0).unicastEnabled);
    EXPECT_TRUE(page.PortState(0).addressEnabled);
    EXPECT_EQ(page.PortState(0).mode, 1);
    EXPECT_EQ(page.PortState(0).merge, DmxPortPage::kNoSelection);
    EXPECT_EQ(page.PortState(0).universeText, "0");
    EXPECT_EQ(Captions(page), (std::vector<std::string>{"DMX 1", "DMX 2"}));

    page.Fill(Block({{0, 0x10, 30, 1, 1, {10, 0, 0, 5}}, {1, 0x11, 30, 1, 1, {10, 0, 0, 6}}}));
    EXPECT_TRUE(page.PortState(0).unicastEnabled);
    EXPECT_TRUE(page.PortState(0).addressEnabled);
    EXPECT_FALSE(page.PortState(1).unicastEnabled);  // Output: both disabled
    EXPECT_FALSE(page.PortState(1).addressEnabled);
    page.SetUnicast(0, false);
    EXPECT_TRUE(page.PortState(0).unicastEnabled);
    EXPECT_FALSE(page.PortState(0).addressEnabled);
    page.SelectMode(1, 0);  // to Input, box ticked
    EXPECT_TRUE(page.PortState(1).addressEnabled);
    page.SelectMode(1, DmxPortPage::kNoSelection);
    EXPECT_FALSE(page.PortState(1).unicastEnabled);

    DmxPortPage one(PageOf(DEVTYPE_LUMA_1));
    EXPECT_EQ(Captions(one), (std::vector<std::string>{"DMX "}));
    one.Fill(Block({{}, {1, 0x12, 30, 1, 1}}));
    EXPECT_FALSE(one.PortState(0).addressEnabled);
    one.SelectMode(0, 0);
    EXPECT_TRUE(one.PortState(0).unicastEnabled);
    EXPECT_TRUE(one.PortState(0).addressEnabled);
}

struct BuildCase {
    const char* name;
    uint32_t type;
    std::size_t page;
    std::vector<Rec> device;
    std::function<void(DmxPortPage&)> edit;
    std::function<void(D&)> expect;  // the built block, from the block read
};

void SetRecord(D& b, std::size_t k, const std::function<void(R&)>& f) {
    R r = b.Port(k);
    f(r);
    b.SetPort(k, r);
}

TEST(DmxPortPage, BuildsTheShownRecordsFromThePageAndTheRestFromTheSavedCopy) {
    const auto none = [](auto&) {};
    const BuildCase cases[] = {
        {"LUMA-4 untouched", DEVTYPE_LUMA_4, 0, {{1, 1}, {0, 2}, {1, 3}, {0, 4}}, none, none},
        {"LUMA-8 NodeB untouched", DEVTYPE_LUMA_8, 1, {{1, 0x41}, {1, 0x42}}, none, none},
        {"LUMA-1 edits record 1 only",
         DEVTYPE_LUMA_1,
         0,
         {{1, 0x05}, {1, 0x12}},
         [](DmxPortPage& p) {
             p.SetUniverseText(0, "200");
             p.SetFrameRateText(0, "5");
             p.SelectMode(0, 0);
             p.SetUnicast(0, true);
             p.SetUnicastAddress(0, {192, 168, 1, 10});
         },
         [](D& b) {
             SetRecord(b, 1, [](R& r) {
                 r.SetUniverse(200);
                 r.SetFrameRate(5);
                 r.SetPortMode(0);
                 r.SetUnicast(1);
                 r.SetUnicastAddress({192, 168, 1, 10});
             });
         }},
        {"LUMA-EX writes mode 1 whatever was read",
         DEVTYPE_LUMA_EX,
         0,
         {{0, 0x12, 30, 3, 1}},
         none,
         [](D& b) { SetRecord(b, 0, [](R& r) { r.SetPortMode(1); }); }},
        {"a merge byte without an item goes back as 0xFF",
         DEVTYPE_LUMA_2,
         0,
         {{1, 1, 30, 7}},
         none,
         [](D& b) { SetRecord(b, 0, [](R& r) { r.SetMergeMode(0xFF); }); }},
        {"a unicast byte other than 0 and 1 ticks the box and goes back as 1",
         DEVTYPE_LUMA_EX,
         0,
         {{1, 1, 30, 1, 2}},
         none,
         [](D& b) { SetRecord(b, 0, [](R& r) { r.SetUnicast(1); }); }},
        {"an Output port's stored unicast switch and address go back as they are",
         DEVTYPE_LUMA_2,
         0,
         {{1, 1, 30, 1, 1, {10, 1, 2, 3}}},
         none,
         none},
        {"a universe out of range goes out as its low 8 bits",
         DEVTYPE_LUMA_EX,
         0,
         {{1, 1}},
         [](DmxPortPage& p) { p.SetUniverseText(0, "300"); },
         [](D& b) { SetRecord(b, 0, [](R& r) { r.SetUniverse(44); }); }},
        {"a frame rate out of range goes out as its low 8 bits",
         DEVTYPE_LUMA_EX,
         0,
         {{1, 1}},
         [](DmxPortPage& p) { p.SetFrameRateText(0, "297"); },
         [](D& b) { SetRecord(b, 0, [](R& r) { r.SetFrameRate(41); }); }},
        {"a frame rate typed after a failing universe keeps its previous number",
         DEVTYPE_LUMA_EX,
         0,
         {{1, 1}},
         [](DmxPortPage& p) {
             p.SetUniverseText(0, "x");
             p.SetFrameRateText(0, "12");
         },
         none},
        {"a cleared field goes out as its previous number",
         DEVTYPE_LUMA_EX,
         0,
         {{1, 0x33}},
         [](DmxPortPage& p) { p.SetUniverseText(0, ""); },
         none},
        {"merge and unicast chosen by the operator",
         DEVTYPE_LUMA_4,
         0,
         {{0, 1}},
         [](DmxPortPage& p) {
             p.SelectMerge(0, 3);
             p.SelectMerge(3, DmxPortPage::kNoSelection);
             p.SetUnicast(0, true);
         },
         [](D& b) {
             SetRecord(b, 0, [](R& r) {
                 r.SetMergeMode(3);
                 r.SetUnicast(1);
             });
             SetRecord(b, 3, [](R& r) { r.SetMergeMode(0xFF); });
         }},
    };
    for (const BuildCase& c : cases) {
        SCOPED_TRACE(c.name);
        const D read = Block(c.device);
        DmxPortPage page(PageOf(c.type, c.page));
        page.Fill(read);
        c.edit(page);
        D expected = read;
        c.expect(expected);
        expected.StampChecksum();
        EXPECT_TRUE(BytesEq(BytesOf(page.Build(read)), BytesOf(expected)));
    }
}

TEST(DmxPortPage, BuildValidatesAndStillBuilds) {
    DmxPortPage page(PageOf(DEVTYPE_LUMA_4));
    const D read = Block({{1, 0x10}, {1, 0x11}, {1, 0x12}, {1, 0x13}});
    page.Fill(read);
    page.SetFrameRateText(2, "41");
    std::optional<ValidationFailure> failure;
    const D built = page.Build(read, &failure);
    EXPECT_EQ(failure, (ValidationFailure{2, NumberKind::FrameRate, kFrameRateRange}));
    EXPECT_EQ(built.Port(2).FrameRate(), 41);
    EXPECT_TRUE(built.ChecksumMatches());
}

TEST(DmxPortPage, NodeBCaptionsReadDmx1UntilTheBlockWasRead) {
    DmxPortPage page(PageOf(DEVTYPE_LUMA_8, 1));
    EXPECT_EQ(page.PortState(0).caption, "DMX 1");
    page.Fill(Block({{1, 0x37}}));
    EXPECT_EQ(page.PortState(0).caption, "DMX 5 UNIVERSE = 55 ( 3-7 )");
}

}  // namespace
}  // namespace varlo::artnet
