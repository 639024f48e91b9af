// The open-and-apply rules every parameter dialog and the command line share, checked once for
// every model against the simulator: reads in the table's order that stop at the first failure,
// writes of exactly the changed blocks, never a block that was not read, and the finish command
// after any attempted write for the families that have one.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetModels.h"
#include "discovery/DeviceType.h"
#include "serialserver/SerialServerModel.h"
#include "sim/CommandSet.h"
#include "testsupport/WireTest.h"
#include "transport/ConfigSession.h"

namespace varlo {
namespace {

struct ModelCase {
    uint32_t type;
    std::vector<uint8_t> reads;   // at opening, in order
    std::vector<uint8_t> writes;  // on Apply, in order
    uint8_t finish;               // 0: none
};

// Written out here rather than taken from the tables, so a wrong table entry fails.
const ModelCase kModels[] = {
    {DEVTYPE_KV70, {0x16, 0x03, 0x04, 0x05, 0x06}, {0x07, 0x08, 0x09, 0x0A}, 0},
    {0x12345678, {0x16, 0x03, 0x04, 0x05, 0x06}, {0x07, 0x08, 0x09, 0x0A}, 0},
    {DEVTYPE_LUMA_1, {0x16, 0x03, 0x04}, {0x07, 0x08}, 0x7E},
    {DEVTYPE_LUMA_2, {0x16, 0x03, 0x04}, {0x07, 0x08}, 0x7E},
    {DEVTYPE_LUMA_4, {0x16, 0x03, 0x04}, {0x07, 0x08}, 0x7E},
    {DEVTYPE_LUMA_8, {0x16, 0x03, 0x04, 0x05}, {0x07, 0x08, 0x09}, 0x7E},
    {DEVTYPE_LUMA_EX, {0x16, 0x03, 0x04}, {0x07, 0x08}, 0x7E},
    {DEVTYPE_LUMA_AIR_MODULE, {0x16, 0x03}, {0x07}, 0},
};

// Test names and CTest names show the type code, not the bytes of the case.
void PrintTo(const ModelCase& c, std::ostream* os) {
    char text[12];
    std::snprintf(text, sizeof text, "0x%08X", c.type);
    *os << text;
}
std::string NameOf(const ::testing::TestParamInfo<ModelCase>& info) {
    char text[16];
    std::snprintf(text, sizeof text, "Type%08X", info.param.type);
    return text;
}

const SessionModel& ModelOf(uint32_t type) {
    const artnet::ArtNetModel* m = artnet::FindArtNetModel(type);
    return m ? m->session : serialserver::GetSerialServerModel().session;
}

class ConfigSessionTest : public testing::SimulatorTest,
                          public ::testing::WithParamInterface<ModelCase> {
protected:
    void Start() {
        sim::Rig rig;
        rig.devices.push_back(sim::MakeSimDevice(
            GetParam().type, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {10, 0, 0, 9}));
        sim::InstallFactoryBlocks(rig.devices[0], 0);
        identity = rig.devices[0].Identity();
        StartSimulator(std::move(rig));
    }
    std::vector<uint8_t> Codes() const {
        std::vector<uint8_t> codes;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            codes.push_back(d.bytes.at(0));
        }
        simulator->ClearLog();
        return codes;
    }
    // Every writable block as read, with its last byte before any checksum flipped when asked.
    std::vector<std::optional<Bytes>> Built(const ConfigSession& s, bool change) const {
        std::vector<std::optional<Bytes>> built(s.BlockCount());
        for (std::size_t i = 0; i < s.BlockCount(); ++i) {
            if (s.Model().blocks[i].Writable() && s.Saved(i)) {
                built[i] = *s.Saved(i);
                if (change) {
                    (*built[i])[0] ^= 0x01;  // a name or a mode: bytes every block has
                }
            }
        }
        return built;
    }

