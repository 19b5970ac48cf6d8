// The rows that every adapter of a report holds, in the page's order, taken
// from the program's own catalogues.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "report/RowKind.h"

namespace kelvane {

struct RowPlace {
  std::string_view table;  // the table's caption
  std::string_view group;  // the flag group's title, or empty
  std::string_view label;
  RowKind kind;
};

// The identity rows, the limit rows, then every flag group's flags.
const std::vector<RowPlace>& AdapterRows();

// The row that names an adapter: its Description.
inline constexpr std::size_t kDescriptionRow = 1;

}  // namespace kelvane
