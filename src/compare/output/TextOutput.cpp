#include "compare/comparison/Coverage.h"
#include "compare/output/Outputs.h"
#include "compare/output/TerminalText.h"
#include "compare/read/ReportLayout.h"
#include "report/RowValues.h"

namespace kelvane {
namespace {

// A row's name, which the program's catalogues give: nothing to escape.
std::string RowName(const RowPlace& row) {
  std::string place(row.table);
  place += " / ";
  if (!row.group.empty()) (place += row.group) += " / ";
  return place += row.label;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "FILE #N (DESCRIPTION)", the texts of other machines made safe to print.
std::string AdapterName(const Comparison& comparison, std::size_t adapter) {
  const AdapterEntry& entry = comparison.Adapters()[adapter];
  std::string name = ShownText(comparison.Files()[entry.report]) + " #" +
                     std::to_string(entry.number);
  const std::string& description =
      comparison.Configurations()[entry.configuration].values[kDescriptionRow];
  if (!description.empty()) name += " (" + ShownText(description) + ")";
  return name;
}

// "A (500), B (312), and 3 more": the most common values of a tally.
std::string Summarized(const Tally& tally, const char* more) {
  constexpr std::size_t kShown = 3;
  std::string text;
  for (std::size_t i = 0; i < tally.size() && i < kShown; ++i)
    text += (i == 0 ? "" : ", ") + ShownText(*tally[i].first) + " (" +
            std::to_string(tally[i].second) + ")";
  if (tally.size() > kShown)
    text += ", and " + std::to_string(tally.size() - kShown) + " " + more;
  return text;
}

}  // namespace

std::string FormatLegend(const Columns& columns) {
  const Comparison& comparison = columns.Compared();
  std::string legend;
  for (std::size_t k = 0; k < columns.All().size(); ++k) {
    const Column& column = columns.All()[k];
    legend += "[" + std::to_string(k + 1) + "] ";
    if (columns.Kind() == Grouping::Capabilities) {
      legend += Counted(column.adapterCount, "adapter", "adapters") +
                ", the first " + AdapterName(comparison, column.firstAdapter) +
                "; models " +
                Summarized(columns.TallyOf(k, kDescriptionRow), "more") +
                "; drivers " +
                Summarized(columns.TallyOf(k, kDriverVersionRow), "more");
    } else {
      legend += AdapterName(comparison, column.firstAdapter);
      const std::size_t more = column.adapterCount - 1;
      if (more > 0)
        legend += ", and " + std::to_string(more) +
                  (more == 1 ? " more adapter alike" : " more adapters alike");
    }
    legend += '\n';
  }
  return legend;
}

std::string FormatDifferences(const Columns& columns) {
  const Comparison& comparison = columns.Compared();
  std::string text;
  const auto& rows = AdapterRows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (!comparison.Differs(row)) continue;
    text += RowName(rows[row]) + ":";
    const char* separator = " ";
    for (std::size_t k = 0; k < columns.All().size(); ++k) {
      const std::string* value = columns.ValueOf(k, row);
      text += separator;
      // Within a column a row may vary: its identity, which adapter.
      text += value != nullptr
                  ? ShownText(*value)
                  : "(" + std::to_string(columns.TallyOf(k, row).size()) +
                        " values)";
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
      const std::size_t yes = *shares.front().value == FormFlagValue(1)
                                  ? shares.front().adapters
                                  : 0;
      text += " Yes on " + std::to_string(yes) + " of " + all + " adapters (" +
              FormatShare(yes, adapters) + ")\n";
      continue;
    }
    const char* separator = " ";
    for (const ValueShare& share : shares) {
      text += separator + ShownText(*share.value) + " on " +
              std::to_string(share.adapters) + " (" +
              FormatShare(share.adapters, adapters) + ")";
      if (share.atOrBeyond)
        text +=
            std::string(BetterOf(row) == Better::Down ? ", at or below on "
                                                      : ", at or above on ") +
            std::to_string(*share.atOrBeyond) + " (" +
            FormatShare(*share.atOrBeyond, adapters) + ")";
      separator = "; ";
    }
    text += '\n';
  }
  return text;
}

std::string FormatFiles(const Comparison& comparison, char end) {
  std::string text;
  for (const std::string& file : comparison.Files()) (text += file) += end;
  return text;
}

std::string Summarize(const Columns& columns, std::size_t skipped) {
  const Comparison& comparison = columns.Compared();
  const std::size_t differing = comparison.DifferingRows();
  const std::size_t adapters = comparison.Adapters().size();
  const std::size_t configurations = comparison.Configurations().size();
  std::string summary = std::to_string(differing) + " of " +
                        Counted(AdapterRows().size(), "row", "rows") +
                        (differing == 1 ? " differs" : " differ") + " across " +
                        Counted(adapters, "adapter", "adapters");
  std::string counts;
  if (configurations != adapters)
    counts = Counted(configurations, "configuration", "configurations");
  if (columns.Kind() == Grouping::Capabilities)
    counts += (counts.empty() ? "" : ", ") + Counted(columns.All().size(),
                                                     "set of capabilities",
                                                     "sets of capabilities");
  if (!counts.empty()) summary += " (" + counts + ")";
  summary += " in " + Counted(comparison.Files().size(), "report", "reports");
  // What was asked, so that a filtered result never passes for the whole.
  const std::vector<Condition>& conditions = comparison.Conditions();
  if (!conditions.empty())
    summary += " of " +
               Counted(comparison.AdaptersRead(), "adapter", "adapters") +
               " in " + Counted(comparison.ReportsRead(), "report", "reports") +
               " read";
  if (skipped > 0)
    summary += "; " + Counted(skipped, "report", "reports") + " left out";
  if (!conditions.empty()) {
    summary += "; where ";
    for (std::size_t i = 0; i < conditions.size(); ++i)
      summary +=
          (i == 0 ? "" : " and ") + ShownText(FormatCondition(conditions[i]));
    const char* rules[] = {" on any adapter of a machine",
                           " on every adapter of a machine",
                           " on a machine's primary adapter"};
    summary += rules[static_cast<int>(comparison.Rule())];
  }
  return summary;
}

}  // namespace kelvane
