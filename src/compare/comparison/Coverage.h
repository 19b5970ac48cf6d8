// How many adapters show each value of a row: what a fleet can rely on.
// Shares count adapters, not reports or machines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "compare/comparison/Comparison.h"

namespace kelvane {

struct ValueShare {
  const std::string* value;  // a configuration's value, UTF-8
  std::size_t adapters;
  // For a number or a version: the adapters that show it or more.
  std::optional<std::size_t> atOrAbove;
};

// The values of the row: numbers and versions in their order, least first,
// each with the adapters at or above it (what cannot be ordered, NaN, last);
// a flag's Yes before its No; anything else most common first, alike counts
// in the order of their first adapter.
std::vector<ValueShare> ShareValues(const Comparison& comparison,
                                    std::size_t row);

// "25.6%": the share of all adapters, to one decimal.
std::string FormatShare(std::size_t adapters, std::size_t of);

}  // namespace kelvane
