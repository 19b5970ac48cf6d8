// The comparison's adapters as the columns a person reads: one column per
// configuration (adapters alike in every row), or with --by caps one per set
// of capabilities, whatever the adapters' identity rows and AdapterOrdinal.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "compare/comparison/Comparison.h"

namespace kelvane {

enum class Grouping { EveryRow, Capabilities };

struct Column {
  std::vector<std::uint32_t> configurations;  // those it holds, in order
  std::size_t adapterCount = 0;
  std::size_t firstAdapter = 0;  // its name, an index into Adapters()
};

// A value and how many adapters show it.
using Tally = std::vector<std::pair<const std::string*, std::size_t>>;

class Columns {
 public:
  Columns(const Comparison& comparison, Grouping grouping);

  Grouping Kind() const { return grouping_; }
  const std::vector<Column>& All() const { return columns_; }
  const Comparison& Compared() const { return comparison_; }

  // The value the column shows in the row, or null where it varies among
  // the column's adapters.
  const std::string* ValueOf(std::size_t column, std::size_t row) const;

  // The row's values among the column's adapters, most common first.
  Tally TallyOf(std::size_t column, std::size_t row) const;

 private:
  const Comparison& comparison_;
  Grouping grouping_;
  std::vector<Column> columns_;
};

}  // namespace kelvane
