// The Art-Net dialogs against a simulated LUMA-8 on loopback that answers at once. The opening
// and Apply benchmarks run twice: reply_ends_step:0 sleeps every exchange's 100 ms poll step out,
// as the dialogs did, so opening (four reads) cannot beat about 400 ms and an Apply of the three
// blocks and the finish command about 400 ms (old_floor_ms); reply_ends_step:1 is what the
// dialogs do now, an exchange ending when its reply arrives. The goal is opening and Apply within
// 30 ms of the replies' own round trips, well under a millisecond each on loopback. Opening is
// timed twice: the core alone (the reads and the page states), and the dialog from construction
// (which reads the device) to its first paint of every widget. Building a port block and the
// sub-net rule of a four-port page, as one keystroke runs it, have a goal under 1 ms each.
// Offscreen unless a platform is chosen. Loopback only.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <chrono>
#include <memory>
#include <string>

#include "artnet/ArtNet8OptionsDlg.h"
#include "artnet/ArtNetBasicSettingDlg.h"
#include "artnet/ArtNetConfig.h"
#include "artnet/DmxPortSettingDlg.h"
#include "bench/BenchIterations.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "sim/DeviceSimulator.h"
#include "transport/TransportSettings.h"

namespace {

using namespace varlo;

constexpr double kPollStepMs = 100;
constexpr double kOpenFloorMs = 4 * kPollStepMs;   // four reads
constexpr double kApplyFloorMs = 4 * kPollStepMs;  // three writes and the finish command

const artnet::ArtNetModel& Luma8() {
    return *artnet::FindArtNetModel(DEVTYPE_LUMA_8);
}

// One simulated LUMA-8 as record 0 of the device table, the process-wide target pointed at it.
class SimulatedNode {
public:
    SimulatedNode() {
        sim::Rig rig;
        rig.devices.push_back(sim::MakeSimDevice(
            DEVTYPE_LUMA_8, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x08}, {192, 168, 1, 58}));
        sim::InstallFactoryBlocks(rig.devices[0], 0);
        identity = rig.devices[0].Identity();
        g_arrConfigParam.RemoveAll();
        g_nCurDevice = static_cast<int>(g_arrConfigParam.Add(rig.devices[0].record));
        m_simulator = std::make_unique<sim::DeviceSimulator>(std::move(rig));
        ok = m_simulator->Start();
        Transport().targetAddr = m_simulator->Address();
        Transport().targetPort = m_simulator->Port();
    }
    ~SimulatedNode() {
        m_simulator->Stop();
        // Restores replyEndsStep too.
        Transport() = m_saved;
        g_arrConfigParam.RemoveAll();
    }

    sim::DeviceSimulator& Simulator() { return *m_simulator; }

    bool ok = false;
    DeviceIdentity identity{};

private:
    TransportSettings m_saved = Transport();
    std::unique_ptr<sim::DeviceSimulator> m_simulator;
};

// The time per iteration beside the floor that sleeping every poll step out put under it.
void Report(benchmark::State& state, double totalMs, double oldFloorMs) {
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    state.counters["mean_ms"] = meanMs;
    state.counters["old_floor_ms"] = oldFloorMs;
    state.counters["over_old_floor_ms"] = meanMs - oldFloorMs;
}

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void BM_OpenLuma8Core(benchmark::State& state) {
    SimulatedNode node;
    Transport().replyEndsStep = state.range(0) != 0;
    if (!node.ok) {
        state.SkipWithError("simulator did not start");
        return;
    }
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        artnet::ArtNetConfig config(Luma8(), node.identity);
        if (config.Open() != 4) {
            state.SkipWithError("a read failed");
            break;
        }
        totalMs += MsSince(start);
    }
    Report(state, totalMs, kOpenFloorMs);
}
BENCHMARK(BM_OpenLuma8Core)
    ->ArgName("reply_ends_step")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(bench::Iterations(10));

