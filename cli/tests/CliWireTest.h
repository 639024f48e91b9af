#pragma once
// The simulator on loopback for the configuration-file commands: a rig, files made from its
// devices without a search, a scratch folder, commands run in-process with their output
// captured, and the requests the simulator received, by device.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "configfiles/BlockJson.h"
#include "configfiles/ConfigFile.h"
#include "testsupport/WireTest.h"
#include "transport/ConfigSession.h"

namespace varlo::cli::testing {

using varlo::testing::BytesEq;

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a command as `varlo-cli NAME ARGS...` would, with its standard output and error captured.
inline CommandRun RunCli(int (*command)(const std::vector<std::string>&),
                         const std::vector<std::string>& args) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    CommandRun run;
    run.status = command(args);
    run.out = ::testing::internal::GetCapturedStdout();
    run.err = ::testing::internal::GetCapturedStderr();
    return run;
}

class CliWireTest : public varlo::testing::SimulatorTest {
protected:
    void StartRig(sim::Rig rig) {
        devices = rig.devices;
        StartSimulator(std::move(rig));
        // As varlo-cli runs: a reply ends the exchange's wait at once.
        Transport().replyEndsStep = true;
        dir = std::filesystem::temp_directory_path() /
              ("varlo-cli-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        SimulatorTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // The device's configuration file as `dump -o` writes it, read without a search.
    std::string SaveFileOf(std::size_t device, const std::string& name) {
        const sim::SimDevice& d = devices.at(device);
        ConfigSession session(SessionModelOf(d.Type()), d.Identity());
        EXPECT_EQ(session.Open(), session.BlockCount());
        const std::string path = (dir / name).string();
        std::string error;
        EXPECT_TRUE(SaveConfigFile(
            path, ConfigFileJson(d.record, session.Model(), SavedBlocks(session)), &error))
            << error;
        simulator->ClearLog();
        return path;
    }

    // The block the simulated device holds now under a read code.
    Bytes BlockOf(std::size_t device, uint8_t readCode) {
        Bytes out;
        simulator->WithDevices(
            [&](std::vector<sim::SimDevice>& all) { out = all.at(device).blocks.at(readCode); });
        return out;
    }
    void SetBlock(std::size_t device, uint8_t readCode, const Bytes& bytes) {
        simulator->WithDevices(
            [&](std::vector<sim::SimDevice>& all) { all.at(device).blocks[readCode] = bytes; });
    }

    // The configuration requests a device received, whole, in order.
    std::vector<Bytes> RequestsTo(std::size_t device) const {
        const DeviceIdentity id = devices.at(device).Identity();
        std::vector<Bytes> out;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            if (d.bytes.size() >= kRequestHeaderSize && d.bytes[0] != 0x01 &&
                std::equal(id.begin(), id.end(), d.bytes.begin() + 8)) {
                out.push_back(d.bytes);
            }
        }
        return out;
    }
    // Their request codes, reads included.
    std::vector<uint8_t> CodesTo(std::size_t device) const {
        std::vector<uint8_t> codes;
        for (const Bytes& b : RequestsTo(device)) {
            codes.push_back(b[0]);
        }
        return codes;
    }
    // The writes and commands alone: what changes a device.
    std::vector<Bytes> WritesTo(std::size_t device) const {
        std::vector<Bytes> out;
        for (const Bytes& b : RequestsTo(device)) {
            if (b[0] >= 0x07 && b[0] != 0x16) {
                out.push_back(b);
            }
        }
        return out;
    }
    std::size_t Searches() const {
        std::size_t n = 0;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            n += d.bytes.size() >= 8 && d.bytes[0] == 0x01 ? 1 : 0;
        }
        return n;
    }
    std::vector<std::string> Backup() const { return {"--backup", (dir / "backups").string()}; }

    std::vector<sim::SimDevice> devices;
    std::filesystem::path dir;
};

inline std::vector<std::string> Args(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

}  // namespace varlo::cli::testing
