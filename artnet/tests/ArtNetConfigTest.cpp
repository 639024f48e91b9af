// A whole Art-Net dialog without its window, on the wire against the simulator: what opening
// reads, what the panel and pages show, and the exact frames an Apply sends. Plus the contract
// every page keeps: untouched, it rebuilds the block it was filled from.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetConfig.h"
#include "artnet/ArtNetItems.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "sim/SimReplies.h"
#include "testsupport/WireTest.h"

namespace varlo::artnet {
namespace {

using testing::BytesEq;

template <typename Block>
Bytes BytesOf(const Block& b) {
    return Bytes(b.data(), b.data() + b.size());
}

template <typename Block>
Block BlockOf(const Bytes& bytes) {
    Block b;
    b.Assign(bytes.data());
    return b;
}

struct ModelCase {
    uint32_t type;
    std::vector<uint8_t> reads;   // at opening, in order
    std::vector<uint8_t> writes;  // an Apply after one change on every page, in order
    uint8_t finish;               // 0: none
    bool secondMacShown;          // after every read succeeded
};

// Written out here rather than taken from the table, so a wrong table entry fails.
const ModelCase kModels[] = {
    {DEVTYPE_LUMA_1, {0x16, 0x03, 0x04}, {0x07, 0x08}, 0x7E, false},
    {DEVTYPE_LUMA_2, {0x16, 0x03, 0x04}, {0x07, 0x08}, 0x7E, false},
    {DEVTYPE_LUMA_4, {0x16, 0x03, 0x04}, {0x07, 0x08}, 0x7E, false},
    {DEVTYPE_LUMA_8, {0x16, 0x03, 0x04, 0x05}, {0x07, 0x08, 0x09}, 0x7E, true},
    {DEVTYPE_LUMA_EX, {0x16, 0x03, 0x04}, {0x07, 0x08}, 0x7E, false},
    {DEVTYPE_LUMA_AIR_MODULE, {0x16, 0x03}, {0x07}, 0, true},
};

class ArtNetConfigTest : public testing::SimulatorTest {
protected:
    static constexpr int kPollSleepMs = 30;

    // One device of the type; an address of 10.x makes a node run an automatic address type.
    void Start(uint32_t type, Ipv4Bytes ip = {192, 168, 1, 50}) {
        sim::Rig rig;
        rig.devices.push_back(sim::MakeSimDevice(type, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, ip));
        sim::InstallFactoryBlocks(rig.devices[0], 3);
        identity = rig.devices[0].Identity();
        // Replies on a loaded machine may take a while: the exchange resends only after ten
        // poll steps, so a slow reply never shows up as a second request in the log.
        StartSimulator(std::move(rig), kPollSleepMs);
    }
    std::vector<uint8_t> Codes() {
        std::vector<uint8_t> codes;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            codes.push_back(d.bytes.at(0));
        }
        return codes;
    }
    Bytes Stored(uint8_t readCode) {
        Bytes b;
        simulator->WithDevices([&](std::vector<sim::SimDevice>& d) { b = d[0].blocks[readCode]; });
        return b;
    }
    Bytes WriteFrame(uint8_t code, const Bytes& block) {
        return BuildWriteRequest(code, identity, block.data(), block.size());
    }
    // Silences one request code of the device.
    void Silence(uint8_t code) {
        simulator->OverrideCommand(code,
                                   [](sim::SimDevice&, const Bytes&) { return std::nullopt; });
    }

