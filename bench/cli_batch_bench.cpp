// varlo-cli restore and set on simulated rigs of 100 and 1,000 devices on loopback, against the
// same work done one device after another with the dialogs' exchange timing (a 100 ms sleep
// before each look at the socket). Each run once; run one benchmark a process to read its peak
// memory (the simulator's rig and log are in the same process):
//   cli_batch_bench --benchmark_filter='BM_Restore/devices:1000/baseline:0/'
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "cli/BatchArgs.h"
#include "cli/BatchConsole.h"
#include "cli/Commands.h"
#include "configfiles/BlockJson.h"
#include "configfiles/ConfigFile.h"
#include "configfiles/DeviceTargets.h"
#include "configfiles/SetFields.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "sim/DeviceSimulator.h"
#include "transport/FrameCrc.h"
#include "transport/TransportSettings.h"

namespace {

using namespace varlo;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double PeakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The commands print a line a device; the benchmark's own report stays on the terminal.
class QuietStdout {
public:
    QuietStdout() : m_saved(dup(1)) {
        std::fflush(stdout);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        close(null);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        dup2(m_saved, 1);
        close(m_saved);
    }

private:
    int m_saved;
};

// The timing each run uses: varlo-cli's (replies end the wait, devices at once) or the dialogs'
// (a whole 100 ms step before each look, one device after another).
int UseTiming(bool baseline) {
    Transport().replyEndsStep = !baseline;
    return baseline ? 1 : kDefaultJobs;
}

struct Rig {
    std::unique_ptr<sim::DeviceSimulator> simulator;
    std::filesystem::path dir;

    bool Start(sim::Rig rig) {
        sim::SimOptions options;
        options.searchDelayMinMs = 0;
        options.searchDelayMaxMs = 999;
        simulator = std::make_unique<sim::DeviceSimulator>(std::move(rig), options);
        if (!simulator->Start()) {
            return false;
        }
        Transport().targetAddr = simulator->Address();
        Transport().targetPort = simulator->Port();
        Transport().searchLocalPort = 0;
        dir = std::filesystem::temp_directory_path() /
              ("varlo-cli-bench-" + std::to_string(getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "backups");
        return true;
    }
    ~Rig() {
        if (simulator) {
            simulator->Stop();
        }
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

// Every device's configuration file, then every device's name changed, so that each restore
// writes one block (and the finish command for a node).
std::vector<std::string> FilesOfChangedDevices(Rig& rig,
                                               const std::vector<sim::SimDevice>& devices) {
    std::vector<std::string> files(devices.size());
    UseTiming(false);
    RunOnDevices(devices.size(), kDefaultJobs, [&](std::size_t i) {
        const sim::SimDevice& d = devices[i];
        ConfigSession session(SessionModelOf(d.Type()), d.Identity());
        session.Open();
        files[i] = (rig.dir / (MacFileName(d.record.byMac()) + ".json")).string();
        std::string error;
        SaveConfigFile(files[i], ConfigFileJson(d.record, session.Model(), SavedBlocks(session)),
                       &error);
    });
    rig.simulator->WithDevices([](std::vector<sim::SimDevice>& all) {
        for (sim::SimDevice& d : all) {
            Bytes& network = d.blocks.at(0x03);
            network[0] ^= 0x01;
            if (network.size() == 88 || network.size() == 60) {
                StampFrameCrc(network.data(), static_cast<uint16_t>(network.size() - 4));
            }
        }
    });
    rig.simulator->ClearLog();
    return files;
}

void BM_Restore(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const bool baseline = state.range(1) != 0;
    Rig rig;
    const sim::Rig generated = sim::GeneratedRig(n, 7);
    if (!rig.Start(generated)) {
        state.SkipWithError("cannot start the simulator on loopback");
        return;
    }
    const std::vector<std::string> files = FilesOfChangedDevices(rig, generated.devices);
    std::vector<std::string> args = files;
    const int jobs = UseTiming(baseline);
    args.insert(args.end(),
                {"--backup", (rig.dir / "backups").string(), "--jobs", std::to_string(jobs)});
    int status = -1;
    double seconds = 0;
    for (auto _ : state) {
        QuietStdout quiet;
        const auto start = Clock::now();
        status = cli::RestoreCommand(args);
        seconds = Seconds(start);
    }
    std::size_t restored = 0;
    rig.simulator->WithDevices([&](std::vector<sim::SimDevice>& all) {
        for (std::size_t i = 0; i < all.size(); ++i) {
            restored += all[i].blocks.at(0x03) == generated.devices[i].blocks.at(0x03) ? 1 : 0;
        }
    });
    state.counters["devices"] = static_cast<double>(n);
    state.counters["failed"] = static_cast<double>(n - restored);
    state.counters["exit"] = status;
    state.counters["seconds"] = seconds;
    state.counters["peak_rss_mb"] = PeakRssMb();
}
BENCHMARK(BM_Restore)
    ->ArgNames({"devices", "baseline"})
    ->Args({100, 0})
    ->Args({1000, 0})
    ->Args({100, 1})
    ->Args({1000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

// One field on every node of a rig: one search, then the exchanges.
void BM_Set(benchmark::State& state) {
    const auto n = static_cast<std::size_t>(state.range(0));
    const bool baseline = state.range(1) != 0;
    const uint32_t nodes[] = {DEVTYPE_LUMA_1, DEVTYPE_LUMA_2, DEVTYPE_LUMA_4, DEVTYPE_LUMA_8,
                              DEVTYPE_LUMA_EX};
    sim::Rig generated;
    for (std::size_t i = 0; i < n; ++i) {
        generated.devices.push_back(sim::MakeSimDevice(
            nodes[i % 5], {0x02, 0x56, 0x07, uint8_t(i >> 16), uint8_t(i >> 8), uint8_t(i)},
            {192, 168, uint8_t(1 + i / 250), uint8_t(1 + i % 250)}));
        sim::InstallFactoryBlocks(generated.devices.back(), i);
    }
    Rig rig;
    if (!rig.Start(generated)) {
        state.SkipWithError("cannot start the simulator on loopback");
        return;
    }
    const int jobs = UseTiming(baseline);
    ApplyOptions options;
    options.backupDir = rig.dir / "backups";
    const std::vector<Assignment> assignments = {{"dmxHoldTime", "off"}};
    int status = -1;
    double search = 0;
    double exchanges = 0;
    std::size_t found = 0;
    for (auto _ : state) {
        QuietStdout quiet;
        auto start = Clock::now();
        TargetSpec all;
        all.all = true;
        ResolvedTargets targets;
        cli::FindTargets(all, &targets);
        search = Seconds(start);
        found = targets.found.size();
        start = Clock::now();
        status = cli::SetOnDevices(targets.found, targets.missing, assignments, options, jobs);
        exchanges = Seconds(start);
    }
    std::size_t changed = 0;
    rig.simulator->WithDevices([&](std::vector<sim::SimDevice>& all) {
        for (const sim::SimDevice& d : all) {
            changed += d.blocks.at(0x03)[32] == 6 ? 1 : 0;
        }
    });
    state.counters["devices"] = static_cast<double>(n);
    state.counters["found"] = static_cast<double>(found);
    state.counters["failed"] = static_cast<double>(n - changed);
    state.counters["exit"] = status;
    state.counters["search_s"] = search;
    state.counters["exchanges_s"] = exchanges;
    state.counters["peak_rss_mb"] = PeakRssMb();
}
BENCHMARK(BM_Set)
    ->ArgNames({"devices", "baseline"})
    ->Args({100, 0})
    ->Args({1000, 0})
    ->Args({100, 1})
    ->Args({1000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
