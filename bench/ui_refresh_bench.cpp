// Rebuilding the device list pane from a table of 5,000 devices (goal: under 100 ms), alone and
// followed by the repaint the operator then sees. Offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceTable.h"
#include "sim/Rig.h"

namespace {

using namespace varlo;

void FillTable(std::size_t n) {
    g_arrConfigParam.RemoveAll();
    for (const sim::SimDevice& d : sim::GeneratedRig(n, 3).devices) {
        g_arrConfigParam.Add(d.record);
    }
}

void BM_RefreshDeviceList(benchmark::State& state) {
    FillTable(static_cast<std::size_t>(state.range(0)));
    ui::CConfigurationListCtrl list;
    list.resize(900, 450);
    list.show();
    for (auto _ : state) {
        list.RefreshDeviceList();
    }
    state.counters["rows"] = list.RowCount();
}
BENCHMARK(BM_RefreshDeviceList)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RefreshDeviceListAndPaint(benchmark::State& state) {
    FillTable(static_cast<std::size_t>(state.range(0)));
    ui::CConfigurationListCtrl list;
    list.resize(900, 450);
    list.show();
    QApplication::processEvents();
    for (auto _ : state) {
        list.RefreshDeviceList();
        list.viewport()->repaint();
    }
    state.counters["rows"] = list.RowCount();
}
BENCHMARK(BM_RefreshDeviceListAndPaint)->Arg(5000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