    DeviceIdentity identity{};
};

TEST_F(ArtNetConfigTest, EveryModelReadsInOrderAndWritesOneChangePerPage) {
    for (const ModelCase& c : kModels) {
        const ArtNetModel& model = *FindArtNetModel(c.type);
        SCOPED_TRACE(model.modelName);
        Start(c.type);
        ArtNetConfig config(model, identity);
        ASSERT_EQ(config.Open(), c.reads.size());
        EXPECT_EQ(Codes(), c.reads);
        EXPECT_EQ(config.SecondMacShown(), c.secondMacShown);
        EXPECT_TRUE(config.Info().filled);
        EXPECT_EQ(config.Info().texts[ArtNetInfoPanel::kFirstMac], "00-1A-2B-3C-4D-5E");

        // Nothing changed: nothing sent.
        simulator->ClearLog();
        EXPECT_FALSE(config.Apply().AnyWriteAttempted());
        EXPECT_TRUE(Codes().empty());

        // One change on every page, and the blocks the device should receive.
        std::vector<Bytes> expected;
        if (ArtNetBasicPage* basic = config.BasicPage()) {
            basic->SetDeviceName("Dimmer City");
            auto b = BlockOf<_ARTNETBASICPARAM>(Stored(kReadBasicParam));
            b.SetDeviceName("Dimmer City");
            b.StampChecksum();
            expected.push_back(WriteFrame(kWriteBasicParam, BytesOf(b)));
        } else {
            config.ModulePage()->SetIpAddress({192, 168, 1, 99});
            auto b = BlockOf<_RT5350BASICPARAM>(Stored(kReadBasicParam));
            b.SetIpAddress({192, 168, 1, 99});
            b.StampChecksum();
            expected.push_back(WriteFrame(kWriteBasicParam, BytesOf(b)));
        }
        for (std::size_t p = 0; p < config.PortPageCount(); ++p) {
            DmxPortPage& page = config.PortPage(p);
            auto b = BlockOf<_ARTNETDMXPARAM>(Stored(page.Model().readCode));
            const std::size_t record = page.Model().records[0];
            _DMXPORTPARAM r = b.Port(record);
            r.SetUniverse(r.Universe() ^ 0x0F);  // the same sub-net: no other port moves
            b.SetPort(record, r);
            b.StampChecksum();
            EXPECT_FALSE(page.SetUniverseText(0, std::to_string(r.Universe())));
            expected.push_back(WriteFrame(page.Model().writeCode, BytesOf(b)));
        }
        simulator->ClearLog();
        std::vector<PortPageFailure> failures;
        const ApplyResult result = config.Apply(&failures);
        EXPECT_TRUE(failures.empty());
        EXPECT_FALSE(result.AnyFailed());  // the simulator refuses a wrong checksum

        std::vector<uint8_t> codes = c.writes;
        if (c.finish) {
            codes.push_back(c.finish);
        }
        ASSERT_EQ(Codes(), codes);
        const auto log = simulator->Log();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_TRUE(BytesEq(log[i].bytes, expected[i])) << "write " << i;
        }
        if (c.finish) {
            EXPECT_TRUE(BytesEq(log.back().bytes, BuildShortRequest(c.finish, identity)));
        }

        // The saved copies moved on: a second Apply sends nothing.
        simulator->ClearLog();
        config.Apply();
        EXPECT_TRUE(Codes().empty());
    }
}

TEST_F(ArtNetConfigTest, AnAutomaticTypeWritesTheCurrentAddressesOnceIntoTheStaticSet) {
    Start(DEVTYPE_LUMA_4, {10, 0, 0, 7});  // "10.x.x.x(Auto)"; its static set differs
    ArtNetConfig config(*FindArtNetModel(DEVTYPE_LUMA_4), identity);
    config.Open();
    using B = _ARTNETBASICPARAM;
    const auto read = BlockOf<B>(Stored(kReadBasicParam));
    ASSERT_EQ(read.IpType(), 1);
    ASSERT_NE(read.Addresses(B::kNodeAStatic), read.Addresses(B::kNodeACurrent));
    simulator->ClearLog();

    config.Apply();
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x07, 0x7E}));
    const auto written = BlockOf<B>(Stored(kReadBasicParam));
    EXPECT_EQ(written.Addresses(B::kNodeAStatic), read.Addresses(B::kNodeACurrent));
    EXPECT_EQ(written.Addresses(B::kNodeACurrent), read.Addresses(B::kNodeACurrent));
    simulator->ClearLog();
    config.Apply();
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ArtNetConfigTest, AFailedWriteIsSentAgainWithTheFinishCommandByTheNextApply) {
    Start(DEVTYPE_LUMA_8);
    ArtNetConfig config(*FindArtNetModel(DEVTYPE_LUMA_8), identity);
    config.Open();
    simulator->OverrideCommand(kWriteNodeAParam, [](sim::SimDevice&, const Bytes&) {
        return sim::Ack(kWriteNodeAParam, sim::kRefused);
    });
    config.PortPage(0).SelectMerge(2, 3);
    config.PortPage(1).SelectMerge(0, 0);
    simulator->ClearLog();

    ApplyResult r = config.Apply();
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x08, 0x09, 0x7E}));  // the write after it goes on
    EXPECT_TRUE(r.AnyFailed());
    const Bytes firstTry = simulator->Log()[0].bytes;
    simulator->ClearLog();

    r = config.Apply();
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x08, 0x7E}));
    EXPECT_TRUE(BytesEq(simulator->Log()[0].bytes, firstTry));
}

TEST_F(ArtNetConfigTest, DefaultSendsOneCommandAndChangesNothingShown) {
    Start(DEVTYPE_LUMA_2);
    ArtNetConfig config(*FindArtNetModel(DEVTYPE_LUMA_2), identity);
    config.Open();
    config.PortPage(0).SetUniverseText(1, "2");
    const DmxPortPage before = config.PortPage(0);
    simulator->ClearLog();

    EXPECT_TRUE(config.Default());
    ASSERT_EQ(simulator->LogSize(), 1u);
    EXPECT_TRUE(BytesEq(simulator->Log()[0].bytes, BuildShortRequest(0x7F, identity)));
    EXPECT_EQ(config.PortPage(0).PortState(1).universeText, before.PortState(1).universeText);
    EXPECT_EQ(config.PortPage(0).PortState(1).caption, before.PortState(1).caption);
    // Nothing was read again: the edit is still a change against the saved copy.
    simulator->ClearLog();
    config.Apply();
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x08, 0x7E}));
}

