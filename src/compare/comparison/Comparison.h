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

#include "compare/comparison/Conditions.h"
#include "compare/read/Report.h"

namespace kelvane {

struct Configuration {
  // One per row of AdapterRows(), as UTF-8.
  std::vector<std::string> values;
  std::size_t firstAdapter = 0;  // its name, an index into Adapters()
  std::size_t adapterCount = 0;
  // Its capabilities (IsCapability's rows): an index into CapabilitySets().
  std::uint32_t capabilities = 0;
};

// Configurations that show the same capabilities, whatever their identity
// rows and AdapterOrdinal.
struct CapabilitySet {
  std::size_t firstConfiguration = 0;
  std::size_t adapterCount = 0;
};

struct AdapterEntry {
  std::uint32_t report;  // an index into Files()
  std::uint32_t number;  // the adapter's number in its report
  std::uint32_t configuration;
};

class Comparison {
 public:
  // Only the adapters that meet every condition take part, of the machines
  // that take part by the rule.
  explicit Comparison(std::vector<Condition> conditions = {},
                      MachineRule rule = MachineRule::Any);

  const std::vector<Condition>& Conditions() const { return conditions_; }
  // Every report and adapter read, whether it takes part or not.
  std::size_t ReportsRead() const { return reportsRead_; }
  std::size_t AdaptersRead() const { return adaptersRead_; }
  MachineRule Rule() const { return rule_; }

  // Takes in the report's adapters that take part, in order, and gives each
  // one's configuration; a report with none is not taken.
  std::vector<std::size_t> Add(const Report& report);

  // Configurations in the order of their first adapter.
  const std::vector<Configuration>& Configurations() const {
    return configurations_;
  }
  // Capability sets in the order of their first adapter.
  const std::vector<CapabilitySet>& CapabilitySets() const {
    return capabilitySets_;
  }
  const std::vector<AdapterEntry>& Adapters() const { return adapters_; }
  // The reports' names as their files have them: bytes, not always UTF-8.
  const std::vector<std::string>& Files() const { return files_; }

  // "FILE #N (DESCRIPTION)"
  std::string AdapterName(std::size_t adapter) const;

  bool Differs(std::size_t row) const;
  std::size_t DifferingRows() const;

 private:
  // A configuration's index, or kLeftOut where its adapters take no part.
  static constexpr std::size_t kLeftOut = SIZE_MAX;
  std::size_t ConfigurationOf(const AdapterCells& adapter);
  bool Meets(const AdapterCells& adapter) const;
  bool MachineTakesPart(const Report& report) const;
  std::uint32_t CapabilitiesOf(const std::vector<std::string>& values);

  // Which rows differ, once asked after the last Add.
  mutable std::vector<char> differs_;
  std::vector<Condition> conditions_;
  MachineRule rule_;
  std::size_t reportsRead_ = 0, adaptersRead_ = 0;
  std::vector<Configuration> configurations_;
  std::vector<CapabilitySet> capabilitySets_;
  std::vector<AdapterEntry> adapters_;
  std::vector<std::string> files_;
  // A configuration by its values, NUL-joined: as the report holds them,
  // and as UTF-8.
  std::unordered_map<std::string, std::size_t> byBytes_, byValues_;
  // A capability set by its rows' values, NUL-joined.
  std::unordered_map<std::string, std::uint32_t> byCapabilities_;
};

}  // namespace kelvane
