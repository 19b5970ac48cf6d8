// Every adapter of every report, grouped into configurations: adapters that
// show the same value in every row. Each configuration's values are kept
// once; of an adapter only its report and number, so a fleet of reports
// needs memory for its distinct configurations, not for its adapters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "compare/Report.h"

namespace kelvane {

struct Configuration {
  // One per row of AdapterRows(), as UTF-8.
  std::vector<std::string> values;
  std::size_t firstAdapter = 0;  // its name, an index into Adapters()
  std::size_t adapters = 0;
};

struct AdapterEntry {
  std::uint32_t report;  // an index into Files()
  std::uint32_t number;  // the adapter's number in its report
  std::uint32_t configuration;
};

class Comparison {
 public:
  // Takes in every adapter of the report, in order; gives each one's
  // configuration.
  std::vector<std::size_t> Add(const Report& report);

  // Configurations in the order of their first adapter.
  const std::vector<Configuration>& Configurations() const {
    return configurations_;
  }
  const std::vector<AdapterEntry>& Adapters() const { return adapters_; }
  // The reports' names as UTF-8, in the order they were added.
  const std::vector<std::string>& Files() const { return files_; }

  // "FILE #N (DESCRIPTION)"
  std::string AdapterName(std::size_t adapter) const;
  // The configuration's first adapter's name.
  std::string ColumnName(std::size_t configuration) const;

  bool Differs(std::size_t row) const;
  std::size_t DifferingRows() const;

 private:
  std::size_t ConfigurationOf(const AdapterCells& adapter);

  std::vector<Configuration> configurations_;
  std::vector<AdapterEntry> adapters_;
  std::vector<std::string> files_;
  // A configuration by its values, NUL-joined: as the report holds them,
  // and as UTF-8.
  std::unordered_map<std::string, std::size_t> byBytes_, byValues_;
};

// "51 of 241 rows differ across 2000 adapters (8 configurations) in 2000
// reports"; the configurations only where adapters are alike.
std::string Summarize(const Comparison& comparison, std::size_t skipped = 0);

}  // namespace kelvane
