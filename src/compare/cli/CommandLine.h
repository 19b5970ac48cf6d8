// kelvane-compare's command line: its options, read into one value.
#pragma once

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <vector>

#include "compare/comparison/Columns.h"
#include "compare/comparison/Conditions.h"
#include "compare/read/Inputs.h"

namespace kelvane {

extern const char kUsage[];

struct Options {
  std::optional<std::filesystem::path> html, json, jsonl;
  std::vector<Argument> reports;
  std::vector<Condition> conditions;
  Grouping grouping = Grouping::EveryRow;
  MachineRule machines = MachineRule::Any;
  bool coverage = false, files = false, null = false, skipBad = false,
       noFollow = false, help = false, version = false;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws UsageError, saying what is wrong in one line.
Options ParseOptions(const std::vector<Argument>& arguments);

}  // namespace kelvane
