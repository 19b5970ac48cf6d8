// How many adapters show each value of a row: what a fleet can rely on.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "compare/Comparison.h"

namespace kelvane {

struct ValueShare {
  const std::string* value;  // a configuration's value, UTF-8
  std::size_t adapters;
};

// The values of the row, most common first; alike counts in the order of
// their first adapter.
std::vector<ValueShare> ShareValues(const Comparison& comparison,
                                    std::size_t row);

// "25.6%": the share of all adapters, to one decimal.
std::string FormatShare(std::size_t adapters, std::size_t of);

}  // namespace kelvane
