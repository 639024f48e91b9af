// The serial-server dialog against a simulated serial server on loopback that answers at once.
// Each benchmark runs twice: reply_ends_step:0 sleeps every exchange's 100 ms poll step out, as
// the dialogs did, so opening (five reads) cannot beat about 500 ms and an Apply writing all four
// blocks about 400 ms (old_floor_ms); reply_ends_step:1 is what the dialogs do now, an exchange
// ending when its reply arrives. The goal is opening and Apply within 30 ms of the replies' own
// round trips, which on loopback are well under a millisecond each. Opening is timed from
// constructing the dialog to its first paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <memory>
#include <string>

#include "bench/BenchIterations.h"
#include "discovery/DeviceTable.h"
#include "serialserver/OptionsDlg.h"
#include "sim/CommandSet.h"
#include "sim/DeviceSimulator.h"
#include "transport/TransportSettings.h"

namespace {

using namespace varlo;

constexpr double kPollStepMs = 100;

// One simulated serial server on loopback, the process-wide target pointed at it.
class SimulatedServer {
public:
    SimulatedServer() {
        sim::Rig rig;
        rig.devices.push_back(
            sim::MakeSimDevice(DEVTYPE_KV70, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, {127, 0, 0, 2}));
        sim::InstallFactoryBlocks(rig.devices[0], 0);
        g_arrConfigParam.RemoveAll();
        g_nCurDevice = static_cast<int>(g_arrConfigParam.Add(rig.devices[0].record));
        // Apply's benchmark counts the writes in the request log, kept only when asked.
        sim::SimOptions options;
        options.recordRequests = true;
        m_simulator = std::make_unique<sim::DeviceSimulator>(std::move(rig), options);
        m_ok = m_simulator->Start();
        Transport().targetAddr = m_simulator->Address();
        Transport().targetPort = m_simulator->Port();
    }
    ~SimulatedServer() {
        m_simulator->Stop();
        Transport() = m_saved;
        g_arrConfigParam.RemoveAll();
    }
    bool Ok() const { return m_ok; }
    sim::DeviceSimulator& Simulator() { return *m_simulator; }

private:
    TransportSettings m_saved = Transport();
    std::unique_ptr<sim::DeviceSimulator> m_simulator;
    bool m_ok = false;
};

class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// The time per iteration, beside the floor that sleeping every poll step out put under it.
void Report(benchmark::State& state, double totalMs, int exchanges) {
    const double oldFloorMs = exchanges * kPollStepMs;
    const double meanMs = totalMs / static_cast<double>(state.iterations());
    state.counters["mean_ms"] = meanMs;
    state.counters["old_floor_ms"] = oldFloorMs;
    state.counters["over_old_floor_ms"] = meanMs - oldFloorMs;
}

void BM_OpenToShown(benchmark::State& state) {
    SimulatedServer server;
    Transport().replyEndsStep = state.range(0) != 0;
    if (!server.Ok()) {
        state.SkipWithError("simulator did not start");
        return;
    }
    double totalMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        auto dlg = std::make_unique<ui::COptionsDlg>();
        PaintWatch watch;
        dlg->installEventFilter(&watch);
        dlg->show();
        while (!watch.painted) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000);
        totalMs += ms;
        if (dlg->ReadsSucceeded() != 5) {
            state.SkipWithError("a read failed");
            return;
        }
        dlg->removeEventFilter(&watch);
    }
    Report(state, totalMs, 5);
}
BENCHMARK(BM_OpenToShown)
    ->ArgName("reply_ends_step")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(bench::Iterations(10))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

void BM_ApplyAllFourBlocks(benchmark::State& state) {
    SimulatedServer server;
    Transport().replyEndsStep = state.range(0) != 0;
    if (!server.Ok()) {
        state.SkipWithError("simulator did not start");
        return;
    }
    ui::COptionsDlg dlg;
    dlg.show();
    serialserver::SerialServerConfig& config = dlg.Config();
    double totalMs = 0;
    int round = 0;
    for (auto _ : state) {
        // A change on every page, different each round so every block differs.
        ++round;
        config.basic.deviceName.Edit("Line-" + std::to_string(round));
        config.wireless.ssid.Edit("Hall-" + std::to_string(round));
        config.serial.baudRate = round % 16;
        config.opMode.udp.listenPort.Edit(std::to_string(5000 + round));
        server.Simulator().ClearLog();

        QElapsedTimer clock;
        clock.start();
        dlg.ApplyButton()->click();
        const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime(ms / 1000);
        totalMs += ms;
        if (server.Simulator().LogSize() != 4) {
            state.SkipWithError("Apply did not send four writes");
            return;
        }
    }
    Report(state, totalMs, 4);
}
BENCHMARK(BM_ApplyAllFourBlocks)
    ->ArgName("reply_ends_step")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(bench::Iterations(10))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

}  // namespace
