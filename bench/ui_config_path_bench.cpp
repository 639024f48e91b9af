// From Config on a row of the main window's device list to the model's dialog shown and filled,
// and from OK back to the rebuilt list, for every model of the demo rig in the simulator on
// loopback. Each read of the dialog's opening used to wait at least one 100 ms poll step, a
// floor of reads x 100 ms (open_old_floor_ms); a read now ends when its reply arrives, and the
// goal is opening within 30 ms of the replies' own round trips. OK without edits sends nothing,
// so closing has no floor.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "app/MainFrame.h"
#include "app/VarloView.h"
#include "artnet/ArtNetModels.h"
#include "bench/BenchIterations.h"
#include "discovery/ConfigurationListCtrl.h"
#include "discovery/DeviceTable.h"
#include "discovery/DeviceType.h"
#include "serialserver/SerialServerModel.h"
#include "sim/DeviceSimulator.h"
#include "sim/Rig.h"
#include "transport/TransportSettings.h"
#include "widgets/ParamDialogFrame.h"

namespace {

using namespace varlo;

constexpr double kPollStepMs = 100;

class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
};

// The demo rig on loopback, listed in a shown main window without waiting for a search.
struct Rig {
    Rig() {
        sim::Rig rig = sim::DemoRig();
        g_arrConfigParam.RemoveAll();
        for (const sim::SimDevice& d : rig.devices) {
            g_arrConfigParam.Add(d.record);
        }
        simulator = std::make_unique<sim::DeviceSimulator>(std::move(rig));
        ok = simulator->Start();
        Transport().targetAddr = simulator->Address();
        Transport().targetPort = simulator->Port();
        frame.show();
        list()->RefreshDeviceList();
    }
    ~Rig() {
        simulator->Stop();
        Transport() = saved;
        g_arrConfigParam.RemoveAll();
    }
    ui::CConfigurationListCtrl* list() { return frame.FindView()->DeviceList(); }

    TransportSettings saved = Transport();
    std::unique_ptr<sim::DeviceSimulator> simulator;
    ui::CMainFrame frame;
    bool ok = false;
};

std::size_t ReadsAtOpening(uint32_t type) {
    const artnet::ArtNetModel* model = artnet::FindArtNetModel(type);
    return (model ? model->session : serialserver::GetSerialServerModel().session).blocks.size();
}

void BM_ConfigToFilledDialogAndBack(benchmark::State& state) {
    Rig rig;
    const int row = static_cast<int>(state.range(0));
    if (!rig.ok || static_cast<std::size_t>(row) >= g_arrConfigParam.GetSize()) {
        state.SkipWithError("no simulator");
        return;
    }
    const uint32_t type = g_arrConfigParam[static_cast<std::size_t>(row)].dwType();
    const char* name = GetDeviceTypeName(type);
    state.SetLabel(name ? name : "unknown type");
    double openMs = 0;
    double closeMs = 0;
    for (auto _ : state) {
        rig.list()->SelectRow(row);
        QElapsedTimer clock;
        PaintWatch watch;
        QDialog* shown = nullptr;
        // Waits for the modal dialog's first paint, then presses OK from the keyboard.
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dlg == nullptr) {
                return;
            }
            if (shown != dlg) {
                shown = dlg;
                dlg->installEventFilter(&watch);
                dlg->update();
                return;
            }
            if (watch.painted) {
                poll.stop();
                openMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
                clock.restart();
                dlg->removeEventFilter(&watch);
                qobject_cast<ui::ParamDialogFrame*>(dlg)->OkButton()->click();
            }
        });
        poll.start(0);
        clock.start();
        rig.list()->ConfigCurrentDevice();
        closeMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        state.SetIterationTime(0.001);
    }
    const double n = static_cast<double>(state.iterations());
    const double floorMs = static_cast<double>(ReadsAtOpening(type)) * kPollStepMs;
    state.counters["open_ms"] = openMs / n;
    state.counters["open_old_floor_ms"] = floorMs;
    state.counters["ok_to_list_ms"] = closeMs / n;
}
// One row per model of the demo rig (eight devices).
BENCHMARK(BM_ConfigToFilledDialogAndBack)
    ->DenseRange(0, 7)
    ->Iterations(bench::Iterations(5))
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

}  // namespace
