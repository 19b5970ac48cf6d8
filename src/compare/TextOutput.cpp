#include "compare/Coverage.h"
#include "compare/Outputs.h"
#include "compare/ReportLayout.h"
#include "compare/TerminalText.h"

namespace kelvane {
namespace {

// A row's name, which the program's catalogues give: nothing to escape.
std::string RowName(const RowPlace& row) {
  std::string place(row.table);
  place += " / ";
  if (!row.group.empty()) (place += row.group) += " / ";
  return place += row.label;
}

// "FILE #N (DESCRIPTION)", the texts of other machines made safe to print.
std::string ColumnName(const Comparison& comparison, std::size_t k) {
  const Configuration& configuration = comparison.Configurations()[k];
  const AdapterEntry& first = comparison.Adapters()[configuration.firstAdapter];
  std::string name = ShownText(comparison.Files()[first.report]) + " #" +
                     std::to_string(first.number);
  const std::string& description = configuration.values[kDescriptionRow];
  if (!description.empty()) name += " (" + ShownText(description) + ")";
  return name;
}

}  // namespace

std::string FormatLegend(const Comparison& comparison) {
  std::string legend;
  const auto& configurations = comparison.Configurations();
  for (std::size_t k = 0; k < configurations.size(); ++k) {
    legend += "[" + std::to_string(k + 1) + "] " + ColumnName(comparison, k);
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
    text += RowName(rows[row]) + ":";
    const char* separator = " ";
    for (const Configuration& configuration : comparison.Configurations()) {
      text += separator + ShownText(configuration.values[row]);
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
    text += RowName(rows[row]) + ":";
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
      text += separator + ShownText(*share.value) + " on " +
              std::to_string(share.adapters) + " (" +
              FormatShare(share.adapters, adapters) + ")";
      separator = ", ";
    }
    text += '\n';
  }
  return text;
}

}  // namespace kelvane
