// The Art-Net dialogs' work without the window: opening a LUMA-8 (four reads against a simulated
// node that answers at once; the exchange's 100 ms poll step makes the floor 400 ms), building a
// DMX port block, and the sub-net rule of a four-port page as one keystroke runs it. The widgets
// on top are measured by ui_artnet_dialog_bench. Loopback only.
#include <benchmark/benchmark.h>

#include <string>

#include "artnet/ArtNetConfig.h"
#include "discovery/DeviceType.h"
#include "sim/CommandSet.h"
#include "sim/DeviceSimulator.h"
#include "transport/TransportSettings.h"

namespace {

using namespace varlo;

const artnet::ArtNetModel& Luma8() {
    return *artnet::FindArtNetModel(DEVTYPE_LUMA_8);
}

void BM_OpenLuma8(benchmark::State& state) {
    sim::Rig rig;
    rig.devices.push_back(
        sim::MakeSimDevice(DEVTYPE_LUMA_8, {0, 0x1A, 0x2B, 0x3C, 0x4D, 8}, {192, 168, 1, 58}));
    sim::InstallFactoryBlocks(rig.devices[0], 0);
    const DeviceIdentity identity = rig.devices[0].Identity();
    sim::DeviceSimulator simulator(std::move(rig));
    if (!simulator.Start()) {
        state.SkipWithError("simulator did not start");
        return;
    }
    const TransportSettings saved = Transport();
    Transport().targetAddr = simulator.Address();
    Transport().targetPort = simulator.Port();
    for (auto _ : state) {
        artnet::ArtNetConfig config(Luma8(), identity);
        if (config.Open() != 4) {
            state.SkipWithError("a read failed");
            break;
        }
    }
    state.counters["floor_ms"] = 4 * 100;
    Transport() = saved;
}
BENCHMARK(BM_OpenLuma8)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// A NodeA page filled from a port block whose four ports output one sub-net.
artnet::DmxPortPage FilledPage(_ARTNETDMXPARAM* block) {
    for (std::size_t k = 0; k < 4; ++k) {
        _DMXPORTPARAM r;
        r.SetPortMode(1);
        r.SetUniverse(static_cast<uint8_t>(0x10 + k));
        r.SetFrameRate(40);
        r.SetMergeMode(1);
        block->SetPort(k, r);
    }
    block->StampChecksum();
    artnet::DmxPortPage page(Luma8().portPages[0]);
    page.Fill(*block);
    return page;
}

void BM_BuildPortBlock(benchmark::State& state) {
    _ARTNETDMXPARAM saved;
    artnet::DmxPortPage page = FilledPage(&saved);
    for (auto _ : state) {
        benchmark::DoNotOptimize(page.Build(saved));
    }
}
BENCHMARK(BM_BuildPortBlock)->Unit(benchmark::kMicrosecond);

void BM_SubNetRuleFourPorts(benchmark::State& state) {
    _ARTNETDMXPARAM saved;
    artnet::DmxPortPage page = FilledPage(&saved);
    const std::string texts[] = {"35", "18"};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(page.SetUniverseText(0, texts[i++ % 2]));
    }
}
BENCHMARK(BM_SubNetRuleFourPorts)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
