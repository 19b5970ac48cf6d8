#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <vector>

namespace {

// The console's figures, and whether a benchmark failed: a failed run is no
// figure, and the exit status says so.
class FailureNoting : public benchmark::ConsoleReporter {
 public:
  FailureNoting() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) failed = failed || run.error_occurred;
    ConsoleReporter::ReportRuns(runs);
  }
  bool failed = false;
};

}  // namespace

int RunBenchmarksInScratchDirectory(int argc, char** argv, bool (*prepare)()) {
  char directory[] = "/tmp/kelvane-bench-XXXXXX";
  if (mkdtemp(directory) == nullptr || chdir(directory) != 0) return 1;
  if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
  int status = 1;
  if (prepare()) {
    benchmark::Initialize(&argc, argv);
    FailureNoting console;
    console.SetOutputStream(&std::cerr);
    console.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&console);
    benchmark::Shutdown();
    status = console.failed ? 1 : 0;
  } else {
    std::cerr << "could not prepare the benchmarks' files\n";
  }
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
  return status;
}
