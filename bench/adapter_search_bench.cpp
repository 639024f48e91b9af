// A search out of four adapters with 1,000 devices behind each, and an IP Search of a /16.
// Loopback only: loopback addresses 127.0.0.2 to 127.0.0.5 stand in for four adapters, each
// with a simulator of its own (127.1.0.1 to 127.1.0.4) for its segment; the IP Search asks
// 127.1.0.0/16, where one simulator answers at the addresses of its 1,000 devices.
#include <benchmark/benchmark.h>

#include <chrono>

#include "discovery/IpSearchSession.h"
#include "discovery/SearchSession.h"
#include "sim/CommandSet.h"
#include "sim/DeviceSimulator.h"
#include "transport/TransportSettings.h"

namespace {

using namespace varlo;
using Clock = std::chrono::steady_clock;

constexpr int kAdapters = 4;
constexpr std::size_t kDevicesPerSegment = 1000;

std::vector<NetAdapter>& StandIns() {
    static std::vector<NetAdapter> adapters;
    return adapters;
}
std::vector<NetAdapter> StandInSource() {
    return StandIns();
}

uint32_t LoopbackIndex() {
    for (const NetAdapter& a : SystemAdapters()) {
        if (a.loopback) {
            return a.index;
        }
    }
    return 0;
}

// The search dialog's timing; counts what the table holds when the second request goes out,
// which lists every device found so far.
void BM_FourAdaptersThousandEach(benchmark::State& state) {
    const uint32_t lo = LoopbackIndex();
    if (lo == 0) {
        state.SkipWithError("no loopback adapter");
        return;
    }
    sim::SimOptions options;
    options.searchDelayMinMs = 0;
    options.searchDelayMaxMs = 999;
    std::vector<std::unique_ptr<sim::DeviceSimulator>> sims;
    StandIns().clear();
    uint16_t port = 0;
    for (int k = 0; k < kAdapters; ++k) {
        sims.push_back(std::make_unique<sim::DeviceSimulator>(
            sim::GeneratedRig(kDevicesPerSegment, static_cast<uint32_t>(k + 1)), options));
        if (!sims.back()->Start(0x7F010001 + static_cast<uint32_t>(k), port)) {
            state.SkipWithError("cannot start a simulator on loopback");
            return;
        }
        port = sims.back()->Port();
        NetAdapter a;
        a.name = "standin" + std::to_string(k);
        a.index = lo;
        a.addr = 0x7F000002 + static_cast<uint32_t>(k);
        a.mask = 0xFFFFFF00;
        a.up = true;
        a.broadcastTo = 0x7F010001 + static_cast<uint32_t>(k);
        StandIns().push_back(a);
    }
    TransportSettings& t = Transport();
    t.targetAddr = kLimitedBroadcast;
    t.everyAdapter = true;
    t.targetPort = port;
    t.searchLocalPort = 0;
    t.adapterSource = &StandInSource;

    double atSecond = 0;
    double atEnd = 0;
    double allListedMs = -1;
    for (auto _ : state) {
        CConfigParamArray table;
        SearchSession session(table);
        int ticks = 0;
        const auto start = Clock::now();
        session.Open();
        auto nextTick = start + std::chrono::milliseconds(SearchSession::kFirstTickMs);
        for (;;) {
            const auto now = Clock::now();
            if (now >= nextTick) {
                if (++ticks == 2) {
                    atSecond = static_cast<double>(table.GetSize());
                }
                if (!session.Tick()) {
                    break;
                }
                nextTick = now + std::chrono::milliseconds(SearchSession::kTickMs);
                continue;
            }
            const int waitMs = static_cast<int>(
                std::chrono::ceil<std::chrono::milliseconds>(nextTick - now).count());
            if (net::WaitReadable(session.Socket().Descriptor(), waitMs)) {
                session.ReadWaiting(512);
                if (allListedMs < 0 && table.GetSize() >= kAdapters * kDevicesPerSegment) {
                    allListedMs =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                }
            }
        }
        session.Close();
        atEnd = static_cast<double>(table.GetSize());
    }
    state.counters["expected"] = kAdapters * kDevicesPerSegment;
    state.counters["listed_at_2nd_request"] = atSecond;
    state.counters["listed_at_end"] = atEnd;
    state.counters["all_listed_ms"] = allListedMs;
    for (auto& s : sims) {
        s->Stop();
    }
}
BENCHMARK(BM_FourAdaptersThousandEach)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// 65,536 addresses at the default rate; 1,000 devices spread over them.
void BM_IpSearchSlash16(benchmark::State& state) {
    sim::Rig rig;
    for (uint32_t i = 0; i < kDevicesPerSegment; ++i) {
        const uint32_t ip = 0x7F010001 + i * 65;
        rig.devices.push_back(
            sim::MakeSimDevice(0x90000004, {0x02, 0x57, 0, 0, uint8_t(i >> 8), uint8_t(i)},
                               {127, uint8_t(ip >> 16), uint8_t(ip >> 8), uint8_t(ip)}));
        sim::InstallFactoryBlocks(rig.devices.back(), i);
    }
    sim::SimOptions options;
    options.answerOwnAddressOnly = true;
    options.searchDelayMinMs = 0;
    options.searchDelayMaxMs = 50;
    sim::DeviceSimulator simulator(std::move(rig), options);
    if (!simulator.Start(0, 0)) {
        state.SkipWithError("cannot start the simulator");
        return;
    }
    Transport().targetPort = simulator.Port();
    Transport().searchLocalPort = 0;
    const IpRange range = *ParseIpRange("127.1.0.0/16");
    double found = 0;
    double seconds = 0;
    double failed = 0;
    for (auto _ : state) {
        CConfigParamArray table;
        IpSearchSession session(table);
        const auto start = Clock::now();
        RunIpSearch(session, range, IpSearchSession::kDefaultRate, [](std::size_t) {});
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        found = static_cast<double>(session.Found());
        failed = session.Failed();
    }
    state.counters["addresses"] = range.count;
    state.counters["expected"] = kDevicesPerSegment;
    state.counters["found"] = found;
    state.counters["lost"] = kDevicesPerSegment - found;
    state.counters["send_failures"] = failed;
    state.counters["seconds"] = seconds;
    simulator.Stop();
}
BENCHMARK(BM_IpSearchSlash16)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
