#include <algorithm>

#include "compare/comparison/Coverage.h"
#include "compare/output/Outputs.h"
#include "compare/output/TerminalText.h"
#include "compare/read/ReportLayout.h"

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

// Short values (numbers, Yes, names of DLLs, versions) never break; long
// texts wrap at spaces. The row names stay in view when a wide table
// scrolls sideways.
constexpr char kStyle[] = R"(body { font-family: sans-serif; margin: 1.5em; }
nav a { margin-right: 1em; }
div.wide { overflow-x: auto; max-width: 100%; }
table { border-collapse: collapse; margin-bottom: 2em; }
th, td { border: 1px solid #b4b4b4; padding: 2px 6px; text-align: left; vertical-align: top; white-space: nowrap; }
td.text { white-space: normal; min-width: 10em; max-width: 22em; }
thead th { background: #cccccc; position: sticky; top: 0; font-weight: normal; font-size: 85%; z-index: 2; }
th.row, td.label { position: sticky; left: 0; background: #f4f4f4; z-index: 1; }
thead th.row { z-index: 3; background: #cccccc; }
tr.section th { background: #dddddd; position: sticky; left: 0; }
tr.differs td { background: #ffe08a; }
tr.differs td.label { font-weight: bold; background: #ffd35a; }
details ul { margin: 0.3em 0; padding-left: 1.2em; font-weight: normal; max-height: 20em; overflow-y: auto; }
td.share { white-space: normal; min-width: 24em; }
table.columns td { white-space: normal; }
span.count { font-weight: normal; }
span.varies { color: #555555; font-style: italic; }
span.control { color: #b00020; font-family: monospace; }
div.bar { display: flex; align-items: center; gap: 0.5em; margin: 1px 0; }
div.bar span.track { display: inline-block; flex: none; width: 12em; height: 0.9em; background: #eeeeee; border: 1px solid #b4b4b4; }
div.bar span.fill { display: block; height: 100%; background: #4a7bd0; }
)";

// Beyond this many columns a table is no longer read across: the tables
// show the first ones, and the Columns list and the JSON hold every one.
constexpr std::size_t kMostColumnsShown = 40;

// A row's name where rows of every table stand together: its labels are
// its table's own, and only flags repeat across groups.
std::string ShortRowName(const RowPlace& row) {
  return row.group.empty() ? Escape(row.label)
                           : Escape(row.group) + " / " + Escape(row.label);
}

std::size_t Shown(const Columns& columns) {
  return std::min(columns.All().size(), kMostColumnsShown);
}

std::string Plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Columns by number and what names them, so that a fleet's fit in one
// window; the Columns section says what each holds.
void AppendHeader(std::string& html, const Columns& columns) {
  html += "<thead><tr><th class=\"row\">Row</th>";
  for (std::size_t k = 0; k < Shown(columns); ++k) {
    const Column& column = columns.All()[k];
    const std::string* model = columns.ValueOf(k, kDescriptionRow);
    html +=
        "<th>[" + std::to_string(k + 1) + "] " +
        (model != nullptr ? Escape(*model)
                          : Plural(columns.TallyOf(k, kDescriptionRow).size(),
                                   "model", "models")) +
        "<br><span class=\"count\">" +
        Plural(column.adapterCount, "adapter", "adapters") + "</span></th>";
  }
  html += "</tr></thead>\n";
}

void AppendRow(std::string& html, const Columns& columns, std::size_t row,
               bool withPlace) {
  const RowPlace& place = AdapterRows()[row];
  html += columns.Compared().Differs(row) ? "<tr class=\"differs\">" : "<tr>";
  html += "<td class=\"label\">";
  html += withPlace ? ShortRowName(place) : Escape(place.label);
  html += "</td>";
  const char* cell =
      place.kind == RowKind::Text ? "<td class=\"text\">" : "<td>";
  for (std::size_t k = 0; k < Shown(columns); ++k) {
    const std::string* value = columns.ValueOf(k, row);
    html += cell;
    html += value != nullptr
                ? Escape(*value)
                : "<span class=\"varies\">" +
                      std::to_string(columns.TallyOf(k, row).size()) +
                      " values</span>";
    html += "</td>";
  }
  html += "</tr>\n";
}

using Sink = std::function<void(std::string_view)>;

// Hands what is held on once it is large.
void Spill(std::string& html, const Sink& write) {
  if (html.size() < (1 << 16)) return;
  write(html);
  html.clear();
}

std::string AdapterName(const Comparison& comparison, std::size_t adapter) {
  return Escape(comparison.AdapterName(adapter));
}

// Which adapters each column stands for; a long list stays folded.
void AppendColumns(std::string& html, const Columns& columns,
                   const Sink& write) {
  const Comparison& comparison = columns.Compared();
  std::vector<std::vector<std::size_t>> members(columns.All().size());
  {
    std::vector<std::size_t> columnOf(comparison.Configurations().size());
    for (std::size_t k = 0; k < columns.All().size(); ++k)
      for (const std::uint32_t c : columns.All()[k].configurations)
        columnOf[c] = k;
    const auto& adapters = comparison.Adapters();
    for (std::size_t a = 0; a < adapters.size(); ++a)
      members[columnOf[adapters[a].configuration]].push_back(a);
  }
  html +=
      "<h2 id=\"columns\">Columns</h2>\n<table class=\"columns\">\n<thead><tr>"
      "<th>Column</th><th>Adapters</th></tr></thead>\n<tbody>\n";
  for (std::size_t k = 0; k < columns.All().size(); ++k) {
    html += "<tr><td>[" + std::to_string(k + 1) + "]</td><td>";
    if (columns.Kind() == Grouping::Capabilities) {
      for (const std::size_t row : {kDescriptionRow, kDriverVersionRow}) {
        html += Escape(AdapterRows()[row].label) + ": ";
        const char* separator = "";
        for (const auto& [value, count] : columns.TallyOf(k, row)) {
          html +=
              separator + Escape(*value) + " (" + std::to_string(count) + ")";
          separator = ", ";
        }
        html += "<br>";
      }
    }
    if (members[k].size() == 1) {
      html += AdapterName(comparison, members[k].front());
    } else {
      html += "<details><summary>" + std::to_string(members[k].size()) +
              " adapters, the first " +
              AdapterName(comparison, members[k].front()) + "</summary><ul>";
      for (const std::size_t a : members[k]) {
        html += "<li>" + AdapterName(comparison, a) + "</li>";
        Spill(html, write);
      }
      html += "</ul></details>";
    }
    html += "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
}

void AppendCoverage(std::string& html, const Comparison& comparison) {
  html += "<h2 id=\"coverage\">Coverage</h2>\n";
  if (comparison.DifferingRows() == 0) {
    html += "<p>Every adapter shows the same in every row.</p>\n";
    return;
  }
  const std::size_t adapters = comparison.Adapters().size();
  html +=
      "<p>Shares count adapters. Numbers and versions stand in their order; "
      "the limits and shader versions with the adapters that show each or "
      "more, GuardBandLeft and GuardBandTop with those that show each or "
      "less.</p>\n<table>\n<thead><tr>"
      "<th class=\"row\">Row</th><th>Adapters showing each value</th></tr>"
      "</thead>\n<tbody>\n";
  for (std::size_t row = 0; row < AdapterRows().size(); ++row) {
    if (!comparison.Differs(row)) continue;
    html += "<tr><td class=\"label\">" + ShortRowName(AdapterRows()[row]) +
            "</td><td class=\"share\">";
    // A row of many values (models, drivers) shows its first ones; the
    // rest stay folded.
    constexpr std::size_t kUnfolded = 10;
    const std::vector<ValueShare> shares = ShareValues(comparison, row);
    for (std::size_t i = 0; i < shares.size(); ++i) {
      const ValueShare& share = shares[i];
      if (i == kUnfolded && shares.size() > kUnfolded + 2)
        html += "<details><summary>" +
                std::to_string(shares.size() - kUnfolded) +
                " more values</summary>";
      const std::string percent = FormatShare(share.adapters, adapters);
      html +=
          "<div class=\"bar\"><span class=\"track\"><span class=\"fill\" "
          "style=\"width: " +
          percent + "\"></span></span>" + Escape(*share.value) + ": " +
          std::to_string(share.adapters) + " (" + percent + ")";
      if (share.atOrBeyond)
        html += std::string(BetterOf(row) == Better::Down ? ", at or below: "
                                                          : ", at or above: ") +
                std::to_string(*share.atOrBeyond) + " (" +
                FormatShare(*share.atOrBeyond, adapters) + ")";
      html += "</div>";
    }
    if (shares.size() > kUnfolded + 2) html += "</details>";
    html += "</td></tr>\n";
  }
  html += "</tbody>\n</table>\n";
}

// What the tables leave out of a fleet's columns.
void AppendLeftOut(std::string& html, const Columns& columns) {
  const std::size_t left = columns.All().size() - Shown(columns);
  if (left == 0) return;
  html += "<p>The tables show the first " + std::to_string(Shown(columns)) +
          " of " + std::to_string(columns.All().size()) +
          " columns; the Columns list names every one, and the coverage "
          "counts every adapter.</p>\n";
}

}  // namespace

void WriteHtml(const Columns& columns, const std::string& summary,
               const Sink& write) {
  const Comparison& comparison = columns.Compared();
  const std::size_t span = Shown(columns) + 1;
  // Phones lay it out at their own width, not a desktop's shrunk.
  std::string html = std::string(kPageStart) +
                     "\n<meta name=\"viewport\" content=\"width=device-width, "
                     "initial-scale=1\">\n<style>\n";
  html += kStyle;
  html += "</style>\n</head>\n<body>\n<h1>Kelvane comparison</h1>\n<p>" +
          Escape(summary) +
          "</p>\n<nav><a href=\"#coverage\">Coverage</a><a "
          "href=\"#differences\">Differences only</a><a "
          "href=\"#columns\">Columns</a><a href=\"#all\">All rows</a></nav>\n";
  AppendCoverage(html, comparison);

  const auto& rows = AdapterRows();
  html += "<h2 id=\"differences\">Differences only</h2>\n";
  if (comparison.DifferingRows() == 0) {
    html += "<p>No row differs.</p>\n";
  } else {
    AppendLeftOut(html, columns);
    html += "<div class=\"wide\"><table>\n";
    AppendHeader(html, columns);
    html += "<tbody>\n";
    for (std::size_t row = 0; row < rows.size(); ++row)
      if (comparison.Differs(row)) AppendRow(html, columns, row, true);
    html += "</tbody>\n</table></div>\n";
  }
  AppendColumns(html, columns, write);

  html += "<h2 id=\"all\">All rows</h2>\n";
  AppendLeftOut(html, columns);
  html += "<div class=\"wide\"><table>\n";
  AppendHeader(html, columns);
  html += "<tbody>\n";
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (row == 0 || rows[row - 1].table != rows[row].table ||
        rows[row - 1].group != rows[row].group) {
      html += "<tr class=\"section\"><th colspan=\"" + std::to_string(span) +
              "\">" + Escape(rows[row].table);
      if (!rows[row].group.empty()) html += " / " + Escape(rows[row].group);
      html += "</th></tr>\n";
    }
    AppendRow(html, columns, row, false);
    Spill(html, write);
  }
  html += "</tbody>\n</table></div>\n</body>\n</html>\n";
  write(html);
}

std::string FormatHtml(const Columns& columns, const std::string& summary) {
  std::string page;
  WriteHtml(columns, summary,
            [&page](std::string_view bytes) { page.append(bytes); });
  return page;
}

}  // namespace kelvane
