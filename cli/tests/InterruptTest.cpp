// An interrupted batch, run as the real program: varlo-cli restores a rig of slow simulated
// LUMA-8s and is interrupted (SIGINT, or its standard output closed) after the first device is
// written. Every device must end untouched or complete (its three writes and the finish
// command), every device must be reported, the summary printed, and the exit status not zero.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "artnet/ArtNetBasicParam.h"
#include "artnet/ArtNetDmxParam.h"
#include "configfiles/BatchRun.h"
#include "configfiles/BlockJson.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceApply.h"
#include "discovery/DeviceFormat.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "sim/DeviceSimulator.h"
#include "testsupport/ScopedTransport.h"
#include "transport/FrameHeader.h"
#include "transport/TransportSettings.h"

namespace varlo {
namespace {

constexpr std::size_t kDevices = 40;

struct ChildRun {
    int status = -1;  // the exit status, or -1 when the program did not exit
    std::string out;  // what the test read of standard output
    std::string err;
};

// Runs varlo-cli with `args`; once its standard output shows `trigger`, sends `signal` to it
// (a second time, when `twice`, once it says it is stopping: signals of one kind do not queue),
// or (signal 0) closes the reading end of its standard output.
ChildRun RunInterrupted(const std::vector<std::string>& args, const std::string& trigger,
                        int signal, bool twice = false) {
    int out[2];
    int err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) {
        return {};
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        std::vector<char*> argv;
        std::string program = VARLO_CLI;
        argv.push_back(program.data());
        std::vector<std::string> copy = args;
        for (std::string& a : copy) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    ChildRun run;
    bool triggered = false;
    bool outOpen = true;
    bool errOpen = true;
    for (int waited = 0; (outOpen || errOpen) && waited < 600;) {
        pollfd fds[2] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0}};
        if (::poll(fds, 2, 100) == 0) {
            ++waited;  // at most a minute without a byte
            continue;
        }
        char buffer[4096];
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0) {
                ::close(fds[i].fd);
                (i == 0 ? outOpen : errOpen) = false;
                continue;
            }
            (i == 0 ? run.out : run.err).append(buffer, static_cast<std::size_t>(n));
        }
        if (!triggered && run.out.find(trigger) != std::string::npos) {
            triggered = true;
            if (signal != 0) {
                ::kill(pid, signal);
            } else if (outOpen) {
                ::close(out[0]);
                outOpen = false;
            }
        }
        if (twice && triggered && run.err.find("interrupt again") != std::string::npos) {
            twice = false;
            ::kill(pid, signal);
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class InterruptTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');  // a parameterised test's name
        dir = std::filesystem::temp_directory_path() /
              ("varlo-interrupt-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        for (std::size_t i = 0; i < kDevices; ++i) {
            sim::SimDevice d = sim::MakeSimDevice(
                DEVTYPE_LUMA_8, {0x00, 0x1A, 0x2B, 0x3C, 0x5D, static_cast<uint8_t>(i)},
                {10, 0, 0, static_cast<uint8_t>(10 + i)});
            sim::InstallFactoryBlocks(d, i);
            rig.devices.push_back(d);
        }
        simulator = std::make_unique<sim::DeviceSimulator>(rig, sim::SimOptions{0, 0, 1, true});
        ASSERT_TRUE(simulator->Start());
        Transport().targetAddr = 0x7F000001;
        Transport().targetPort = simulator->Port();
        Transport().replyEndsStep = true;
    }
    void TearDown() override {
        simulator->Stop();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    // Each device's file, changed in its three writable blocks.
    std::vector<std::string> MakeFiles() {
        std::vector<std::string> files(kDevices);
        RunOnDevices(kDevices, 8, [&](std::size_t i) {
            const sim::SimDevice& d = rig.devices[i];
            ConfigSession session(SessionModelOf(d.Type()), d.Identity());
            EXPECT_FALSE(ReadAll(session));
            std::vector<Bytes> blocks = SavedBlocks(session);
            _ARTNETBASICPARAM basic;
            basic.Assign(blocks[1].data());
            basic.SetDmxHoldTime(2);
            basic.StampChecksum();
            blocks[1].assign(basic.data(), basic.data() + basic.size());
            for (const std::size_t b : {2u, 3u}) {
                _ARTNETDMXPARAM ports;
                ports.Assign(blocks[b].data());
                _DMXPORTPARAM port = ports.Port(0);
                port.SetFrameRate(static_cast<uint8_t>(port.FrameRate() - 1));
                ports.SetPort(0, port);
                ports.StampChecksum();
                blocks[b].assign(ports.data(), ports.data() + ports.size());
            }
            files[i] = (dir / (std::to_string(i) + ".json")).string();
            std::string error;
            EXPECT_TRUE(
                SaveConfigFile(files[i], ConfigFileJson(d.record, session.Model(), blocks), &error))
                << error;
        });
        sim::SimFaults slow;
        slow.delayMs = 30;
        for (std::size_t i = 0; i < kDevices; ++i) {
            simulator->SetFaults(i, slow);
        }
        simulator->ClearLog();
        return files;
    }

    // The distinct codes of the writes and commands each device received, in order.
    std::map<std::size_t, std::vector<uint8_t>> Writes() const {
        std::map<std::size_t, std::vector<uint8_t>> out;
        for (const sim::LoggedDatagram& d : simulator->Log()) {
            for (std::size_t i = 0; i < kDevices; ++i) {
                const DeviceIdentity id = rig.devices[i].Identity();
                if (d.bytes.size() >= kRequestHeaderSize && d.bytes[0] >= 0x07 &&
                    d.bytes[0] != 0x16 && std::equal(id.begin(), id.end(), d.bytes.begin() + 8)) {
                    std::vector<uint8_t>& codes = out[i];
                    if (codes.empty() || codes.back() != d.bytes[0]) {
                        codes.push_back(d.bytes[0]);  // a resend is the same write
                    }
                }
            }
        }
        return out;
    }

    // restore of every file, 4 devices at a time.
    std::vector<std::string> RestoreArgs() {
        std::vector<std::string> args = {"restore"};
        for (const std::string& f : MakeFiles()) {
            args.push_back(f);
        }
        const std::vector<std::string> options = {
            "--jobs",   "4",
            "--backup", (dir / "backups").string(),
            "--target", "127.0.0.1:" + std::to_string(simulator->Port())};
        args.insert(args.end(), options.begin(), options.end());
        return args;
    }

    testing::ScopedTransport transport;
    sim::Rig rig;
    std::unique_ptr<sim::DeviceSimulator> simulator;
    std::filesystem::path dir;
};

