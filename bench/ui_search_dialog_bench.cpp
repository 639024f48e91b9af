// The search dialog itself (offscreen unless a platform is chosen) against simulated rigs whose
// devices each answer at a random moment within a second of a request: the same rigs as the
// command-line discovery benchmark in search_bench.cpp. One whole search per size. Reports the
// rows listed, the distinct devices among them, the replies lost (dropped by the kernel or still
// unread when the dialog closed), the row batches, the longest stall of the user-interface
// thread and the process's peak memory (before the search and after it). Run one size per process
// for a peak of its own:
//   ui_search_dialog_bench --benchmark_filter=/10000
// Loopback only.
#include <benchmark/benchmark.h>

#include <QAbstractItemModel>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <set>

#include "bench/BenchIterations.h"
#include "discovery/DeviceTable.h"
#include "discovery/SearchDlg.h"
#include "sim/DeviceSimulator.h"
#include "transport/SocketShim.h"
#include "transport/TransportSettings.h"
#include "widgets/ReportListCtrl.h"

#ifdef __linux__
#include <sys/resource.h>
#endif

namespace {

using namespace varlo;

double ThreadCpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Datagrams the kernel dropped because the receive buffer of the UDP socket bound to port was
// full; -1 where the system does not tell.
long KernelDrops(uint16_t port) {
#ifdef __linux__
    FILE* f = std::fopen("/proc/net/udp", "r");
    if (f == nullptr) {
        return -1;
    }
    char line[512];
    long drops = -1;
    while (std::fgets(line, sizeof line, f) != nullptr) {
        // sl local_address rem_address st tx:rx tr:when retrnsmt uid timeout inode ref pointer
        // drops
        unsigned slot, localAddr, localPort;
        long lineDrops;
        if (std::sscanf(line, " %u: %x:%x %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %ld", &slot,
                        &localAddr, &localPort, &lineDrops) == 4 &&
            localPort == port) {
            drops = lineDrops;
        }
    }
    std::fclose(f);
    return drops;
#else
    (void)port;
    return -1;
#endif
}

double PeakMemoryMb() {
#ifdef __linux__
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes
#else
    return -1;
#endif
}

// Watches the dialog as it closes, while its socket is still open: how many replies the kernel
// dropped, and how many are waiting unread (and will be lost with the socket).
class CloseWatch : public QObject {
public:
    long drops = -1;
    long unread = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Close || drops >= 0) {
            return false;
        }
        const auto* notifier = watched->findChild<QSocketNotifier*>();
        if (notifier == nullptr) {
            return false;
        }
        const auto socket = static_cast<net::SocketHandle>(notifier->socket());
        drops = KernelDrops(net::LocalPort(socket));
        uint8_t buffer[256];
        while (net::ReceiveFrom(socket, buffer, sizeof buffer) >= 0) {
            ++unread;
        }
        return false;
    }
};

void BM_SearchDialog(benchmark::State& state) {
    const auto devices = static_cast<std::size_t>(state.range(0));
    sim::SimOptions options;
    options.searchDelayMinMs = 0;
    options.searchDelayMaxMs = 999;
    sim::DeviceSimulator simulator(sim::GeneratedRig(devices, 5), options);
    if (!simulator.Start()) {
        state.SkipWithError("cannot start the simulator on loopback");
        return;
    }
    Transport().targetAddr = simulator.Address();
    Transport().targetPort = simulator.Port();
    Transport().searchLocalPort = 0;

    double rows = 0, unique = 0, drops = 0, unread = 0, batches = 0, paints = 0;
    double stallMs = 0, cpu = 0;
    // The simulator and its rig live in this process too: the peak before the search opens is
    // theirs and the start-up's.
    const double peakBefore = PeakMemoryMb();
    for (auto _ : state) {
        ui::CSearchDlg dlg;
        CloseWatch closing;
        dlg.installEventFilter(&closing);
        int inserted = 0;
        QObject::connect(dlg.ResultList()->model(), &QAbstractItemModel::rowsInserted,
                         [&inserted] { ++inserted; });
        struct PaintCount : QObject {
            int count = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                count += event->type() == QEvent::Paint;
                return false;
            }
        } painted;
        dlg.ResultList()->viewport()->installEventFilter(&painted);

        // A 10 ms timer on the same thread: the longest gap between its ticks is the longest
        // time the operator's clicks would have waited.
        QTimer sampler;
        QElapsedTimer sinceTick;
        qint64 longestGap = 0;
        QObject::connect(&sampler, &QTimer::timeout,
                         [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        sampler.start(10);
        sinceTick.start();

        const double cpuStart = ThreadCpuSeconds();
        dlg.exec();
        cpu = ThreadCpuSeconds() - cpuStart;

        std::set<std::array<uint8_t, 12>> identities;
        for (std::size_t i = 0; i < g_arrConfigParam.GetSize(); ++i) {
            std::array<uint8_t, 12> id;
            std::memcpy(id.data(), g_arrConfigParam[i].data(), id.size());
            identities.insert(id);
        }
        rows = dlg.ResultList()->RowCount();
        unique = static_cast<double>(identities.size());
        drops = static_cast<double>(closing.drops);
        unread = static_cast<double>(closing.unread);
        batches = inserted;
        paints = painted.count;
        stallMs = static_cast<double>(longestGap) - 10;
    }
    state.counters["devices"] = static_cast<double>(devices);
    state.counters["rows"] = rows;
    state.counters["table"] = static_cast<double>(g_arrConfigParam.GetSize());
    state.counters["unique"] = unique;
    state.counters["kernel_drops"] = drops;
    state.counters["unread_at_close"] = unread;
    state.counters["lost"] = drops + unread;
    state.counters["row_batches"] = batches;
    state.counters["list_paints"] = paints;
    state.counters["max_stall_ms"] = stallMs;
    state.counters["ui_cpu_s"] = cpu;
    state.counters["peak_before_mb"] = peakBefore;
    state.counters["peak_mb"] = PeakMemoryMb();
    g_arrConfigParam.RemoveAll();
}
BENCHMARK(BM_SearchDialog)
    ->Apply([](benchmark::internal::Benchmark* b) {
        bench::ArgSets(b, {{1000}, {5000}, {10000}});
    })
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
