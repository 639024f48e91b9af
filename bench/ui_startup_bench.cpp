// Start-up to the first painted main window (goal: under 1 s): the application object's whole
// sequence, with the COM mapping pane reading all 1,024 COM numbers from the demo registry
// stand-in. The first run in the process also pays for loading the style, fonts and bitmaps.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <cstdlib>
#include <memory>

#include "app/GUI_HeronApp.h"
#include "app/MainFrame.h"
#include "app/VarloView.h"
#include "bench/BenchIterations.h"
#include "comport/ComMappingListCtrl.h"
#include "comport/ComRegistrySource.h"

namespace {

using namespace varlo;

// Counts the main window's paint events.
class PaintWatch : public QObject {
public:
    int painted = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++painted;
        }
        return false;
    }
};

class WatchedApp : public ui::CGUI_HeronApp {
public:
    PaintWatch watch;

protected:
    void ShowMainFrame(ui::CMainFrame& frame) override {
        frame.installEventFilter(&watch);
        ui::CGUI_HeronApp::ShowMainFrame(frame);
        while (watch.painted == 0) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        }
    }
};

void StartUp(benchmark::State& state) {
    if (!UseDemoComRegistry()) {
        state.SkipWithError("demo registry not found");
        return;
    }
    for (auto _ : state) {
        auto app = std::make_unique<WatchedApp>();
        const bool started = app->InitInstance();
        state.PauseTiming();
        if (!started) {
            state.SkipWithError("start-up failed");
            return;
        }
        state.counters["com_rows"] = app->MainFrame()->FindView()->ComMappingList()->RowCount();
        app->MainFrame()->removeEventFilter(&app->watch);
        app.reset();  // closing the window is not part of start-up
        state.ResumeTiming();
    }
}

void BM_StartUpFirstInProcess(benchmark::State& state) {
    StartUp(state);
}
BENCHMARK(BM_StartUpFirstInProcess)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartUp(benchmark::State& state) {
    StartUp(state);
}
BENCHMARK(BM_StartUp)
    ->Iterations(bench::Iterations(10))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
