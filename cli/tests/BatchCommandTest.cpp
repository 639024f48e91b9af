// dump -o, diff, restore and set on the wire against the simulator: exactly the blocks that
// differ are written, in the dialog's order and with the finish command for a node; a clone
// keeps the target's name and addresses; nothing reaches a device whose reads did not all
// succeed, and its backup is on disk before the first write.
#include <gtest/gtest.h>

#include <fstream>
#include "artnet/ArtNetBasicPage.h"
#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetModels.h"
#include "artnet/Rt5350BasicParam.h"
#include "cli/Commands.h"
#include "cli/tests/CliWireTest.h"
#include "configfiles/CodeText.h"
#include "configfiles/DeviceTargets.h"
#include "configfiles/FieldValues.h"
#include "configfiles/FilePlatform.h"
#include "configfiles/SetFields.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "serialserver/BasicParam.h"
#include "serialserver/SerialParam.h"
#include "serialserver/WirelessParam.h"
#include "sim/CommandSet.h"
#include "sim/SimReplies.h"
#include "transport/BroadcastQuery.h"

namespace varlo::cli {
namespace {

using testing::Args;
using testing::BytesEq;
using testing::RunCli;

constexpr uint8_t kNetwork = 0x03;
constexpr uint8_t kNodeA = 0x04;
constexpr uint8_t kSerialLine = 0x05;

sim::SimDevice Device(uint32_t type, uint8_t n, std::size_t index) {
    sim::SimDevice d = sim::MakeSimDevice(type, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, n},
                                          {192, 168, 1, uint8_t(100 + n)});
    sim::InstallFactoryBlocks(d, index);
    return d;
}

sim::Rig RigOf(std::initializer_list<uint32_t> types) {
    sim::Rig rig;
    uint8_t n = 0;
    for (const uint32_t type : types) {
        rig.devices.push_back(Device(type, ++n, rig.devices.size()));
    }
    return rig;
}

template <typename Block>
Block As(const Bytes& bytes) {
    Block b;
    b.Assign(bytes.data());
    return b;
}
template <typename Block>
Bytes BytesOf(const Block& b) {
    return Bytes(b.data(), b.data() + b.size());
}

// A port block with record k's universe changed and its checksum stamped afresh.
Bytes WithUniverse(const Bytes& block, std::size_t k, uint8_t universe) {
    _ARTNETDMXPARAM b = As<_ARTNETDMXPARAM>(block);
    _DMXPORTPARAM port = b.Port(k);
    port.SetUniverse(universe);
    b.SetPort(k, port);
    b.StampChecksum();
    return BytesOf(b);
}

class BatchCommandTest : public testing::CliWireTest {
protected:
    std::string Mac(std::size_t device) const {
        return FormatMacColon(devices.at(device).record.byMac());
    }
    Bytes Write(std::size_t device, uint8_t code, const Bytes& block) const {
        return BuildWriteRequest(code, devices.at(device).Identity(), block.data(), block.size());
    }
    Bytes Finish(std::size_t device) const {
        return BuildShortRequest(0x7E, devices.at(device).Identity());
    }
    std::vector<Bytes> Saved(std::size_t device) {
        ConfigSession session(SessionModelOf(devices[device].Type()), devices[device].Identity());
        EXPECT_EQ(session.Open(), session.BlockCount());
        simulator->ClearLog();
        return SavedBlocks(session);
    }
    ApplyOptions Options() const {
        ApplyOptions o;
        o.backupDir = dir / "backups";
        std::filesystem::create_directories(o.backupDir);
        return o;
    }
    std::vector<std::filesystem::path> BackupsOf(std::size_t device) const {
        std::vector<std::filesystem::path> out;
        const std::string prefix = MacFileName(devices.at(device).record.byMac());
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(dir / "backups", ec)) {
            if (e.path().filename().string().rfind(prefix, 0) == 0 &&
                e.path().extension() == ".json") {
                out.push_back(e.path());
            }
        }
        return out;
    }
};

