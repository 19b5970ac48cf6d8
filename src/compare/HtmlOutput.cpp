#include "compare/Coverage.h"
#include "compare/Outputs.h"
#include "compare/ReportLayout.h"
#include "compare/TerminalText.h"

namespace kelvane {
namespace {

// Report texts come from other people's machines and are unescaped markup
// there: everything taken from a report goes through here.
// Controls are shown, a CR among them, so that two texts that differ never
// look alike.
std::string Escape(std::string_view text) {
  std::string html;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 1;
    switch (text[at]) {
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
      default:
        if (const std::string escape = ControlEscapeAt(text, at, length);
            !escape.empty())
          html += "<span class=\"control\">" + escape + "</span>";
        else
          html.append(text.substr(at, length));
    }
    at += length;
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
details ul { margin: 0.3em 0; padding-left: 1.2em; font-weight: normal; max-height: 20em; overflow-y: auto; }
td.share { min-width: 24em; }
thead th { max-width: 11em; overflow-wrap: anywhere; }
td { max-width: 16em; overflow-wrap: anywhere; }
span.count { font-weight: normal; }
span.control { color: #b00020; font-family: monospace; }
table.columns td, td.share, td.label { max-width: none; }
td.label { white-space: nowrap; }
div.bar { display: flex; align-items: center; gap: 0.5em; margin: 1px 0; }
div.bar span.track { display: inline-block; width: 12em; height: 0.9em; background: #eeeeee; border: 1px solid #b4b4b4; }
div.bar span.fill { display: block; height: 100%; background: #4a7bd0; }
)";

// A row's name where rows of every table stand together: its labels are
// its table's own, and only flags repeat across groups.
std::string Place(const RowPlace& row) {
  return row.group.empty() ? Escape(row.label)
                           : Escape(row.group) + " / " + Escape(row.label);
}

// Columns by number and adapter, so that a fleet's fit in one window; the
// Columns section names their files.
void AppendHeader(std::string& html, const Comparison& comparison) {
  html += "<thead><tr><th>Row</th>";
  const auto& configurations = comparison.Configurations();
  for (std::size_t k = 0; k < configurations.size(); ++k) {
    html += "<th>[" + std::to_string(k + 1) + "] " +
            Escape(configurations[k].values[kDescriptionRow]);
    if (configurations[k].adapters > 1)
      html += "<br><span class=\"count\">" +
              std::to_string(configurations[k].adapters) + " adapters</span>";
    html += "</th>";
  }
  html += "</tr></thead>\n";
}

void AppendRow(std::string& html, const Comparison& comparison, std::size_t row,
               bool withPlace) {
  const RowPlace& place = AdapterRows()[row];
  html += comparison.Differs(row) ? "<tr class=\"differs\">" : "<tr>";
  html += "<td class=\"label\">";
  html += withPlace ? Place(place) : Escape(place.label);
  html += "</td>";
  for (const Configuration& configuration : comparison.Configurations())
    html += "<td>" + Escape(configuration.values[row]) + "</td>";
  html += "</tr>\n";
}

using Sink = std::function<void(std::string_view)>;

// Hands what is held on once it is large.
void Spill(std::string& html, const Sink& write) {
  if (html.size() < (1 << 16)) return;
  write(html);
  html.clear();
}

// Which adapters each column stands for; a long list stays folded.
void AppendColumns(std::string& html, const Comparison& comparison,
                   const Sink& write) {
  const auto& configurations = comparison.Configurations();
  std::vector<std::vector<std::size_t>> members(configurations.size());
  const auto& adapters = comparison.Adapters();
  for (std::size_t a = 0; a < adapters.size(); ++a)
    members[adapters[a].configuration].push_back(a);
  html +=
      "<h2>Columns</h2>\n<table class=\"columns\">\n<thead><tr><th>Column</th>"
      "<th>Adapters</th></tr></thead>\n<tbody>\n";
  for (std::size_t k = 0; k < configurations.size(); ++k) {
    html += "<tr><td>[" + std::to_string(k + 1) + "]</td><td>";
    if (members[k].size() == 1) {
      html += Escape(comparison.AdapterName(members[k].front()));
    } else {
      html += "<details><summary>" + std::to_string(members[k].size()) +
              " adapters alike, the first " + Escape(comparison.ColumnName(k)) +
              "</summary><ul>";
      for (const std::size_t a : members[k]) {
        html += "<li>" + Escape(comparison.AdapterName(a)) + "</li>";
        Spill(html, write);
      }
      html += "</ul></details>";
    }
    html += "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
}

void AppendCoverage(std::string& html, const Comparison& comparison) {
  html += "<h2>Coverage</h2>\n";
  if (comparison.DifferingRows() == 0) {
    html += "<p>Every adapter shows the same in every row.</p>\n";
    return;
  }
  const std::size_t adapters = comparison.Adapters().size();
  html +=
      "<table>\n<thead><tr><th>Row</th><th>Adapters showing each "
      "value</th></tr></thead>\n<tbody>\n";
  for (std::size_t row = 0; row < AdapterRows().size(); ++row) {
    if (!comparison.Differs(row)) continue;
    html += "<tr><td class=\"label\">" + Place(AdapterRows()[row]) +
            "</td><td class=\"share\">";
    for (const ValueShare& share : ShareValues(comparison, row)) {
      const std::string percent = FormatShare(share.adapters, adapters);
      html +=
          "<div class=\"bar\"><span class=\"track\"><span class=\"fill\" "
          "style=\"width: " +
          percent + "\"></span></span>" + Escape(*share.value) + ": " +
          std::to_string(share.adapters) + " (" + percent + ")</div>";
    }
    html += "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
}

}  // namespace

void WriteHtml(const Comparison& comparison, const std::string& summary,
               const Sink& write) {
  const std::size_t span = comparison.Configurations().size() + 1;
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Kelvane comparison</title>\n<style>\n";
  html += kStyle;
  html += "</style>\n</head>\n<body>\n<h1>Kelvane comparison</h1>\n<p>" +
          Escape(summary) + "</p>\n";
  AppendColumns(html, comparison, write);

  const auto& rows = AdapterRows();
  html += "<h2>Differences only</h2>\n";
  if (comparison.DifferingRows() == 0) {
    html += "<p>No row differs.</p>\n";
  } else {
    html += "<table>\n";
    AppendHeader(html, comparison);
    html += "<tbody>\n";
    for (std::size_t row = 0; row < rows.size(); ++row)
      if (comparison.Differs(row)) AppendRow(html, comparison, row, true);
    html += "</tbody>\n</table>\n";
  }
  AppendCoverage(html, comparison);

  html += "<h2>All rows</h2>\n<table>\n";
  AppendHeader(html, comparison);
  html += "<tbody>\n";
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (row == 0 || rows[row - 1].table != rows[row].table ||
        rows[row - 1].group != rows[row].group) {
      html += "<tr class=\"section\"><th colspan=\"" + std::to_string(span) +
              "\">" + Escape(rows[row].table);
      if (!rows[row].group.empty()) html += " / " + Escape(rows[row].group);
      html += "</th></tr>\n";
    }
    AppendRow(html, comparison, row, false);
  }
  html += "</tbody>\n</table>\n</body>\n</html>\n";
  write(html);
}

std::string FormatHtml(const Comparison& comparison,
                       const std::string& summary) {
  std::string page;
  WriteHtml(comparison, summary,
            [&page](std::string_view bytes) { page.append(bytes); });
  return page;
}

}  // namespace kelvane
