#pragma once
// How many iterations a benchmark with a fixed count runs, and which sizes. The smoke run
// (scripts/bench --smoke, in CI) sets VARLO_BENCH_SMOKE so that every benchmark runs once, on
// its smallest size: enough to show it still runs to completion, not to judge its figures.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace varlo::bench {

inline bool SmokeRun() {
    return std::getenv("VARLO_BENCH_SMOKE") != nullptr;
}

inline benchmark::IterationCount Iterations(benchmark::IterationCount n) {
    return SmokeRun() ? 1 : n;
}

// A benchmark's argument sets, smallest first: all of them, or in the smoke run the first alone
// (a rig of thousands run sequentially takes minutes, and says nothing more about rot).
inline void ArgSets(benchmark::internal::Benchmark* b,
                    const std::vector<std::vector<int64_t>>& sets) {
    for (const std::vector<int64_t>& args : sets) {
        b->Args(args);
        if (SmokeRun()) {
            break;
        }
    }
}

}  // namespace varlo::bench
