// The benchmarks' shared main: a scratch directory of their own as the
// working directory, the program's console lines nowhere, the figures on
// standard error.
#pragma once

// Runs `prepare` in the scratch directory first; 1 when it fails, or when
// a benchmark fails.
int RunBenchmarksInScratchDirectory(int argc, char** argv, bool (*prepare)());
