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
  // Where more is more (a limit): the adapters that show it or more; where
  // less is more (GuardBandLeft and GuardBandTop), it or less.
  std::optional<std::size_t> atOrBeyond;
};

// Which way a row's values are better, where they are: up for the limits
// and shader versions, down for the guard band's left and top, none for
// what says which adapter it is (ids, revisions, the driver's version, whose
// numbers mean nothing across vendors, AdapterOrdinal).
enum class Better { None, Up, Down };
Better BetterOf(std::size_t row);

// The values of the row: numbers and versions in their order, least first,
// each with the adapters at or beyond it as BetterOf says (what cannot be
// ordered, NaN, last); a flag's Yes before its No; anything else most
// common first, alike counts in the order of their first adapter.
std::vector<ValueShare> ShareValues(const Comparison& comparison,
                                    std::size_t row);

// "25.6%": the share of all adapters, to one decimal.
std::string FormatShare(std::size_t adapters, std::size_t of);

}  // namespace kelvane
