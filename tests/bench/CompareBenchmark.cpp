// kelvane-compare over 1,000 one-adapter reports against the floor of only
// reading the same files' bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "BenchmarkMain.h"
#include "compare/CompareRun.h"
#include "driver/DeviceCapsReport.h"
#include "support/Files.h"
#include "support/SampleRecords.h"
#include "support/ScriptedSource.h"

namespace {

constexpr unsigned kReports = 1000;
std::vector<std::string> g_files;

// Machines of four kinds, so that some rows differ.
bool WriteReports() {
  for (unsigned n = 0; n < kReports; ++n) {
    Script script;
    script.adapters.push_back(
        {MakeSampleIdentifier(n % 4), MakeSampleCaps(n % 4)});
    if (WriteDeviceCapsReport(UseScript(script)) != 0) return false;
    g_files.push_back("report-" + std::to_string(n) + ".html");
    std::filesystem::rename("DeviceCaps.html", g_files.back());
  }
  return true;
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
}

void BM_Compare(benchmark::State& state) {
  for (auto _ : state) {
    std::ostringstream out, err;
    if (kelvane::RunCompare(kelvane::ArgumentsOf(g_files), out, err) != 1) {
      state.SkipWithError(("the comparison failed: " + err.str()).c_str());
      break;
    }
    benchmark::DoNotOptimize(out.str().size());
  }
}

BENCHMARK(BM_ReadBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Compare)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksInScratchDirectory(argc, argv, WriteReports);
}
