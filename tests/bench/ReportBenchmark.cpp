// The cost of a report against its floor: the same number of open / write /
// close calls with the same bytes, and nothing else.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "driver/DeviceCapsReport.h"
#include "support/SampleRecords.h"
#include "support/ScriptedSource.h"

namespace {

std::vector<std::string> ReportLines(unsigned adapters) {
  Script script = MakeSampleScript(adapters);
  WriteDeviceCapsReport(UseScript(script));
  std::ifstream file("DeviceCaps.html", std::ios::binary);
  const std::string bytes(std::istreambuf_iterator<char>(file), {});
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t end = bytes.find("\r\n", start) + 2;
    lines.push_back(bytes.substr(start, end - start));
    start = end;
  }
  return lines;
}

void BM_Report(benchmark::State& state) {
  const auto adapters = static_cast<unsigned>(state.range(0));
  Script script = MakeSampleScript(adapters);
  for (auto _ : state) {
    script.calls.clear();
    benchmark::DoNotOptimize(WriteDeviceCapsReport(UseScript(script)));
  }
  state.counters["lines"] = static_cast<double>(ReportLines(adapters).size());
}

void BM_Floor(benchmark::State& state) {
  const std::vector<std::string> lines =
      ReportLines(static_cast<unsigned>(state.range(0)));
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
  // The report goes to a directory of its own, its console lines nowhere;
  // the figures go to standard error.
  char directory[] = "/tmp/kelvane-bench-XXXXXX";
  if (mkdtemp(directory) == nullptr || chdir(directory) != 0) return 1;
  if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::ConsoleReporter console;
  console.SetOutputStream(&std::cerr);
  console.SetErrorStream(&std::cerr);
  benchmark::RunSpecifiedBenchmarks(&console);
  benchmark::Shutdown();
  std::remove("DeviceCaps.html");
  rmdir(directory);
  return 0;
}
