// Whole-file reads and writes for tests, the fuzzer and the benchmark.
#pragma once

#include <string>

// Every byte of the file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& name);
bool FileExists(const std::string& name);
void WriteFileBytes(const std::string& name, const std::string& bytes);
