// 1,000 simulated Art-Net nodes of four ports answer one poll, spreading their replies over half
// a second as nodes do (goal: all listed within one second of the poll, no reply dropped, and the
// window responsive meanwhile). The nodes run on loopback; the poll goes nowhere else.
//   listed_ms   the poll to the last row in the list
//   dropped     replies the simulator sent that never reached the list
//   stall_ms    the longest the event loop went without turning (a 5 ms timer's worst gap)
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "artnet4/ArtNetNodePane.h"
#include "artnet4/ArtNetSettings.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "sim/DeviceSimulator.h"
#include "widgets/ReportListCtrl.h"

namespace {

using namespace varlo;

constexpr int kNodes = 1000;

std::unique_ptr<sim::DeviceSimulator> StartNodes() {
    // A socket per node: more than the usual 1,024 open files.
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = std::max<rlim_t>(files.rlim_cur, std::min<rlim_t>(files.rlim_max, 4096));
    setrlimit(RLIMIT_NOFILE, &files);

    sim::Rig rig;
    for (int i = 0; i < kNodes; ++i) {
        const MacBytes mac{0x02, 0x56, 0x00, 0x00, uint8_t(i >> 8), uint8_t(i)};
        const Ipv4Bytes ip{10, 4, uint8_t(i / 250), uint8_t(1 + i % 250)};
        rig.devices.push_back(sim::MakeSimDevice(DEVTYPE_LUMA_4, mac, ip));
        sim::InstallFactoryBlocks(rig.devices.back(), static_cast<std::size_t>(i));
    }
    auto simulator = std::make_unique<sim::DeviceSimulator>(std::move(rig));
    sim::ArtNetResponderOptions spread;
    spread.replyDelayMaxMs = 500;
    if (!simulator->StartArtNet(0x7F000001, 0, spread)) {
        return nullptr;
    }
    artnet4::ArtNetSettings& target = artnet4::ArtNetTarget();
    target.pollAddrs = {simulator->ArtNet()->Address()};
    target.pollPort = simulator->ArtNet()->Port();
    target.localPort = 0;
    return simulator;
}

void BM_ThousandNodesAnswerOnePoll(benchmark::State& state) {
    const auto simulator = StartNodes();
    if (!simulator) {
        state.SkipWithError("cannot start 1,000 simulated nodes on loopback");
        return;
    }
    double listedMs = 0;
    double stallMs = 0;
    double dropped = 0;
    for (auto _ : state) {
        // A fresh list each time: Art-Net allows one poll in 2.5 s per controller.
        ui::CArtNetNodePane pane;
        pane.resize(1400, 600);
        const uint64_t sentBefore = simulator->ArtNet()->RepliesSent();
        QElapsedTimer sincePoll;
        QElapsedTimer sinceTick;
        qint64 worstGap = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { worstGap = std::max(worstGap, sinceTick.restart()); });
        tick.start(5);
        sincePoll.start();
        sinceTick.start();
        pane.show();  // polls
        while (pane.List()->RowCount() < kNodes && sincePoll.elapsed() < 5000) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        listedMs = static_cast<double>(sincePoll.elapsed());
        // Anything still on its way has had its chance once the slowest node's delay is over.
        while (sincePoll.elapsed() < 1200) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        }
        stallMs = static_cast<double>(worstGap);
        dropped = static_cast<double>(simulator->ArtNet()->RepliesSent() - sentBefore) -
                  static_cast<double>(pane.Poller().Counters().replies);
        state.SetIterationTime(listedMs / 1000.0);
        if (pane.List()->RowCount() < kNodes) {
            state.SkipWithError("not every node was listed within 5 s");
            break;
        }
    }
    state.counters["nodes"] = kNodes;
    state.counters["listed_ms"] = listedMs;
    state.counters["dropped"] = dropped;
    state.counters["stall_ms"] = stallMs;
}
BENCHMARK(BM_ThousandNodesAnswerOnePoll)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
