// What the COM mapping pane pays when it is created and each time the add dialog opens: every
// COM number read through the registry-export stand-in (the demo registry), and the export's
// parse on its own.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "comport/ComMapEntry.h"
#include "comport/ComMapping.h"
#include "comport/ComRegistrySource.h"
#include "comport/RegFile.h"
#include "comport/SerialDriver.h"

namespace {

using namespace varlo;

void BM_ReadEveryComNumber(benchmark::State& state) {
    if (!UseDemoComRegistry() || StartSerialDriver() == nullptr) {
        state.SkipWithError("demo registry not found");
        return;
    }
    for (auto _ : state) {
        int listed = 0;
        for (int n = 1; n <= kMaxComNumber; ++n) {
            listed += IsListedComState(ReadComMapEntry(n).nState) ? 1 : 0;
        }
        benchmark::DoNotOptimize(listed);
    }
}
BENCHMARK(BM_ReadEveryComNumber)->Unit(benchmark::kMillisecond);

// A registry export of the driver's parameters for every COM number.
void BM_ParseLargeExport(benchmark::State& state) {
    std::ostringstream text;
    text << "Windows Registry Editor Version 5.00\r\n\r\n";
    for (int n = 1; n <= kMaxComNumber; ++n) {
        text << "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\TUNCOM\\Parameters\\COM"
             << n << "]\r\n\"IP\"=dword:3201a8c0\r\n\"PORT\"=dword:00000001\r\n"
             << "\"REPORT\"=dword:00000000\r\n\"KEEPALIVE\"=dword:00000000\r\n"
             << "\"SHARE\"=dword:00000000\r\n\"DISABLE\"=dword:00000000\r\n\r\n";
    }
    const std::string bytes = text.str();
    for (auto _ : state) {
        CRegFile file;
        benchmark::DoNotOptimize(file.Parse(bytes, nullptr));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseLargeExport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
