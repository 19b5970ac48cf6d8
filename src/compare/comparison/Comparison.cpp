#include "compare/comparison/Comparison.h"

#include <algorithm>

#include "compare/cli/Utf8.h"
#include "compare/read/ReportLayout.h"

namespace kelvane {
namespace {

// No value holds a NUL: the values, NUL-joined, tell them apart.
std::string Joined(const std::vector<std::string>& values) {
  std::size_t size = values.size();
  for (const std::string& value : values) size += value.size();
  std::string joined;
  joined.reserve(size);
  for (const std::string& value : values) (joined += value) += '\0';
  return joined;
}

}  // namespace

Comparison::Comparison(std::vector<Condition> conditions, MachineRule rule)
    : conditions_(std::move(conditions)), rule_(rule) {}

bool Comparison::Meets(const AdapterCells& adapter) const {
  if (const auto known = byBytes_.find(Joined(adapter.values));
      known != byBytes_.end())
    return known->second != kLeftOut;
  std::vector<std::string> values;
  values.reserve(adapter.values.size());
  for (const std::string& value : adapter.values)
    values.push_back(ToUtf8(value));
  return MeetsAll(conditions_, values);
}

bool Comparison::MachineTakesPart(const Report& report) const {
  switch (rule_) {
    case MachineRule::Any:
      return true;  // by its adapters that meet --where, if any
    case MachineRule::All:
      return std::all_of(report.adapters.begin(), report.adapters.end(),
                         [this](const AdapterCells& a) { return Meets(a); });
    case MachineRule::Primary:
      for (const AdapterCells& adapter : report.adapters)
        if (adapter.values[kAdapterOrdinalRow] == "0") return Meets(adapter);
      return false;
  }
  return false;
}

std::vector<std::size_t> Comparison::Add(const Report& report) {
  differs_.clear();
  std::vector<std::size_t> added;
  ++reportsRead_;
  adaptersRead_ += report.adapters.size();
  if (!MachineTakesPart(report)) return added;
  for (std::size_t n = 0; n < report.adapters.size(); ++n) {
    const std::size_t configuration = ConfigurationOf(report.adapters[n]);
    if (configuration == kLeftOut) continue;
    if (added.empty()) files_.push_back(report.file);
    Configuration& taken = configurations_[configuration];
    if (taken.adapterCount++ == 0) taken.firstAdapter = adapters_.size();
    ++capabilitySets_[taken.capabilities].adapterCount;
    adapters_.push_back({static_cast<std::uint32_t>(files_.size() - 1),
                         static_cast<std::uint32_t>(n),
                         static_cast<std::uint32_t>(configuration)});
    added.push_back(configuration);
  }
  return added;
}

std::uint32_t Comparison::CapabilitiesOf(
    const std::vector<std::string>& values) {
  std::string joined;
  for (std::size_t row = 0; row < values.size(); ++row)
    if (IsCapability(row)) (joined += values[row]) += '\0';
  const auto [at, isNew] = byCapabilities_.try_emplace(
      std::move(joined), static_cast<std::uint32_t>(capabilitySets_.size()));
  if (isNew) capabilitySets_.push_back({configurations_.size(), 0});
  return at->second;
}

std::size_t Comparison::ConfigurationOf(const AdapterCells& adapter) {
  // Mostly the bytes were seen before; else the values as shown decide, as
  // two spellings of a text in different code pages show the same.
  const std::string bytes = Joined(adapter.values);
  if (const auto known = byBytes_.find(bytes); known != byBytes_.end())
    return known->second;
  std::vector<std::string> values;
  values.reserve(adapter.values.size());
  for (const std::string& value : adapter.values)
    values.push_back(ToUtf8(value));
  if (!MeetsAll(conditions_, values)) {
    byBytes_.emplace(bytes, kLeftOut);
    return kLeftOut;
  }
  const auto [at, isNew] =
      byValues_.try_emplace(Joined(values), configurations_.size());
  if (isNew) {
    const std::uint32_t capabilities = CapabilitiesOf(values);
    configurations_.push_back({std::move(values), 0, 0, capabilities});
  }
  byBytes_.emplace(bytes, at->second);
  return at->second;
}

std::string Comparison::AdapterName(std::size_t adapter) const {
  const AdapterEntry& entry = adapters_[adapter];
  std::string name = files_[entry.report] + " #" + std::to_string(entry.number);
  const std::string& description =
      configurations_[entry.configuration].values[kDescriptionRow];
  if (!description.empty()) name += " (" + description + ")";
  return name;
}

bool Comparison::Differs(std::size_t row) const {
  if (differs_.empty()) {
    differs_.resize(AdapterRows().size() + 1, 0);
    differs_.back() = 1;  // asked
    for (std::size_t r = 0; r < AdapterRows().size(); ++r)
      for (const Configuration& configuration : configurations_)
        if (configuration.values[r] != configurations_.front().values[r]) {
          differs_[r] = 1;
          break;
        }
  }
  return differs_[row] != 0;
}

std::size_t Comparison::DifferingRows() const {
  std::size_t differing = 0;
  for (std::size_t row = 0; row < AdapterRows().size(); ++row)
    differing += Differs(row) ? 1 : 0;
  return differing;
}

}  // namespace kelvane