class InterruptOnce : public InterruptTest, public ::testing::WithParamInterface<int> {};

TEST_P(InterruptOnce, EveryDeviceIsUntouchedOrCompleteAndReported) {
    const int signal = GetParam();
    const ChildRun run = RunInterrupted(RestoreArgs(), ": written", signal);
    const std::string all = run.out + run.err;
    EXPECT_EQ(run.status, signal == 0 ? 141 : 128 + signal) << all;
    EXPECT_NE(all.find("restore: 40 device(s): "), std::string::npos) << all;
    EXPECT_NE(all.find("; interrupted"), std::string::npos) << all;
    if (signal == 0) {
        EXPECT_NE(run.err.find("standard output is closed"), std::string::npos) << run.err;
    }

    const std::map<std::size_t, std::vector<uint8_t>> writes = Writes();
    std::size_t complete = 0;
    std::size_t untouched = 0;
    for (std::size_t i = 0; i < kDevices; ++i) {
        SCOPED_TRACE(i);
        const std::string name = FormatMacColon(rig.devices[i].record.byMac()) + " LUMA-8: ";
        const auto found = writes.find(i);
        if (found == writes.end()) {
            ++untouched;
            // Never started: said so (on standard error once standard output is closed).
            if (signal != 0 || run.err.find(name) != std::string::npos) {
                EXPECT_NE(all.find(name + "not started (interrupted)"), std::string::npos);
            }
            continue;
        }
        ++complete;
        EXPECT_EQ(found->second, (std::vector<uint8_t>{0x07, 0x08, 0x09, 0x7E}));
        if (signal != 0) {
            EXPECT_NE(run.out.find(name + "written"), std::string::npos) << run.out;
        }
    }
    EXPECT_GT(complete, 0u);
    EXPECT_GT(untouched, 0u);  // the interruption came before the end
}

// The second ^C ends at once: whatever was being written is named.
TEST_F(InterruptTest, ASecondInterruptEndsAtOnceAndNamesThePartialDevices) {
    const ChildRun run = RunInterrupted(RestoreArgs(), ": written", SIGINT, true);
    EXPECT_EQ(run.status, 130) << run.err;
    EXPECT_NE(run.err.find("ended at once"), std::string::npos) << run.err;
    for (const auto& [i, codes] : Writes()) {
        if (codes != std::vector<uint8_t>{0x07, 0x08, 0x09, 0x7E}) {
            EXPECT_NE(run.err.find("\n  " + FormatMacColon(rig.devices[i].record.byMac())),
                      std::string::npos)
                << i << "\n"
                << run.err;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SignalOrClosedOutput, InterruptOnce, ::testing::Values(SIGINT, SIGTERM, 0),
                         [](const ::testing::TestParamInfo<int>& p) {
                             return p.param == SIGINT    ? std::string("Sigint")
                                    : p.param == SIGTERM ? std::string("Sigterm")
                                                         : std::string("ClosedOutput");
                         });

}  // namespace
}  // namespace varlo
