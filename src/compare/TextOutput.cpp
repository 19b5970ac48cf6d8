#include "compare/Coverage.h"
#include "compare/Outputs.h"
#include "compare/ReportLayout.h"

namespace kelvane {
namespace {

// One line per row: a text's own line ends are shown, not kept.
std::string OnOneLine(std::string_view text) {
  std::string line;
  for (const char c : text) {
    if (c == '\n')
      line += "\\n";
    else if (c == '\r')
      line += "\\r";
    else
      line += c;
  }
  return line;
}

std::string Place(const RowPlace& row) {
  std::string place(row.table);
  place += " / ";
  if (!row.group.empty()) (place += row.group) += " / ";
  return place += OnOneLine(row.label);
}

}  // namespace

std::string FormatLegend(const Comparison& comparison) {
  std::string legend;
  const auto& configurations = comparison.Configurations();
  for (std::size_t k = 0; k < configurations.size(); ++k) {
    legend += "[" + std::to_string(k + 1) + "] " +
              OnOneLine(comparison.ColumnName(k));
    const std::size_t more = configurations[k].adapters - 1;
    if (more > 0)
      legend += ", and " + std::to_string(more) +
                (more == 1 ? " more adapter alike" : " more adapters alike");
    legend += '\n';
  }
  return legend;
}

std::string FormatDifferences(const Comparison& comparison) {
  std::string text;
  const auto& rows = AdapterRows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (!comparison.Differs(row)) continue;
    text += Place(rows[row]) + ":";
    const char* separator = " ";
    for (const Configuration& configuration : comparison.Configurations()) {
      text += separator + OnOneLine(configuration.values[row]);
      separator = " | ";
    }
    text += '\n';
  }
  return text;
}

std::string FormatCoverage(const Comparison& comparison) {
  std::string text;
  const auto& rows = AdapterRows();
  const std::size_t adapters = comparison.Adapters().size();
  const std::string all = std::to_string(adapters);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (!comparison.Differs(row)) continue;
    text += Place(rows[row]) + ":";
    const std::vector<ValueShare> shares = ShareValues(comparison, row);
    if (rows[row].kind == RowKind::Flag) {
      std::size_t yes = 0;
      for (const ValueShare& share : shares)
        if (*share.value == "Yes") yes = share.adapters;
      text += " Yes on " + std::to_string(yes) + " of " + all + " adapters (" +
              FormatShare(yes, adapters) + ")\n";
      continue;
    }
    const char* separator = " ";
    for (const ValueShare& share : shares) {
      text += separator + OnOneLine(*share.value) + " on " +
              std::to_string(share.adapters) + " (" +
              FormatShare(share.adapters, adapters) + ")";
      separator = ", ";
    }
    text += '\n';
  }
  return text;
}

}  // namespace kelvane
