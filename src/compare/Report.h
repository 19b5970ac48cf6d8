// A Kelvane report as read back: every adapter's cells, as the page shows
// them, in the page's order.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace kelvane {

inline constexpr char kIdentityTable[] = "Graphics Card Info";
inline constexpr char kCapsTable[] = "DirectGraphics HAL DeviceCaps";

struct Cell {
  std::string label;
  std::string value;  // the cell's text; lines of a text joined by "\n"
};

struct FlagGroupCells {
  std::string title;
  std::vector<Cell> flags;  // values "Yes" or "No"
};

struct AdapterCells {
  std::vector<Cell> identity;
  std::vector<Cell> limits;
  std::vector<FlagGroupCells> groups;
};

struct Report {
  std::string file;  // as named on the command line
  std::vector<AdapterCells> adapters;
};

// A file that is not a whole Kelvane report: "FILE:LINE: what was expected",
// or "FILE: why it cannot be read".
class ReportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kelvane
