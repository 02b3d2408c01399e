// Saving and loading a history of 100,000 pairs through the real files, in a scratch
// directory that becomes the working directory for the run.

#include "office_history.h"

#include "store/history_file.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

using vellix::PairList;

constexpr std::size_t PAIRS = 100000;

// Moves into a fresh directory of its own and back out, removing it.
class ScratchDirectory {
public:
    ScratchDirectory() : previous_(std::filesystem::current_path()) {
        path_ = std::filesystem::temp_directory_path() / "vellix-history-benchmark";
        std::filesystem::remove_all(path_);
        std::filesystem::create_directory(path_);
        std::filesystem::current_path(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

void BM_SaveHistory(benchmark::State& state) {
    const ScratchDirectory scratch;
    const vellix::DialingHistory history = vellix::historyOf(vellix::bench::officeHistory(PAIRS));
    for (auto _ : state) {
        if (!vellix::saveHistory(history))
            state.SkipWithError("saveHistory failed");
    }
    state.counters["fileMB"] =
        static_cast<double>(std::filesystem::file_size(vellix::HISTORY_FILE)) / 1e6;
}

void BM_LoadHistory(benchmark::State& state) {
    const ScratchDirectory scratch;
    if (!vellix::saveHistory(vellix::historyOf(vellix::bench::officeHistory(PAIRS)))) {
        state.SkipWithError("saveHistory failed");
        return;
    }
    std::size_t loaded = 0;
    for (auto _ : state) {
        vellix::DialingHistory history;
        vellix::loadHistory(history);
        loaded = history.size();
        benchmark::DoNotOptimize(history.learningPairs().data());
    }
    if (loaded != PAIRS)
        state.SkipWithError("not every pair read back");
}

// The floor under loading: a fresh list of that many pairs written once, page by page,
// without reading anything.
void BM_FillFreshPairList(benchmark::State& state) {
    for (auto _ : state) {
        PairList history(PAIRS);
        benchmark::DoNotOptimize(history.data());
    }
}

} // namespace

BENCHMARK(BM_FillFreshPairList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveHistory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadHistory)->Unit(benchmark::kMillisecond);
