// The simulator's memory under a flood of the largest datagrams (2,000 of 65,507 bytes, 131 MB),
// with its request log kept (tests, varlo-devsim --verbose) and without. The log keeps the
// latest datagrams within 8 MB, so the process grows by about that much and no more. Loopback
// only; Linux (the resident size comes from /proc/self/statm).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include "sim/DeviceSimulator.h"
#include "transport/SocketShim.h"

namespace {

using namespace varlo;

constexpr std::size_t kMaxUdpPayload = 65507;

double ResidentMb() {
    long pages = 0;
    long resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

void BM_Flood(benchmark::State& state) {
    const auto datagrams = static_cast<std::size_t>(state.range(0));
    sim::SimOptions options;
    options.recordRequests = state.range(1) != 0;
    sim::DeviceSimulator simulator(sim::DemoRig(), options);
    if (!simulator.Start()) {
        state.SkipWithError("cannot start the simulator on loopback");
        return;
    }
    const net::SocketHandle s = net::OpenUdp();
    Bytes datagram(kMaxUdpPayload, 0x42);
    const double before = ResidentMb();
    for (auto _ : state) {
        for (std::size_t i = 0; i < datagrams; ++i) {
            const uint64_t received = simulator.Received();
            net::SendTo(s, simulator.Address(), simulator.Port(), datagram.data(), datagram.size());
            while (simulator.Received() == received) {  // none lost to a full buffer
                net::SleepMs(0);
            }
        }
    }
    net::Close(s);
    state.counters["sent_MB"] = static_cast<double>(datagrams * kMaxUdpPayload) / 1e6;
    state.counters["log_MB"] = static_cast<double>(simulator.LogBytes()) / 1e6;
    state.counters["rss_growth_MB"] = ResidentMb() - before;
}
BENCHMARK(BM_Flood)
    ->ArgNames({"datagrams", "record"})
    ->Args({2000, 1})
    ->Args({2000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
