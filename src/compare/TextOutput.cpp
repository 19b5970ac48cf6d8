#include "compare/Outputs.h"
#include "compare/Utf8.h"

namespace kelvane {
namespace {

// One line per row: a text's own line ends are shown, not kept.
std::string OnOneLine(const std::string& text) {
  std::string line;
  for (const char c : ToUtf8(text)) {
    if (c == '\n')
      line += "\\n";
    else if (c == '\r')
      line += "\\r";
    else
      line += c;
  }
  return line;
}

}  // namespace

std::string FormatDifferences(const Comparison& comparison) {
  std::string text;
  for (const ComparedRow& row : comparison.rows) {
    if (!row.differs) continue;
    text += row.table + " / ";
    if (!row.group.empty()) text += row.group + " / ";
    text += OnOneLine(row.label) + ":";
    for (std::size_t i = 0; i < row.values.size(); ++i) {
      text += i == 0 ? " " : " | ";
      text += row.values[i] ? OnOneLine(*row.values[i]) : "(no row)";
    }
    text += '\n';
  }
  return text + Summarize(comparison) + '\n';
}

}  // namespace kelvane
