// Discovery of large simulated rigs through the search socket's non-blocking receive path, and
// the cost of building the largest search request. Loopback only.
#include <benchmark/benchmark.h>

#include <ctime>

#include "bench/BenchIterations.h"
#include "discovery/SearchProtocol.h"
#include "discovery/SearchSession.h"
#include "sim/DeviceSimulator.h"
#include "transport/TransportSettings.h"

namespace {

using namespace varlo;

double ThreadCpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// One whole search (five requests a second apart) against a rig whose devices each answer at a
// random moment within a second of a request, received one datagram per readable
// notification as the dialog receives them.
void BM_Discovery(benchmark::State& state) {
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

    double captured = 0;
    double cpu = 0;
    for (auto _ : state) {
        CConfigParamArray table;
        SearchSession session(table);
        const double cpuStart = ThreadCpuSeconds();
        RunSearch(session, [](std::size_t) {});
        cpu = ThreadCpuSeconds() - cpuStart;
        captured = static_cast<double>(table.GetSize());
    }
    state.counters["expected"] = static_cast<double>(devices);
    state.counters["captured"] = captured;
    state.counters["lost"] = static_cast<double>(devices) - captured;
    state.counters["receiver_cpu_s"] = cpu;
}
BENCHMARK(BM_Discovery)
    ->Apply([](benchmark::internal::Benchmark* b) {
        bench::ArgSets(b, {{1000}, {5000}});
    })
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_BuildLargestSearchRequest(benchmark::State& state) {
    CConfigParamArray table;
    for (std::size_t i = 0; i < kMaxListedIdentities; ++i) {
        uint8_t record[16] = {};
        record[10] = static_cast<uint8_t>(i >> 8);
        record[11] = static_cast<uint8_t>(i);
        table.Add(_CONFIGPARAM::FromBytes(record));
    }
    for (auto _ : state) {
        Bytes request = BuildSearchRequest(table);
        benchmark::DoNotOptimize(request.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(8 + 12 * kMaxListedIdentities));
}
BENCHMARK(BM_BuildLargestSearchRequest)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