TEST_F(BatchCommandTest, DumpDiffAndRestoreRoundTrip) {
    StartRig(RigOf({DEVTYPE_KV70, DEVTYPE_LUMA_4}));
    const std::string folder = (dir / "rig").string();
    const auto dump = RunCli(DumpCommand, {"--all", "-o", folder});
    ASSERT_EQ(dump.status, 0) << dump.out << dump.err;
    EXPECT_NE(dump.out.find("dump: 2 device(s): 2 saved"), std::string::npos) << dump.out;
    const std::string serverFile = folder + "/00-1A-2B-3C-4D-01.json";
    const std::string nodeFile = folder + "/00-1A-2B-3C-4D-02.json";

    // Restoring the unchanged devices reads them and writes nothing.
    simulator->ClearLog();
    auto restore = RunCli(RestoreCommand, Args({{serverFile, nodeFile}, Backup()}));
    EXPECT_EQ(restore.status, 0) << restore.out << restore.err;
    EXPECT_EQ(CodesTo(0), (std::vector<uint8_t>{0x16, 0x03, 0x04, 0x05, 0x06}));
    EXPECT_EQ(CodesTo(1), (std::vector<uint8_t>{0x16, 0x03, 0x04}));
    EXPECT_NE(restore.out.find("restore: 2 device(s): 2 unchanged"), std::string::npos);

    // One field changes on each device.
    const Bytes ports = BlockOf(1, kNodeA);
    const Bytes serialLine = BlockOf(0, kSerialLine);
    const uint8_t universe = As<_ARTNETDMXPARAM>(ports).Port(1).Universe();
    SetBlock(1, kNodeA, WithUniverse(ports, 1, 0x42));
    _SERIALPARAM fast = As<_SERIALPARAM>(serialLine);
    fast.SetBaudRate(16);
    SetBlock(0, kSerialLine, BytesOf(fast));

    const auto diff = RunCli(DiffCommand, {nodeFile});
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out,
              "_ARTNETDMXPARAM.ports.1.universe: 66 -> " + std::to_string(universe) + "\n");
    EXPECT_EQ(RunCli(DiffCommand, {serverFile}).out,
              "_SERIALPARAM.baudRate: 16 (115200) -> 12 (9600)\n");

    // A dry run says what it would write and writes nothing, not even a backup.
    simulator->ClearLog();
    const auto dry = RunCli(RestoreCommand, {nodeFile, "--dry-run"});
    EXPECT_EQ(dry.status, 0);
    EXPECT_NE(dry.out.find("would write _ARTNETDMXPARAM (0x08), then finish 0x7E\n"
                           "    _ARTNETDMXPARAM.ports.1.universe: 66 -> "),
              std::string::npos)
        << dry.out;
    EXPECT_TRUE(WritesTo(1).empty());
    EXPECT_TRUE(BackupsOf(1).empty());

    // The restore writes exactly the changed block, the node's finish command after it.
    simulator->ClearLog();
    restore = RunCli(RestoreCommand, Args({{serverFile, nodeFile}, Backup()}));
    EXPECT_EQ(restore.status, 0) << restore.out << restore.err;
    const std::vector<Bytes> nodeWrites = WritesTo(1);
    ASSERT_EQ(nodeWrites.size(), 2u);
    EXPECT_TRUE(BytesEq(nodeWrites[0], Write(1, 0x08, ports)));
    EXPECT_TRUE(BytesEq(nodeWrites[1], Finish(1)));
    const std::vector<Bytes> serverWrites = WritesTo(0);
    ASSERT_EQ(serverWrites.size(), 1u);
    EXPECT_TRUE(BytesEq(serverWrites[0], Write(0, 0x09, serialLine)));
    EXPECT_EQ(RunCli(DiffCommand, {nodeFile, serverFile}).status, 0);
}

