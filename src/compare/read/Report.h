// A Kelvane report as read back: every adapter's value cells, as the report
// holds them, one per row of AdapterRows().
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace kelvane {

struct AdapterCells {
  // The report's bytes; a text's lines joined by "\n".
  std::vector<std::string> values;
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