TEST_F(ArtNetConfigTest, ADeviceThatAnswersOnlyTheDeviceInformation) {
    Start(DEVTYPE_LUMA_4);
    Silence(kReadBasicParam);
    ArtNetConfig config(*FindArtNetModel(DEVTYPE_LUMA_4), identity);
    EXPECT_EQ(config.Open(), 1u);
    // The exchange tries three times within its budget; 0x04 is never asked for.
    for (const uint8_t code : Codes()) {
        EXPECT_TRUE(code == 0x16 || code == 0x03) << int{code};
    }
    EXPECT_TRUE(config.Info().filled);
    EXPECT_EQ(config.Info().texts[ArtNetInfoPanel::kModuleName], "LUMA-4 DMX NODE");
    EXPECT_TRUE(config.SecondMacShown());
    EXPECT_FALSE(config.BasicPage()->Filled());
    EXPECT_EQ(config.BasicPage()->IpType(), 0);
    EXPECT_EQ(config.PortPage(0).PortState(0).caption, "DMX 1");

    // Edits on unread pages are never written; no finish command either.
    config.BasicPage()->SetDeviceName("x");
    config.PortPage(0).SetUniverseText(0, "5");
    simulator->ClearLog();
    const ApplyResult r = config.Apply();
    EXPECT_FALSE(r.finishSent);
    EXPECT_TRUE(Codes().empty());
}

TEST_F(ArtNetConfigTest, KeptBytesTravelBackAndTextTailsAndTrailersAreCleaned) {
    Start(DEVTYPE_LUMA_8);
    sim::SimFaults dirty;
    dirty.dirtyText = true;  // junk after the name and in every byte nobody interprets
    simulator->SetFaults(0, dirty);
    ArtNetConfig config(*FindArtNetModel(DEVTYPE_LUMA_8), identity);
    config.Open();
    simulator->ClearLog();

    config.Apply();
    // Only the network block differs: its name tail and its trailer are written as zero.
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{0x07, 0x7E}));
    const Bytes written = Stored(kReadBasicParam);
    EXPECT_EQ(written[_ARTNETBASICPARAM::kReserved34], 0xA5);  // kept
    EXPECT_EQ(written[_ARTNETBASICPARAM::kTrailer], 0);
    EXPECT_EQ(written[_ARTNETBASICPARAM::kDeviceNameWidth - 1], 0);
}

TEST_F(ArtNetConfigTest, ModuleWritesOneShortBlockAndNoFinishCommand) {
    Start(DEVTYPE_LUMA_AIR_MODULE);
    ArtNetConfig config(*FindArtNetModel(DEVTYPE_LUMA_AIR_MODULE), identity);
    ASSERT_EQ(config.Open(), 2u);
    ModuleBasicPage& page = *config.ModulePage();
    EXPECT_EQ(page.DeviceName(), "LUMA-AIR-4D5E");
    EXPECT_EQ(page.IpAddress(), (Ipv4Bytes{192, 168, 1, 50}));
    EXPECT_EQ(config.Info().texts[ArtNetInfoPanel::kSerialNumber], "41030003");
    page.SetIpAddress({192, 168, 7, 7});
    simulator->ClearLog();

    EXPECT_FALSE(config.Apply().finishSent);
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 1u);
    ASSERT_EQ(log[0].bytes.size(), 80u);
    EXPECT_EQ(log[0].bytes[0], 0x07);
    EXPECT_EQ(Bytes(log[0].bytes.begin() + 56, log[0].bytes.begin() + 60), (Bytes{192, 168, 7, 7}));
    // The kept bytes (the module's gateway among them) go back as read.
    EXPECT_EQ(Bytes(log[0].bytes.begin() + 64, log[0].bytes.begin() + 68), (Bytes{192, 168, 1, 1}));
}

TEST_F(ArtNetConfigTest, AModuleThatDoesNotAnswerIsNeverWritten) {
    Start(DEVTYPE_LUMA_AIR_MODULE);
    Silence(kReadDeviceInfo);
    ArtNetConfig config(*FindArtNetModel(DEVTYPE_LUMA_AIR_MODULE), identity);
    EXPECT_EQ(config.Open(), 0u);
    for (const uint8_t code : Codes()) {
        EXPECT_EQ(code, 0x16);
    }
    EXPECT_FALSE(config.Info().filled);
    EXPECT_FALSE(config.ModulePage()->Filled());
    config.ModulePage()->SetIpAddress({10, 0, 0, 1});
    simulator->ClearLog();
    config.Apply();
    EXPECT_TRUE(Codes().empty());
}