    DeviceIdentity identity{};
};

TEST_P(ConfigSessionTest, OpensAndAppliesInTheModelsOrder) {
    const ModelCase& c = GetParam();
    Start();
    ConfigSession session(ModelOf(c.type), identity);
    ASSERT_EQ(session.Open(), c.reads.size());
    EXPECT_EQ(Codes(), c.reads);
    EXPECT_TRUE(session.AllRead());

    // Nothing changed: nothing sent, not even the finish command.
    ApplyResult r = session.Apply(Built(session, false));
    EXPECT_FALSE(r.AnyWriteAttempted());
    EXPECT_FALSE(r.finishSent);
    EXPECT_TRUE(Codes().empty());

    // Every block changed: every write in order, then the finish command once.
    r = session.Apply(Built(session, true));
    std::vector<uint8_t> expected = c.writes;
    if (c.finish) {
        expected.push_back(c.finish);
    }
    // The Art-Net simulator refuses blocks whose checksum no longer matches; the frames go out
    // all the same, and the failed writes keep their saved copies.
    EXPECT_EQ(Codes(), expected);
    EXPECT_EQ(r.finishSent, c.finish != 0);
}

TEST_P(ConfigSessionTest, AReadFailureStopsTheOpeningAndItsBlocksAreNeverWritten) {
    const ModelCase& c = GetParam();
    Start();
    const uint8_t failing = c.reads[1];  // the first parameter block
    simulator->OverrideCommand(failing, [](sim::SimDevice&, const Bytes&) {
        return std::optional<Bytes>();  // silent
    });
    ConfigSession session(ModelOf(c.type), identity);
    EXPECT_EQ(session.Open(), 1u);
    EXPECT_EQ(Codes(), (std::vector<uint8_t>{c.reads[0], failing, failing, failing}));
    EXPECT_FALSE(session.IsRead(1));
    EXPECT_FALSE(session.Saved(1).has_value());

    // A page's empty defaults built for unread blocks are never written, and no finish follows.
    std::vector<std::optional<Bytes>> built(session.BlockCount());
    for (std::size_t i = 1; i < session.BlockCount(); ++i) {
        built[i] = Bytes(session.Model().blocks[i].size, 0);
    }
    const ApplyResult r = session.Apply(built);
    EXPECT_FALSE(r.AnyWriteAttempted());
    EXPECT_FALSE(r.finishSent);
    EXPECT_TRUE(Codes().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ConfigSessionTest, ::testing::ValuesIn(kModels), NameOf);

// A write that fails keeps the saved copy: the next Apply sends the block again, and the finish
// command follows each attempt.
class ConfigSessionWriteTest : public testing::SimulatorTest {};

TEST_F(ConfigSessionWriteTest, AFailedWriteIsSentAgainWithTheFinishCommand) {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_4, {0, 0x1A, 0x2B, 0x3C, 0x4D, 4}, {10, 0, 0, 4}));
    sim::InstallFactoryBlocks(rig.devices[0], 0);
    const DeviceIdentity id = rig.devices[0].Identity();
    StartSimulator(std::move(rig));
    ConfigSession session(artnet::FindArtNetModel(DEVTYPE_LUMA_4)->session, id);
    ASSERT_EQ(session.Open(), 3u);
    const Bytes saved = *session.Saved(2);

    _ARTNETDMXPARAM nodeA;
    nodeA.Assign(saved.data());
    _DMXPORTPARAM port = nodeA.Port(0);
    port.SetUniverse(0x23);
    nodeA.SetPort(0, port);
    nodeA.StampChecksum();
    const Bytes changed(nodeA.data(), nodeA.data() + nodeA.size());

    sim::SimFaults refuse;
    refuse.status = 1;
    simulator->SetFaults(0, refuse);
    std::vector<std::optional<Bytes>> built(3);
    built[2] = changed;
    simulator->ClearLog();
    ApplyResult r = session.Apply(built);
    EXPECT_EQ(r.outcomes[2], WriteOutcome::Failed);
    EXPECT_TRUE(r.finishSent);
    EXPECT_EQ(*session.Saved(2), saved);

    simulator->SetFaults(0, {});
    r = session.Apply(built);
    EXPECT_EQ(r.outcomes[2], WriteOutcome::Written);
    EXPECT_TRUE(r.finishAcknowledged);
    EXPECT_EQ(*session.Saved(2), changed);
    const auto log = simulator->Log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].bytes, log[2].bytes);  // the same write frame twice
    EXPECT_EQ(log[1].bytes.at(0), 0x7E);
    EXPECT_EQ(log[3].bytes.at(0), 0x7E);

    // Now in line with the device: nothing more to send.
    simulator->ClearLog();
    r = session.Apply(built);
    EXPECT_FALSE(r.AnyWriteAttempted());
    EXPECT_EQ(simulator->LogSize(), 0u);
}

// The dialog's device index outside the table: no target. A simulator that would answer
// anything sent to this process's target must receive nothing at all.
class ConfigSessionNoTarget : public testing::SimulatorTest {};

TEST_F(ConfigSessionNoTarget, AnIndexOutsideTheTableSendsNothing) {
    const uint32_t types[] = {DEVTYPE_KV70, DEVTYPE_LUMA_4};
    sim::Rig rig;
    for (const uint32_t type : types) {
        rig.devices.push_back(sim::MakeSimDevice(
            type, {0, 0x1A, 0x2B, 0x3C, 0x4D, static_cast<uint8_t>(rig.devices.size())},
            {10, 0, 0, 4}));
        sim::InstallFactoryBlocks(rig.devices.back(), 0);
    }
    StartSimulator(std::move(rig));

    for (const uint32_t type : types) {
        ConfigSession session(ModelOf(type), std::nullopt);
        EXPECT_EQ(session.Open(), 0u);
        EXPECT_FALSE(session.Read(1));
        std::vector<std::optional<Bytes>> built(session.BlockCount());
        for (std::size_t i = 0; i < session.BlockCount(); ++i) {
            built[i] = Bytes(session.Model().blocks[i].size, 0x5A);
        }
        const ApplyResult r = session.Apply(built);
        EXPECT_FALSE(r.AnyWriteAttempted());
        EXPECT_FALSE(r.finishSent);
        EXPECT_FALSE(session.SendCommand(artnet::kDefault));
    }
    EXPECT_FALSE(simulator->WaitForLog(1, 100));
}

}  // namespace
}  // namespace varlo
