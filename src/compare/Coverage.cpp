#include "compare/Coverage.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

namespace kelvane {

std::vector<ValueShare> ShareValues(const Comparison& comparison,
                                    std::size_t row) {
  std::vector<ValueShare> shares;
  std::unordered_map<std::string_view, std::size_t> index;
  for (const Configuration& configuration : comparison.Configurations()) {
    const std::string& value = configuration.values[row];
    const auto [at, isNew] = index.try_emplace(value, shares.size());
    if (isNew) shares.push_back({&value, 0});
    shares[at->second].adapters += configuration.adapters;
  }
  std::stable_sort(shares.begin(), shares.end(),
                   [](const ValueShare& a, const ValueShare& b) {
                     return a.adapters > b.adapters;
                   });
  return shares;
}

std::string FormatShare(std::size_t adapters, std::size_t of) {
  char share[32];
  std::snprintf(share, sizeof share, "%.1f%%",
                of == 0 ? 0.0
                        : 100.0 * static_cast<double>(adapters) /
                              static_cast<double>(of));
  return share;
}

}  // namespace kelvane
