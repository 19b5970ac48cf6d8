// The cost of a report against its floor: the same number of open / write /
// close calls with the same bytes, and nothing else.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "BenchmarkMain.h"
#include "driver/DeviceCapsReport.h"
#include "support/Files.h"
#include "support/SampleRecords.h"
#include "support/ScriptedSource.h"

namespace {

// The report's lines as written, each with its CR LF; empty, with the
// benchmark told why, when the run failed.
std::vector<std::string> ReportLines(benchmark::State& state,
                                     unsigned adapters) {
  Script script = MakeSampleScript(adapters);
  if (WriteDeviceCapsReport(UseScript(script)) != 0) {
    state.SkipWithError("the report run failed");
    return {};
  }
  const std::string bytes = ReadFileBytes("DeviceCaps.html");
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", start);
    const std::size_t next = end == std::string::npos ? bytes.size() : end + 2;
    lines.push_back(bytes.substr(start, next - start));
    start = next;
  }
  return lines;
}

void BM_Report(benchmark::State& state) {
  const auto adapters = static_cast<unsigned>(state.range(0));
  const std::vector<std::string> lines = ReportLines(state, adapters);
  Script script = MakeSampleScript(adapters);
  for (auto _ : state) {
    script.calls.clear();
    if (WriteDeviceCapsReport(UseScript(script)) != 0) {
      state.SkipWithError("the report run failed");
      break;
    }
  }
  state.counters["lines"] = static_cast<double>(lines.size());
}

void BM_Floor(benchmark::State& state) {
  const std::vector<std::string> lines =
      ReportLines(state, static_cast<unsigned>(state.range(0)));
  for (auto _ : state) {
    bool first = true;
    for (const std::string& line : lines) {
      const int file = open(
          "DeviceCaps.html",
          O_WRONLY | O_CREAT | O_CLOEXEC | (first ? O_TRUNC : O_APPEND), 0666);
      benchmark::DoNotOptimize(write(file, line.data(), line.size()));
      close(file);
      first = false;
    }
  }
  state.counters["lines"] = static_cast<double>(lines.size());
}

BENCHMARK(BM_Report)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Floor)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksInScratchDirectory(argc, argv, [] { return true; });
}