TEST_F(BatchCommandTest, ACloneKeepsTheTargetsNameAndAddressesAndAnotherModelIsRefused) {
    StartRig(RigOf({DEVTYPE_LUMA_4, DEVTYPE_LUMA_4, DEVTYPE_LUMA_8}));
    // The source holds another DMX hold time and other universes than the target.
    _ARTNETBASICPARAM source = As<_ARTNETBASICPARAM>(BlockOf(0, kNetwork));
    source.SetDmxHoldTime(4);
    source.StampChecksum();
    SetBlock(0, kNetwork, BytesOf(source));
    const std::string file = SaveFileOf(0, "source.json");
    const Bytes targetNetwork = BlockOf(1, kNetwork);

    const auto run = RunCli(RestoreCommand, Args({{file, "--to", Mac(1), Mac(2)}, Backup()}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(Searches(), 5u);  // one search for both targets

    _ARTNETBASICPARAM expected = As<_ARTNETBASICPARAM>(targetNetwork);
    expected.SetDmxHoldTime(4);
    expected.StampChecksum();
    const std::vector<Bytes> writes = WritesTo(1);
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_TRUE(BytesEq(writes[0], Write(1, 0x07, BytesOf(expected))));
    EXPECT_TRUE(BytesEq(writes[1], Write(1, 0x08, BlockOf(0, kNodeA))));
    EXPECT_TRUE(BytesEq(writes[2], Finish(1)));
    EXPECT_EQ(As<_ARTNETBASICPARAM>(BlockOf(1, kNetwork)).DeviceName(), "LUMA-4-4D02");

    EXPECT_TRUE(WritesTo(2).empty());
    EXPECT_NE(run.out.find(Mac(2) + " LUMA-8: FAILED: " + file +
                           " holds a LUMA-4 configuration and this device is a LUMA-8"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("restore: 2 device(s): 1 failed, 1 written"), std::string::npos);
}

TEST_F(BatchCommandTest, SetWritesOneBlockBuiltByTheFamilysRule) {
    StartRig(RigOf({DEVTYPE_KV70, DEVTYPE_LUMA_4, DEVTYPE_LUMA_AIR_MODULE}));
    // Non-zero bytes after every terminator and in every kept byte: they go back as read where
    // the dialog keeps them.
    sim::SimFaults dirty;
    dirty.dirtyText = true;
    simulator->SetFaults(1, dirty);

    const std::vector<Bytes> server = Saved(0);
    const std::vector<Bytes> node = Saved(1);
    const std::vector<Bytes> module = Saved(2);
    _BASICPARAM name = As<_BASICPARAM>(server[1]);
    name.SetDeviceName("stage-left");
    // The node's network block is the one its basic settings page builds for the same edit.
    const _ARTNETBASICPARAM savedNetwork = As<_ARTNETBASICPARAM>(node[1]);
    artnet::ArtNetBasicPage page(artnet::FindArtNetModel(DEVTYPE_LUMA_4)->basic);
    page.Fill(savedNetwork);
    page.SelectDmxHoldTime(5);
    const _ARTNETBASICPARAM hold = page.Build(savedNetwork);
    ASSERT_NE(BytesOf(hold), node[1]);
    _RT5350BASICPARAM address = As<_RT5350BASICPARAM>(module[1]);
    address.SetIpAddress({192, 168, 1, 77});
    address.StampChecksum();

    struct Case {
        std::size_t device;
        Assignment assignment;
        std::vector<Bytes> writes;
    };
    const Case cases[] = {
        {0, {"deviceName", "stage-left"}, {Write(0, 0x07, BytesOf(name))}},
        // As on the page: the other ports of port 1's direction (all output) take its sub-net.
        {1,
         {"ports.1.universe", "35"},
         {Write(1, 0x08,
                WithUniverse(
                    WithUniverse(WithUniverse(WithUniverse(node[2], 0, 0x20), 1, 0x23), 2, 0x22), 3,
                    0x23)),
          Finish(1)}},
        {1, {"dmxHoldTime", "10 seconds"}, {Write(1, 0x07, BytesOf(hold)), Finish(1)}},
        {2, {"localIp", "192.168.1.77"}, {Write(2, 0x07, BytesOf(address))}},
    };
    // Each case changes another block, so the copies read above stay what the device holds.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assignment.path);
        simulator->ClearLog();
        ::testing::internal::CaptureStdout();
        const int status =
            SetOnDevices({devices[c.device].record}, {}, {c.assignment}, Options(), 1);
        const std::string out = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(status, 0) << out;
        const std::vector<Bytes> writes = WritesTo(c.device);
        ASSERT_EQ(writes.size(), c.writes.size()) << out;
        for (std::size_t i = 0; i < writes.size(); ++i) {
            EXPECT_TRUE(BytesEq(writes[i], c.writes[i]));
        }
    }

    // Refused before anything is sent: a value out of the dialog's range, a field no model has,
    // a field the dialog only shows.
    simulator->ClearLog();
    const struct {
        std::vector<std::string> args;
        const char* message;
    } refused[] = {
        {{"--all", "ports.0.universe=256"},
         "ports.0.universe=256: expected an integer between 0 and 255"},
        {{Mac(1), "universe=1"}, "no field 'universe'"},
        {{"--model", "LUMA-4", "nodeA.current.localIp=10.0.0.9"}, "not a field the dialog lets"},
        // One field named three ways: last-one-wins would hide two of them.
        {{Mac(1), "ports.1.universe=1", "ports[1].universe=2"},
         "'ports.1.universe' and 'ports[1].universe' both name _ARTNETDMXPARAM.ports.1.universe"},
        {{Mac(1), "ports.1.universe=1", "_ARTNETDMXPARAM.ports.1.universe=3"}, "both name"},
        {{Mac(1), "--number", "dmxHoldTime=1"}, "--number takes a number or an address field"},
    };
    for (const auto& r : refused) {
        const auto run = RunCli(SetCommand, Args({r.args, Backup()}));
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find(r.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("nothing written"), std::string::npos) << run.err;
    }
    EXPECT_EQ(simulator->LogSize(), 0u);
}

TEST_F(BatchCommandTest, SetOnAModelSearchesOnceAndRunsDevicesConcurrently) {
    sim::Rig rig;
    for (std::size_t i = 0; i < 40; ++i) {
        rig.devices.push_back(
            Device(i % 5 == 0 ? DEVTYPE_KV70 : DEVTYPE_LUMA_4, static_cast<uint8_t>(i + 1), i));
    }
    StartRig(std::move(rig));
    const auto run = RunCli(
        SetCommand, Args({{"--model", "LUMA-4", "ports.0.universe=7", "--jobs", "8"}, Backup()}));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(Searches(), 5u);
    EXPECT_NE(run.out.find("set: 32 device(s): 32 written"), std::string::npos) << run.out;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        SCOPED_TRACE(i);
        if (devices[i].Type() == DEVTYPE_KV70) {
            EXPECT_TRUE(RequestsTo(i).empty());
            continue;
        }
        EXPECT_EQ(CodesTo(i), (std::vector<uint8_t>{0x16, 0x03, 0x04, 0x08, 0x7E}));
        EXPECT_EQ(As<_ARTNETDMXPARAM>(BlockOf(i, kNodeA)).Port(0).Universe(), 7);
        EXPECT_EQ(BackupsOf(i).size(), 1u);
    }
}

TEST_F(BatchCommandTest, ADeviceWhoseReadFailsGetsNothingAndABackupComesBeforeTheFirstWrite) {
    StartRig(RigOf({DEVTYPE_LUMA_8, DEVTYPE_LUMA_4}));
    const std::string eight = SaveFileOf(0, "eight.json");
    const std::string four = SaveFileOf(1, "four.json");
    const Bytes changed = WithUniverse(BlockOf(1, kNodeA), 0, 0x77);
    SetBlock(0, kNodeA, WithUniverse(BlockOf(0, kNodeA), 0, 0x77));
    SetBlock(1, kNodeA, changed);

    // Only the LUMA-8 reads its NodeB block, and it stops answering it.
    simulator->OverrideCommand(
        0x05, [](sim::SimDevice&, const Bytes&) { return std::optional<Bytes>(); });
    bool backupBeforeWrite = false;
    const auto store = sim::WriteHandler(0x08, kNodeA);
    simulator->OverrideCommand(0x08, [&](sim::SimDevice& d, const Bytes& request) {
        backupBeforeWrite = BackupsOf(1).size() == 1;
        return store(d, request);
    });

    const auto run = RunCli(RestoreCommand, Args({{eight, four}, Backup()}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(CodesTo(0), (std::vector<uint8_t>{0x16, 0x03, 0x04, 0x05, 0x05, 0x05}));
    EXPECT_NE(
        run.out.find(Mac(0) + " LUMA-8: FAILED: reading _ARTNETDMXPARAM (code 0x05) failed: no "
                              "valid reply; nothing written"),
        std::string::npos)
        << run.out;
    EXPECT_TRUE(BackupsOf(0).empty());
    EXPECT_EQ(CodesTo(1), (std::vector<uint8_t>{0x16, 0x03, 0x04, 0x08, 0x7E}));
    EXPECT_TRUE(backupBeforeWrite);

    // The backup holds what the device held before, and restores it.
    const std::vector<std::filesystem::path> backups = BackupsOf(1);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_NE(run.out.find("backup " + backups[0].string()), std::string::npos);
    simulator->ClearLog();
    const auto back = RunCli(RestoreCommand, Args({{backups[0].string()}, Backup()}));
    EXPECT_EQ(back.status, 0) << back.out << back.err;
    EXPECT_TRUE(BytesEq(BlockOf(1, kNodeA), changed));
}

TEST_F(BatchCommandTest, AReplyEndsTheWaitAndSilenceStillGetsThreeRequests) {
    StartRig(RigOf({DEVTYPE_LUMA_1}));
    const Bytes request = BuildShortRequest(0x16, devices[0].Identity());
    Bytes reply(80);
    // On the test's clock: the reply ends the first step before any of its 100 ms have passed.
    const long before = clock.ElapsedMs();
    EXPECT_EQ(BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(), 3000), 80);
    EXPECT_EQ(clock.ElapsedMs() - before, 0);

    // The dialogs' plain step waits it out.
    Transport().replyEndsStep = false;
    const long plain = clock.ElapsedMs();
    EXPECT_EQ(BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(), 3000), 80);
    EXPECT_EQ(clock.ElapsedMs() - plain, 100);

    Transport().replyEndsStep = true;
    sim::SimFaults silent;
    silent.silent = true;
    simulator->SetFaults(0, silent);
    simulator->ClearLog();
    EXPECT_EQ(BroadcastQuery(request.data(), request.size(), reply.data(), reply.size(), 3000), -1);
    EXPECT_EQ(CodesTo(0), (std::vector<uint8_t>{0x16, 0x16, 0x16}));
}

TEST_F(BatchCommandTest, NamedFieldsGiveTheBlockThePageWouldAndTheOperatorsValueWins) {
    StartRig(RigOf({DEVTYPE_LUMA_4, DEVTYPE_LUMA_EX}));
    const Bytes ports = BlockOf(0, kNodeA);  // universes 0, 1, 2, 3, every port output

    // Every field the rule changes is listed before anything is written.
    const auto dry = RunCli(SetCommand, {Mac(0), "ports.1.universe=35", "--dry-run"});
    EXPECT_EQ(dry.status, 0) << dry.err;
    for (const char* line : {"ports.0.universe: 0 -> 32", "ports.1.universe: 1 -> 35",
                             "ports.2.universe: 2 -> 34", "ports.3.universe: 3 -> 35",
                             "note: _ARTNETDMXPARAM.ports.2.universe: 2 -> 34, as the dialog's"}) {
        EXPECT_NE(dry.out.find(line), std::string::npos) << line << "\n" << dry.out;
    }
    EXPECT_TRUE(WritesTo(0).empty());

    // Port 2's own edit moves port 1 back to sub-net 0; port 1 was named, so 35 stays.
    const auto run =
        RunCli(SetCommand, Args({{Mac(0), "ports.1.universe=35", "ports.2.universe=2"}, Backup()}));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("ports.1.universe: the page's rules give 3; your 35 is kept"),
              std::string::npos)
        << run.out;
    EXPECT_TRUE(BytesEq(BlockOf(0, kNodeA), WithUniverse(WithUniverse(ports, 1, 35), 2, 2)));

    // With DHCP the basic page shows the current addresses, and writes what it shows into the
    // static set: a hold-time edit there takes the current address as the static one.
    _ARTNETBASICPARAM dhcp = As<_ARTNETBASICPARAM>(BlockOf(0, kNetwork));
    dhcp.SetIpType(2);
    dhcp.SetAddresses(_ARTNETBASICPARAM::kNodeAStatic,
                      {{10, 0, 0, 9}, {255, 0, 0, 0}, {10, 0, 0, 1}});
    dhcp.StampChecksum();
    SetBlock(0, kNetwork, BytesOf(dhcp));
    const auto hold = RunCli(SetCommand, {Mac(0), "dmxHoldTime=3", "--dry-run"});
    EXPECT_NE(hold.out.find("note: _ARTNETBASICPARAM.nodeA.static.localIp: 10.0.0.9 -> " +
                            FormatIp(devices[0].record.dwIp()) + ", as the dialog's page"),
              std::string::npos)
        << hold.out;

    // The LUMA-EX page always writes its port as output, whatever the device held.
    _ARTNETDMXPARAM input = As<_ARTNETDMXPARAM>(BlockOf(1, kNodeA));
    _DMXPORTPARAM port = input.Port(0);
    port.SetPortMode(0);
    input.SetPort(0, port);
    input.StampChecksum();
    SetBlock(1, kNodeA, BytesOf(input));
    const auto ex = RunCli(SetCommand, Args({{Mac(1), "ports.0.universe=9"}, Backup()}));
    EXPECT_EQ(ex.status, 0) << ex.out << ex.err;
    EXPECT_NE(ex.out.find("ports.0.mode: 0 (Input) -> 1 (Output)"), std::string::npos) << ex.out;
    EXPECT_EQ(As<_ARTNETDMXPARAM>(BlockOf(1, kNodeA)).Port(0).PortMode(), 1);
    EXPECT_EQ(As<_ARTNETDMXPARAM>(BlockOf(1, kNodeA)).Port(0).Universe(), 9);
}

