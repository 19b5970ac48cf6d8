// The rows that every adapter of a report holds, in the page's order, taken
// from the program's own catalogues.
#pragma once

#include <cstddef>
#include <string>
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

struct FixedLine {
  std::string line;
  std::string what;  // which part of the report it is, for a message
};

// The lines of a row that hold no value, formed once from the program's
// markup: what stands before it (the end of a table, a heading, a group's
// header), and its label cell.
struct RowLines {
  std::vector<FixedLine> before;
  std::string labelCell;
};

// One per row of AdapterRows().
const std::vector<RowLines>& AdapterRowLines();

// The row that names an adapter: its Description; and its driver's version.
inline constexpr std::size_t kDescriptionRow = 1;
inline constexpr std::size_t kDriverVersionRow = 2;
// Which adapter of its machine it was: no capability of the adapter's.
inline constexpr std::size_t kAdapterOrdinalRow = 10;

// Whether the row is one of the adapter's capabilities: the HAL device's
// limits other than AdapterOrdinal, and its flags. The identity rows and
// AdapterOrdinal tell which adapter it is, not what it can do.
bool IsCapability(std::size_t row);

}  // namespace kelvane
