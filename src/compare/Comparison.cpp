#include "compare/Comparison.h"

#include "compare/ReportLayout.h"
#include "compare/Utf8.h"

namespace kelvane {
namespace {

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// No value holds a NUL: the values, NUL-joined, tell them apart.
std::string Joined(const std::vector<std::string>& values) {
  std::string joined;
  for (const std::string& value : values) (joined += value) += '\0';
  return joined;
}

}  // namespace

std::vector<std::size_t> Comparison::Add(const Report& report) {
  files_.push_back(NameToUtf8(report.file));
  std::vector<std::size_t> added;
  for (std::size_t n = 0; n < report.adapters.size(); ++n) {
    const std::size_t configuration = ConfigurationOf(report.adapters[n]);
    ++configurations_[configuration].adapters;
    adapters_.push_back({static_cast<std::uint32_t>(files_.size() - 1),
                         static_cast<std::uint32_t>(n),
                         static_cast<std::uint32_t>(configuration)});
    added.push_back(configuration);
  }
  return added;
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
  const auto [at, isNew] =
      byValues_.try_emplace(Joined(values), configurations_.size());
  if (isNew)
    configurations_.push_back({std::move(values), adapters_.size(), 0});
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

std::string Comparison::ColumnName(std::size_t configuration) const {
  return AdapterName(configurations_[configuration].firstAdapter);
}

bool Comparison::Differs(std::size_t row) const {
  for (const Configuration& configuration : configurations_)
    if (configuration.values[row] != configurations_.front().values[row])
      return true;
  return false;
}

std::size_t Comparison::DifferingRows() const {
  std::size_t differing = 0;
  for (std::size_t row = 0; row < AdapterRows().size(); ++row)
    differing += Differs(row) ? 1 : 0;
  return differing;
}

std::string Summarize(const Comparison& comparison, std::size_t skipped) {
  const std::size_t differing = comparison.DifferingRows();
  const std::size_t adapters = comparison.Adapters().size();
  const std::size_t configurations = comparison.Configurations().size();
  std::string summary = std::to_string(differing) + " of " +
                        Counted(AdapterRows().size(), "row", "rows") +
                        (differing == 1 ? " differs" : " differ") + " across " +
                        Counted(adapters, "adapter", "adapters");
  if (configurations != adapters)
    summary +=
        " (" + Counted(configurations, "configuration", "configurations") + ")";
  summary += " in " + Counted(comparison.Files().size(), "report", "reports");
  if (skipped > 0)
    summary += "; " + Counted(skipped, "report", "reports") + " left out";
  return summary;
}

}  // namespace kelvane
