#include "compare/Outputs.h"
#include "compare/Utf8.h"

namespace kelvane {
namespace {

// Report texts come from other people's machines and are unescaped markup
// there: everything taken from a report goes through here.
std::string Escape(const std::string& text) {
  std::string html;
  for (const char c : ToUtf8(text)) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      case '\'':
        html += "&#39;";
        break;
      case '\n':
        html += "<br>";
        break;
      case '\r':
        break;
      default:
        html += c;
    }
  }
  return html;
}

constexpr char kStyle[] = R"(body { font-family: sans-serif; margin: 1.5em; }
table { border-collapse: collapse; margin-bottom: 2em; }
th, td { border: 1px solid #b4b4b4; padding: 3px 8px; text-align: left; vertical-align: top; }
thead th { background: #cccccc; position: sticky; top: 0; }
tr.section th { background: #dddddd; }
tr.differs td { background: #ffe08a; }
tr.differs td.label { font-weight: bold; }
td.missing { color: #888888; font-style: italic; }
)";

void AppendHeader(std::string& html, const Comparison& comparison) {
  html += "<thead><tr><th>Row</th>";
  for (const std::string& column : comparison.columns)
    html += "<th>" + Escape(column) + "</th>";
  html += "</tr></thead>\n";
}

void AppendRow(std::string& html, const ComparedRow& row, bool withPlace) {
  html += row.differs ? "<tr class=\"differs\">" : "<tr>";
  html += "<td class=\"label\">";
  if (withPlace) {
    html += Escape(row.table) + " / ";
    if (!row.group.empty()) html += Escape(row.group) + " / ";
  }
  html += Escape(row.label) + "</td>";
  for (const auto& value : row.values)
    html += value ? "<td>" + Escape(*value) + "</td>"
                  : std::string("<td class=\"missing\">no row</td>");
  html += "</tr>\n";
}

}  // namespace

std::string FormatHtml(const Comparison& comparison) {
  const std::size_t span = comparison.columns.size() + 1;
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Kelvane comparison</title>\n<style>\n";
  html += kStyle;
  html += "</style>\n</head>\n<body>\n<h1>Kelvane comparison</h1>\n<p>" +
          Escape(Summarize(comparison)) + "</p>\n";

  html += "<h2>Differences only</h2>\n";
  if (comparison.DifferingRows() == 0) {
    html += "<p>No row differs.</p>\n";
  } else {
    html += "<table>\n";
    AppendHeader(html, comparison);
    html += "<tbody>\n";
    for (const ComparedRow& row : comparison.rows)
      if (row.differs) AppendRow(html, row, true);
    html += "</tbody>\n</table>\n";
  }

  html += "<h2>All rows</h2>\n<table>\n";
  AppendHeader(html, comparison);
  html += "<tbody>\n";
  const ComparedRow* previous = nullptr;
  for (const ComparedRow& row : comparison.rows) {
    if (!previous || previous->table != row.table ||
        previous->group != row.group) {
      html += "<tr class=\"section\"><th colspan=\"" + std::to_string(span) +
              "\">" + Escape(row.table);
      if (!row.group.empty()) html += " / " + Escape(row.group);
      html += "</th></tr>\n";
    }
    AppendRow(html, row, false);
    previous = &row;
  }
  html += "</tbody>\n</table>\n</body>\n</html>\n";
  return html;
}

}  // namespace kelvane
