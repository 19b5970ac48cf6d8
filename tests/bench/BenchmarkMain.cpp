#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

int RunBenchmarksInScratchDirectory(int argc, char** argv, bool (*prepare)()) {
  char directory[] = "/tmp/kelvane-bench-XXXXXX";
  if (mkdtemp(directory) == nullptr || chdir(directory) != 0) return 1;
  if (std::freopen("/dev/null", "w", stdout) == nullptr) return 1;
  int status = 1;
  if (prepare()) {
    benchmark::Initialize(&argc, argv);
    benchmark::ConsoleReporter console(benchmark::ConsoleReporter::OO_Tabular);
    console.SetOutputStream(&std::cerr);
    console.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&console);
    benchmark::Shutdown();
    status = 0;
  } else {
    std::cerr << "could not prepare the benchmarks' files\n";
  }
  std::error_code ignored;
  std::filesystem::remove_all(directory, ignored);
  return status;
}
