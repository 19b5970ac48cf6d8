#include "compare/comparison/Coverage.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "compare/comparison/ValueOrder.h"
#include "compare/read/ReportLayout.h"
#include "report/RowValues.h"

namespace kelvane {

std::vector<ValueShare> ShareValues(const Comparison& comparison,
                                    std::size_t row) {
  std::vector<ValueShare> shares;
  std::unordered_map<std::string_view, std::size_t> index;
  for (const Configuration& configuration : comparison.Configurations()) {
    const std::string& value = configuration.values[row];
    const auto [at, isNew] = index.try_emplace(value, shares.size());
    if (isNew) shares.push_back({&value, 0, std::nullopt});
    shares[at->second].adapters += configuration.adapterCount;
  }
  const RowKind kind = AdapterRows()[row].kind;
  if (IsOrdered(kind)) {
    // Values equal as numbers (-0.00 and 0.00) stand by their text, so the
    // order never depends on the inputs', and share one count at or above.
    const auto before = [kind](const ValueShare& a, const ValueShare& b) {
      const auto order = CompareValues(kind, *a.value, *b.value);
      if (!order)
        return IsOrderedValue(kind, *a.value) &&
               !IsOrderedValue(kind, *b.value);
      return *order != 0 ? *order < 0 : *a.value < *b.value;
    };
    std::stable_sort(shares.begin(), shares.end(), before);
    // Counted from the better end; values equal as numbers count as one.
    const auto count = [kind](auto first, auto last) {
      std::size_t beyond = 0;
      for (auto share = first; share != last;) {
        if (!IsOrderedValue(kind, *share->value)) {
          ++share;
          continue;
        }
        auto equal = share;
        while (equal != last &&
               CompareValues(kind, *equal->value, *share->value) == 0)
          beyond += (equal++)->adapters;
        for (; share != equal; ++share) share->atOrBeyond = beyond;
      }
    };
    if (BetterOf(row) == Better::Up) count(shares.rbegin(), shares.rend());
    if (BetterOf(row) == Better::Down) count(shares.begin(), shares.end());
  } else if (kind == RowKind::Flag) {
    const std::string yes = FormFlagValue(1);
    std::stable_sort(shares.begin(), shares.end(),
                     [&yes](const ValueShare& a, const ValueShare& b) {
                       return *a.value == yes && *b.value != yes;
                     });
  } else {
    std::stable_sort(shares.begin(), shares.end(),
                     [](const ValueShare& a, const ValueShare& b) {
                       return a.adapters > b.adapters;
                     });
  }
  return shares;
}

Better BetterOf(std::size_t row) {
  const RowPlace& place = AdapterRows()[row];
  if (!IsCapability(row) || !IsOrdered(place.kind)) return Better::None;
  // The guard band reaches further the more negative these are.
  if (place.label == "GuardBandLeft" || place.label == "GuardBandTop")
    return Better::Down;
  return Better::Up;
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
