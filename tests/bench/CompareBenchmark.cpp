// kelvane-compare over a fleet of one-adapter reports of eight kinds of
// machine (Fleet.h), against the floor of only reading the same files'
// bytes.
// KELVANE_BENCH_REPORTS sets the fleet's size (1,000 unless told).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BenchmarkMain.h"
#include "Fleet.h"
#include "compare/cli/CompareRun.h"
#include "support/Files.h"

namespace {

std::vector<std::string> g_files;

unsigned FleetSize() {
  const char* size = std::getenv("KELVANE_BENCH_REPORTS");
  return size != nullptr && std::atoi(size) > 0
             ? static_cast<unsigned>(std::atoi(size))
             : 1000;
}

bool WriteReports() {
  g_files = WriteFleet("fleet", FleetSize());
  return !g_files.empty();
}

void BM_ReadBytes(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = 0;
    for (const std::string& file : g_files) bytes += ReadFileBytes(file).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetBytesProcessed(
      static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["reports"] = static_cast<double>(g_files.size());
}

void Compare(benchmark::State& state, const std::vector<std::string>& options) {
  std::vector<std::string> arguments = options;
  arguments.push_back("fleet");
  for (auto _ : state) {
    std::ostringstream out, err;
    if (kelvane::RunCompare(kelvane::ArgumentsOf(arguments), out, err) != 1) {
      state.SkipWithError(("the comparison failed: " + err.str()).c_str());
      break;
    }
    benchmark::DoNotOptimize(out.str().size());
  }
  state.counters["reports"] = static_cast<double>(g_files.size());
}

void BM_Compare(benchmark::State& state) { Compare(state, {}); }

void BM_CompareEveryOutput(benchmark::State& state) {
  Compare(state, {"--coverage", "--html", "page.html", "--json", "all.json",
                  "--jsonl", "all.jsonl"});
}

BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compare)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareEveryOutput)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksInScratchDirectory(argc, argv, WriteReports);
}
