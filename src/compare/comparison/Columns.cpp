#include "compare/comparison/Columns.h"

#include <algorithm>
#include <unordered_map>

namespace kelvane {

Columns::Columns(const Comparison& comparison, Grouping grouping)
    : comparison_(comparison), grouping_(grouping) {
  const auto& configurations = comparison.Configurations();
  const std::size_t count = grouping == Grouping::EveryRow
                                ? configurations.size()
                                : comparison.CapabilitySets().size();
  columns_.resize(count);
  for (std::size_t k = 0; k < configurations.size(); ++k) {
    Column& column = columns_[grouping == Grouping::EveryRow
                                  ? k
                                  : configurations[k].capabilities];
    if (column.configurations.empty() ||
        configurations[k].firstAdapter < column.firstAdapter)
      column.firstAdapter = configurations[k].firstAdapter;
    column.configurations.push_back(static_cast<std::uint32_t>(k));
    column.adapterCount += configurations[k].adapterCount;
  }
}

const std::string* Columns::ValueOf(std::size_t column, std::size_t row) const {
  const auto& configurations = comparison_.Configurations();
  const std::vector<std::uint32_t>& held = columns_[column].configurations;
  const std::string& first = configurations[held.front()].values[row];
  for (const std::uint32_t k : held)
    if (configurations[k].values[row] != first) return nullptr;
  return &first;
}

Tally Columns::TallyOf(std::size_t column, std::size_t row) const {
  Tally tally;
  std::unordered_map<std::string_view, std::size_t> index;
  for (const std::uint32_t k : columns_[column].configurations) {
    const Configuration& configuration = comparison_.Configurations()[k];
    const std::string& value = configuration.values[row];
    const auto [at, isNew] = index.try_emplace(value, tally.size());
    if (isNew) tally.emplace_back(&value, 0);
    tally[at->second].second += configuration.adapterCount;
  }
  std::stable_sort(
      tally.begin(), tally.end(),
      [](const auto& a, const auto& b) { return a.second > b.second; });
  return tally;
}

}  // namespace kelvane
