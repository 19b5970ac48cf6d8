#include "compare/Comparison.h"

#include <algorithm>
#include <unordered_map>

namespace kelvane {
namespace {

class RowTable {
 public:
  explicit RowTable(std::size_t columns) : columns_(columns) {}

  // The row of the cell at this position of the column's adapter. Adapters
  // mostly show the same rows in the same order: the row found at this
  // position for the adapter before is tried first.
  void Add(std::size_t column, std::size_t position, const std::string& table,
           const std::string& group, const Cell& cell) {
    if (position < layout_.size()) {
      ComparedRow& row = rows_[layout_[position]];
      if (row.label == cell.label && row.group == group && row.table == table) {
        row.values[column] = cell.value;
        return;
      }
    } else {
      layout_.resize(position + 1);
    }
    std::string key = table;
    key += '\x1F';
    key += group;
    key += '\x1F';
    key += cell.label;
    const auto [at, added] = index_.try_emplace(std::move(key), rows_.size());
    if (added)
      rows_.push_back({table, group, cell.label,
                       std::vector<std::optional<std::string>>(columns_)});
    rows_[at->second].values[column] = cell.value;
    layout_[position] = at->second;
  }

  std::vector<ComparedRow> Take() && { return std::move(rows_); }

 private:
  std::size_t columns_;
  std::unordered_map<std::string, std::size_t> index_;
  std::vector<std::size_t> layout_;
  std::vector<ComparedRow> rows_;
};

std::string DescriptionOf(const AdapterCells& adapter) {
  for (const Cell& cell : adapter.identity)
    if (cell.label == "Description") return cell.value;
  return {};
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::size_t Comparison::DifferingRows() const {
  return static_cast<std::size_t>(
      std::count_if(rows.begin(), rows.end(),
                    [](const ComparedRow& row) { return row.differs; }));
}

Comparison CompareReports(const std::vector<Report>& reports) {
  Comparison comparison;
  comparison.reports = reports.size();
  for (const Report& report : reports)
    for (std::size_t n = 0; n < report.adapters.size(); ++n) {
      std::string name = report.file + " #" + std::to_string(n);
      const std::string description = DescriptionOf(report.adapters[n]);
      if (!description.empty()) name += " (" + description + ")";
      comparison.columns.push_back(std::move(name));
    }

  RowTable table(comparison.columns.size());
  std::size_t column = 0;
  const std::string identity = kIdentityTable, caps = kCapsTable, none;
  for (const Report& report : reports)
    for (const AdapterCells& adapter : report.adapters) {
      std::size_t position = 0;
      for (const Cell& cell : adapter.identity)
        table.Add(column, position++, identity, none, cell);
      for (const Cell& cell : adapter.limits)
        table.Add(column, position++, caps, none, cell);
      for (const FlagGroupCells& group : adapter.groups)
        for (const Cell& cell : group.flags)
          table.Add(column, position++, caps, group.title, cell);
      ++column;
    }
  comparison.rows = std::move(table).Take();
  for (ComparedRow& row : comparison.rows)
    row.differs = std::adjacent_find(row.values.begin(), row.values.end(),
                                     std::not_equal_to<>()) != row.values.end();
  return comparison;
}

std::string Summarize(const Comparison& comparison) {
  const std::size_t differing = comparison.DifferingRows();
  return std::to_string(differing) + " of " +
         Counted(comparison.rows.size(), "row", "rows") +
         (differing == 1 ? " differs" : " differ") + " across " +
         Counted(comparison.columns.size(), "adapter", "adapters") + " in " +
         Counted(comparison.reports, "report", "reports");
}

}  // namespace kelvane