// Every pair has blocks of the same sizes and codes: only the type tells them apart.
TEST_F(BatchCommandTest, AFileGoesOnlyOntoItsOwnModelEvenWhenTheBlocksHaveTheSameShape) {
    StartRig(
        RigOf({DEVTYPE_LUMA_4, DEVTYPE_LUMA_1, DEVTYPE_LUMA_2, DEVTYPE_LUMA_EX, DEVTYPE_LUMA_8}));
    const std::string file = SaveFileOf(0, "four.json");
    for (std::size_t target = 1; target < devices.size(); ++target) {
        SCOPED_TRACE(target);
        simulator->ClearLog();
        const auto run = RunCli(RestoreCommand, Args({{file, "--to", Mac(target)}, Backup()}));
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find("holds a LUMA-4 configuration and this device is a " +
                               ModelNameOf(devices[target].Type())),
                  std::string::npos)
            << run.out;
        EXPECT_TRUE(WritesTo(target).empty());
        const auto diff = RunCli(DiffCommand, {file, "--to", Mac(target)});
        EXPECT_EQ(diff.status, 2);
    }
}

// A file whose hex was edited (its "fields" removed, so nothing else notices) is checked against
// the same rules as set, except where the device holds that value now.
TEST_F(BatchCommandTest, AFileIsCheckedAgainstTheFieldRulesUnlessRaw) {
    StartRig(RigOf({DEVTYPE_KV70, DEVTYPE_LUMA_4}));
    struct Case {
        std::size_t device;
        std::size_t block;
        std::size_t offset;
        Bytes bytes;
        const char* reason;
    };
    const Case cases[] = {
        {0,
         3,
         _SERIALPARAM::kBaudRate,
         {0, 0, 0, 99},
         "_SERIALPARAM.baudRate in the file: 99 is not one of"},
        {0, 1, 0, Bytes(32, 'x'), "_BASICPARAM.deviceName in the file: a text of 32 bytes"},
        {1, 2, _DMXPORTPARAM::kPortMode, {7}, "ports.0.mode in the file: 7 is not one of"},
        {1,
         2,
         _DMXPORTPARAM::kFrameRate,
         {200},
         "ports.0.frameRate in the file: 200 is outside 0 to 40"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        const std::string path = SaveFileOf(c.device, "edited.json");
        Json j = Json::parse(std::ifstream(path));
        Bytes block;
        ASSERT_TRUE(ParseHexBytes(j["blocks"][c.block]["hex"].get<std::string>(), &block));
        std::copy(c.bytes.begin(), c.bytes.end(), block.begin() + c.offset);
        for (const BlockFields& b : FieldsOf(devices[c.device].Type()).blocks) {
            if (b.index == c.block) {
                StampChecksum(b, &block);
            }
        }
        j["blocks"][c.block]["hex"] = HexOf(block.data(), block.size());
        j["blocks"][c.block].erase("fields");
        std::ofstream(path, std::ios::trunc) << j.dump(2);
        const uint8_t code = static_cast<uint8_t>(
            std::stoi(j["blocks"][c.block]["code"].get<std::string>(), nullptr, 16));
        const Bytes before = BlockOf(c.device, code);

        const auto refused = RunCli(RestoreCommand, Args({{path}, Backup()}));
        EXPECT_EQ(refused.status, 1);
        EXPECT_NE(refused.out.find(c.reason), std::string::npos) << refused.out;
        EXPECT_NE(refused.out.find("--raw writes it anyway"), std::string::npos);
        EXPECT_TRUE(WritesTo(c.device).empty());

        // On purpose it is written; then the device holds it, and its own backup restores.
        const auto raw = RunCli(RestoreCommand, Args({{path, "--raw"}, Backup()}));
        EXPECT_EQ(raw.status, 0) << raw.out;
        EXPECT_FALSE(WritesTo(c.device).empty());
        EXPECT_EQ(RunCli(RestoreCommand, Args({{path}, Backup()})).status, 0);
        SetBlock(c.device, code, before);
    }
}

TEST_F(BatchCommandTest, ARestoreWritesTheFixedBytesTheDialogsWrite) {
    StartRig(RigOf({DEVTYPE_LUMA_4}));
    const std::string path = SaveFileOf(0, "four.json");
    Json j = Json::parse(std::ifstream(path));
    Bytes network;
    ASSERT_TRUE(ParseHexBytes(j["blocks"][1]["hex"].get<std::string>(), &network));
    _ARTNETBASICPARAM edited = As<_ARTNETBASICPARAM>(network);
    edited.SetDmxHoldTime(3);
    edited.StampChecksum();
    edited.SetU8(_ARTNETBASICPARAM::kTrailer, 0xAB);  // bytes 86-87, after the checksum
    edited.SetU8(_ARTNETBASICPARAM::kTrailer + 1, 0xCD);
    j["blocks"][1]["hex"] = HexOf(edited.data(), edited.size());
    j["blocks"][1].erase("fields");
    std::ofstream(path, std::ios::trunc) << j.dump(2);

    const auto run = RunCli(RestoreCommand, Args({{path}, Backup()}));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    edited.SetU8(_ARTNETBASICPARAM::kTrailer, 0);
    edited.SetU8(_ARTNETBASICPARAM::kTrailer + 1, 0);
    const std::vector<Bytes> writes = WritesTo(0);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_TRUE(BytesEq(writes[0], Write(0, 0x07, BytesOf(edited))));
}

TEST_F(BatchCommandTest, ABusyDeviceIsLeftAloneAndAModelWithoutTheFieldIsSkipped) {
    StartRig(RigOf({DEVTYPE_LUMA_4, DEVTYPE_LUMA_AIR_MODULE}));
    std::filesystem::create_directories(dir / "backups");
    {
        // Another run holds the LUMA-4.
        DeviceLock other(dir / "backups" / (MacFileName(devices[0].record.byMac()) + ".lock"));
        ASSERT_EQ(other.Status(), DeviceLock::State::Held);
        const auto busy = RunCli(SetCommand, Args({{Mac(0), "dmxHoldTime=3"}, Backup()}));
        EXPECT_EQ(busy.status, 1);
        EXPECT_NE(busy.out.find(Mac(0) + " LUMA-4: BUSY: another run"), std::string::npos)
            << busy.out;
        EXPECT_TRUE(RequestsTo(0).empty());
        EXPECT_EQ(busy.out.find("backups in"), std::string::npos) << busy.out;
    }
    // The module's name cannot be edited: skipped, not failed.
    simulator->ClearLog();
    const auto named = RunCli(SetCommand, Args({{"--all", "deviceName=stage"}, Backup()}));
    EXPECT_EQ(named.status, 0) << named.out << named.err;
    EXPECT_NE(named.out.find("set: 2 device(s): 1 skipped, 1 written; backups in"),
              std::string::npos)
        << named.out;
    EXPECT_TRUE(WritesTo(1).empty());

    const auto empty = RunCli(SetCommand, {Mac(0), "dmxHoldTime=3", "--backup", ""});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("--backup needs a folder name"), std::string::npos) << empty.err;
}

