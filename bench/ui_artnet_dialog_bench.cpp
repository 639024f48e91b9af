// Opening the LUMA-8 dialog as the device list does: construct it (it reads the device, four
// exchanges against a simulated node that answers at once; the exchange's 100 ms poll step makes
// the floor 400 ms), show it and let it paint. Offscreen unless a platform is chosen. Loopback
// only.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>

#include "artnet/ArtNet8OptionsDlg.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "sim/DeviceSimulator.h"
#include "transport/TransportSettings.h"

namespace {

using namespace varlo;

void BM_OpenLuma8Dialog(benchmark::State& state) {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_8, {0, 0x1A, 0x2B, 0x3C, 0x4D, 8}, {192, 168, 1, 58}));
    sim::InstallFactoryBlocks(rig.devices[0], 0);
    g_arrConfigParam.RemoveAll();
    g_arrConfigParam.Add(rig.devices[0].record);
    g_nCurDevice = 0;
    sim::DeviceSimulator simulator(std::move(rig));
    if (!simulator.Start()) {
        state.SkipWithError("simulator did not start");
        return;
    }
    const TransportSettings saved = Transport();
    Transport().targetAddr = simulator.Address();
    Transport().targetPort = simulator.Port();
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
    state.counters["floor_ms"] = 4 * 100;
    Transport() = saved;
    g_arrConfigParam.RemoveAll();
}
BENCHMARK(BM_OpenLuma8Dialog)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace
