// Every adapter of every report as one column, and every row that any of
// them shows, in the reports' order.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "compare/Report.h"

namespace kelvane {

struct ComparedRow {
  std::string table;
  std::string group;  // the flag group, or empty
  std::string label;
  // One per column; empty where that adapter's report has no such row.
  std::vector<std::optional<std::string>> values;
  bool differs = false;
};

struct Comparison {
  std::vector<std::string> columns;  // "FILE #N (DESCRIPTION)"
  std::vector<ComparedRow> rows;
  std::size_t reports = 0;

  std::size_t DifferingRows() const;
};

Comparison CompareReports(const std::vector<Report>& reports);

// "3 of 270 rows differ across 2 adapters in 2 reports"
std::string Summarize(const Comparison& comparison);

}  // namespace kelvane