TEST_F(BatchCommandTest, NumberingCountsUpInMacOrderOrInTheOrderNamed) {
    StartRig(RigOf({DEVTYPE_LUMA_4, DEVTYPE_KV70, DEVTYPE_LUMA_4, DEVTYPE_LUMA_4}));
    const auto run =
        RunCli(SetCommand, Args({{"--all", "--number", "ports.0.universe=5"}, Backup()}));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("1 skipped, 3 written"), std::string::npos) << run.out;
    EXPECT_EQ(As<_ARTNETDMXPARAM>(BlockOf(0, kNodeA)).Port(0).Universe(), 5);
    EXPECT_EQ(As<_ARTNETDMXPARAM>(BlockOf(2, kNodeA)).Port(0).Universe(), 6);
    EXPECT_EQ(As<_ARTNETDMXPARAM>(BlockOf(3, kNodeA)).Port(0).Universe(), 7);

    const auto addresses =
        RunCli(SetCommand,
               Args({{Mac(3), Mac(0), "--number", "nodeA.static.localIp=10.0.0.254"}, Backup()}));
    EXPECT_EQ(addresses.status, 0) << addresses.out << addresses.err;
    EXPECT_EQ(As<_ARTNETBASICPARAM>(BlockOf(3, kNetwork)).GetIp(_ARTNETBASICPARAM::kNodeAStatic),
              (Ipv4Bytes{10, 0, 0, 254}));
    EXPECT_EQ(As<_ARTNETBASICPARAM>(BlockOf(0, kNetwork)).GetIp(_ARTNETBASICPARAM::kNodeAStatic),
              (Ipv4Bytes{10, 0, 0, 255}));

    // Past the field's range: that device fails, the others are written.
    const auto past = RunCli(
        SetCommand, Args({{"--model", "LUMA-4", "--number", "ports.3.universe=254"}, Backup()}));
    EXPECT_EQ(past.status, 1);
    EXPECT_NE(past.out.find("runs past 255"), std::string::npos) << past.out;
}

