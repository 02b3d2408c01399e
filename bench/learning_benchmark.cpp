// Rule learning over long generated histories: the time deriveWorkingRules takes, the growth
// fitted over the sizes, and its peak heap use against the history's own size.

#include "allocation_counter.h"
#include "office_history.h"

#include "rules/rule_learning.h"

#include <benchmark/benchmark.h>

namespace {

using vellix::PairList;

template <PairList (*MAKE)(std::size_t, std::uint32_t)>
void BM_DeriveWorkingRules(benchmark::State& state) {
    const auto pairs = static_cast<std::size_t>(state.range(0));
    const PairList history = MAKE(pairs, 1);
    std::size_t rules = 0;
    for (auto _ : state) {
        const vellix::RuleSet working = vellix::deriveWorkingRules({}, history);
        rules = working.size();
        benchmark::DoNotOptimize(rules);
    }
    state.SetComplexityN(state.range(0));

    // Once more, untimed, for the heap: the copy of the history the learner is handed counts.
    const std::size_t before = vellix::bench::allocatedBytes();
    vellix::bench::resetPeakAllocation();
    benchmark::DoNotOptimize(vellix::deriveWorkingRules({}, history).size());
    const double historyBytes = static_cast<double>(history.size() * sizeof(vellix::NumberPair));
    state.counters["rules"] = static_cast<double>(rules);
    state.counters["peakMB"] =
        static_cast<double>(vellix::bench::peakAllocatedBytes() - before) / 1e6;
    state.counters["peak/history"] =
        static_cast<double>(vellix::bench::peakAllocatedBytes() - before) / historyBytes;
}

} // namespace

BENCHMARK_TEMPLATE(BM_DeriveWorkingRules, vellix::bench::officeHistory)
    ->Name("DeriveWorkingRules/office")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK_TEMPLATE(BM_DeriveWorkingRules, vellix::bench::officeHistory)
    ->Name("DeriveWorkingRules/office-fit")
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oAuto);
BENCHMARK_TEMPLATE(BM_DeriveWorkingRules, vellix::bench::distinctPrefixHistory)
    ->Name("DeriveWorkingRules/distinct-prefixes")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