TEST(ArtNetConfig, WithoutATargetNothingIsSent) {
    ArtNetConfig config(*FindArtNetModel(DEVTYPE_LUMA_1), std::nullopt);
    EXPECT_EQ(config.Open(), 0u);
    EXPECT_FALSE(config.Default());
    EXPECT_FALSE(config.Apply().AnyWriteAttempted());
}

// Random device blocks, kept to what a page can show unchanged: a name with zeros after it,
// selectors with an item, a port mode the page writes back, and zero trailers after the
// network blocks' checksums. Everything else (kept bytes, records no page shows) is random.
class PageContract {
public:
    explicit PageContract(uint32_t seed) : m_random(seed) {}

    template <typename Block>
    Block Random() {
        Block b;
        for (std::size_t i = 0; i < b.size(); ++i) {
            b.SetU8(i, static_cast<uint8_t>(m_random()));
        }
        return b;
    }
    uint8_t Below(unsigned n) { return static_cast<uint8_t>(m_random() % n); }
    std::string Name() {
        std::string s(Below(32), 'a');
        for (char& ch : s) {
            ch = static_cast<char>(1 + Below(255));
        }
        return s;
    }

    _ARTNETBASICPARAM Basic(const BasicPageModel& model) {
        using B = _ARTNETBASICPARAM;
        B b = Random<B>();
        b.SetDeviceName(Name());
        b.SetDmxHoldTime(Below(7));
        b.SetDisplayHoldTime(Below(5));
        b.SetIpType(Below(4));
        // Untouched, the fields write what they show: the current sets with an automatic
        // type, and the NodeB current set on the NodeA-only pages.
        if (b.IpType() != kIpTypeCustom) {
            b.SetAddresses(B::kNodeAStatic, b.Addresses(B::kNodeACurrent));
            b.SetAddresses(B::kNodeBStatic, b.Addresses(B::kNodeBCurrent));
        } else if (model.rule == AddressRule::NodeAOnly) {
            b.SetAddresses(B::kNodeBStatic, b.Addresses(B::kNodeBCurrent));
        }
        b.SetU16BE(B::kTrailer, 0);
        b.StampChecksum();
        return b;
    }
    _RT5350BASICPARAM Module() {
        _RT5350BASICPARAM b = Random<_RT5350BASICPARAM>();
        b.SetDeviceName(Name());
        b.SetU16BE(_RT5350BASICPARAM::kTrailer, 0);
        b.StampChecksum();
        return b;
    }
    _ARTNETDMXPARAM Ports(const PortPageModel& model) {
        _ARTNETDMXPARAM b = Random<_ARTNETDMXPARAM>();
        for (std::size_t k = 0; k < model.portCount; ++k) {
            _DMXPORTPARAM r = b.Port(model.records[k]);
            r.SetPortMode(model.modeAlwaysOutput ? 1 : Below(2));
            r.SetFrameRate(Below(41));
            r.SetMergeMode(Below(4));
            r.SetUnicast(Below(2));
            b.SetPort(model.records[k], r);
        }
        b.StampChecksum();
        return b;
    }

private:
    std::mt19937 m_random;
};

TEST(ArtNetPages, AnUntouchedPageRebuildsTheBlockItWasFilledFrom) {
    PageContract contract(11);
    for (const ArtNetModel& model : ArtNetModels()) {
        SCOPED_TRACE(model.modelName);
        for (int round = 0; round < 50; ++round) {
            if (model.basic.rule == AddressRule::Module) {
                const _RT5350BASICPARAM read = contract.Module();
                ModuleBasicPage page;
                page.Fill(read);
                EXPECT_TRUE(BytesEq(BytesOf(page.Build(read)), BytesOf(read)));
            } else {
                const _ARTNETBASICPARAM read = contract.Basic(model.basic);
                ArtNetBasicPage page(model.basic);
                page.Fill(read);
                EXPECT_TRUE(BytesEq(BytesOf(page.Build(read)), BytesOf(read)));
            }
            for (const PortPageModel& pm : model.portPages) {
                const _ARTNETDMXPARAM read = contract.Ports(pm);
                DmxPortPage page(pm);
                page.Fill(read);
                std::optional<ValidationFailure> failure;
                EXPECT_TRUE(BytesEq(BytesOf(page.Build(read, &failure)), BytesOf(read)));
                EXPECT_FALSE(failure);
            }
        }
    }
}

}  // namespace
}  // namespace varlo::artnet