// The window's way: a preview of every change, then the write of what the operator accepted,
// refused when the device changed in between.
TEST_F(BatchCommandTest, APreviewedPlanIsWrittenOnlyWhileTheDeviceHoldsWhatThePreviewRead) {
    StartRig(RigOf({DEVTYPE_LUMA_4}));
    const _CONFIGPARAM& record = devices[0].record;
    const BlockBuilder build = [](const ConfigSession& session, BuiltBlocks* out) {
        return BuildSetBlocks(DEVTYPE_LUMA_4, {{"dmxHoldTime", "3"}}, session, out);
    };
    ConfigSession previewed(SessionModelOf(DEVTYPE_LUMA_4), record.Identity());
    ASSERT_FALSE(ReadAll(previewed));
    DevicePlan plan;
    ASSERT_TRUE(PlanChanges(DEVTYPE_LUMA_4, previewed, build, &plan));
    ASSERT_EQ(plan.changes.size(), 1u);
    EXPECT_EQ(plan.changes[0].path, "_ARTNETBASICPARAM.dmxHoldTime");
    EXPECT_TRUE(WritesTo(0).empty());

    // Another program changes a port meanwhile: nothing is written.
    const Bytes ports = BlockOf(0, kNodeA);
    SetBlock(0, kNodeA, WithUniverse(ports, 0, 0x44));
    simulator->ClearLog();
    DeviceResult result = WritePlanned(record, previewed, plan, Options());
    EXPECT_EQ(result.outcome, "failed");
    EXPECT_NE(result.lines.find("changed since the preview"), std::string::npos);
    EXPECT_TRUE(WritesTo(0).empty());

    SetBlock(0, kNodeA, ports);
    result = WritePlanned(record, previewed, plan, Options());
    EXPECT_EQ(result.outcome, "written") << result.lines;
    EXPECT_EQ(As<_ARTNETBASICPARAM>(BlockOf(0, kNetwork)).DmxHoldTime(), 3);
    EXPECT_EQ(BackupsOf(0).size(), 1u);
}

