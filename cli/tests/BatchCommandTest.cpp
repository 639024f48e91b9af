// dump -o, diff, restore and set on the wire against the simulator: exactly the blocks that
// differ are written, in the dialog's order and with the finish command for a node; a clone
// keeps the target's name and addresses; nothing reaches a device whose reads did not all
// succeed, and its backup is on disk before the first write.
#include <gtest/gtest.h>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDmxParam.h"
#include "artnet/Rt5350BasicParam.h"
#include "cli/Commands.h"
#include "cli/tests/CliWireTest.h"
#include "configfiles/DeviceTargets.h"
#include "configfiles/SetFields.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "serialserver/BasicParam.h"
#include "serialserver/SerialParam.h"
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
            if (e.path().filename().string().rfind(prefix, 0) == 0) {
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
    // Non-zero bytes after every terminator and in every kept byte: they go back as read, except
    // the two bytes after a node's network checksum, which are built as zero.
    sim::SimFaults dirty;
    dirty.dirtyText = true;
    simulator->SetFaults(1, dirty);

    const std::vector<Bytes> server = Saved(0);
    const std::vector<Bytes> node = Saved(1);
    const std::vector<Bytes> module = Saved(2);
    _BASICPARAM name = As<_BASICPARAM>(server[1]);
    name.SetDeviceName("stage-left");
    _ARTNETBASICPARAM hold = As<_ARTNETBASICPARAM>(node[1]);
    hold.SetDmxHoldTime(5);
    hold.SetU8(_ARTNETBASICPARAM::kTrailer, 0);
    hold.SetU8(_ARTNETBASICPARAM::kTrailer + 1, 0);
    hold.StampChecksum();
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
        {1, {"ports.1.universe", "35"}, {Write(1, 0x08, WithUniverse(node[2], 1, 35)), Finish(1)}},
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

}  // namespace
}  // namespace varlo::cli