void BM_OpenLuma8Dialog(benchmark::State& state) {
    SimulatedNode node;
    Transport().replyEndsStep = state.range(0) != 0;
    if (!node.ok) {
        state.SkipWithError("simulator did not start");
        return;
    }
    using Clock = std::chrono::steady_clock;
    double constructMs = 0;
    double showMs = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        ui::CArtNet8OptionsDlg dlg;
        const Clock::time_point constructed = Clock::now();
        dlg.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dlg.grab());  // the first paint of every widget
        const Clock::time_point shown = Clock::now();
        constructMs += std::chrono::duration<double, std::milli>(constructed - start).count();
        showMs += std::chrono::duration<double, std::milli>(shown - constructed).count();
        if (!dlg.Config().Session().AllRead()) {
            state.SkipWithError("a read failed");
            break;
        }
    }
    // Construction holds the four reads; showing is the layout and the first paint.
    state.counters["construct_ms"] =
        benchmark::Counter(constructMs, benchmark::Counter::kAvgIterations);
    state.counters["show_ms"] = benchmark::Counter(showMs, benchmark::Counter::kAvgIterations);
    Report(state, constructMs + showMs, kOpenFloorMs);
}
BENCHMARK(BM_OpenLuma8Dialog)
    ->ArgName("reply_ends_step")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(bench::Iterations(10));

// Apply with a change on every page: the basic block, both port blocks and the finish command.
void BM_ApplyLuma8Dialog(benchmark::State& state) {
    SimulatedNode node;
    Transport().replyEndsStep = state.range(0) != 0;
    if (!node.ok) {
        state.SkipWithError("simulator did not start");
        return;
    }
    ui::CArtNet8OptionsDlg dlg;
    dlg.show();
    QApplication::processEvents();
    // What typing sends: the text, then the edit signal the page listens to.
    const auto type = [](QLineEdit* edit, const QString& text) {
        edit->setText(text);
        emit edit->textEdited(text);
    };
    double totalMs = 0;
    int round = 0;
    for (auto _ : state) {
        ++round;
        type(dlg.BasicSettingPage()->DeviceNameEdit(), QStringLiteral("Stage-%1").arg(round));
        for (std::size_t p = 0; p < dlg.PortSettingPageCount(); ++p) {
            type(dlg.PortSettingPage(p)->Port(0).universe, QString::number(round % 16));
        }
        const uint64_t before = node.Simulator().Received();
        const auto start = std::chrono::steady_clock::now();
        dlg.ApplyButton()->click();
        totalMs += MsSince(start);
        if (node.Simulator().Received() - before != 4) {
            state.SkipWithError("Apply did not send three writes and the finish command");
            return;
        }
    }
    Report(state, totalMs, kApplyFloorMs);
}
BENCHMARK(BM_ApplyLuma8Dialog)
    ->ArgName("reply_ends_step")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(bench::Iterations(10));

// A NodeA page filled from a port block whose four ports output one sub-net.
artnet::DmxPortPage FilledPage(_ARTNETDMXPARAM* block) {
    for (std::size_t k = 0; k < 4; ++k) {
        _DMXPORTPARAM r;
        r.SetPortMode(1);
        r.SetUniverse(static_cast<uint8_t>(0x10 + k));
        r.SetFrameRate(40);
        r.SetMergeMode(1);
        block->SetPort(k, r);
    }
    block->StampChecksum();
    artnet::DmxPortPage page(Luma8().portPages[0]);
    page.Fill(*block);
    return page;
}

void BM_BuildPortBlock(benchmark::State& state) {
    _ARTNETDMXPARAM saved;
    artnet::DmxPortPage page = FilledPage(&saved);
    for (auto _ : state) {
        benchmark::DoNotOptimize(page.Build(saved));
    }
}
BENCHMARK(BM_BuildPortBlock)->Unit(benchmark::kMicrosecond);

void BM_SubNetRuleFourPorts(benchmark::State& state) {
    _ARTNETDMXPARAM saved;
    artnet::DmxPortPage page = FilledPage(&saved);
    const std::string texts[] = {"35", "18"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(page.SetUniverseText(0, texts[i++ % 2]));
    }
}
BENCHMARK(BM_SubNetRuleFourPorts)->Unit(benchmark::kMicrosecond);

}  // namespace