TEST_F(BatchCommandTest, AFileWithoutSecretsSaysSoAndKeepsTheDevicesOwn) {
    StartRig(RigOf({DEVTYPE_KV70, DEVTYPE_LUMA_4}));
    const Bytes wireless = BlockOf(0, 0x04);
    const std::string folder = (dir / "rig").string();
    const auto dump = RunCli(DumpCommand, {"--all", "-o", folder, "--no-secrets"});
    ASSERT_EQ(dump.status, 0) << dump.out << dump.err;
    const std::string file = folder + "/00-1A-2B-3C-4D-01.json";
    const Json j = Json::parse(std::ifstream(file));
    EXPECT_EQ(j["secrets"], "left out");
    EXPECT_EQ(j["blocks"][2]["fields"]["passPhrase"], "");
    EXPECT_NE(As<_WIRELESSPARAM>(wireless).GetText(_WIRELESSPARAM::kPassPhrase, 68), "");

    // The device's SSID changes; restoring the file brings it back and keeps the pass phrase.
    _WIRELESSPARAM other = As<_WIRELESSPARAM>(wireless);
    other.SetSsid("Elsewhere");
    SetBlock(0, 0x04, BytesOf(other));
    const auto run = RunCli(RestoreCommand, Args({{file}, Backup()}));
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_TRUE(BytesEq(BlockOf(0, 0x04), wireless));

    const auto csv = RunCli(ExportCsvCommand, {});
    EXPECT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\n') + 1), "model,mac,ip,name,firmware\r\n");
    EXPECT_NE(csv.out.find("LUMA-4," + Mac(1) + ",192.168.1.102,LUMA-4-4D02,V"), std::string::npos)
        << csv.out;
}

}  // namespace
}  // namespace varlo::cli
