// What kelvane-compare writes: the differing rows and their coverage as
// text, every report as JSON or JSON Lines, and the comparison as one
// self-contained HTML page. Every text is UTF-8.
#pragma once

#include <string>
#include <vector>

#include "compare/Comparison.h"
#include "compare/Report.h"

namespace kelvane {

// "[K] FILE #N (DESCRIPTION)" a line per column, with the adapters alike.
std::string FormatLegend(const Comparison& comparison);

// "TABLE / [GROUP / ]LABEL: V1 | V2 | ..." a line per differing row, a
// value per column.
std::string FormatDifferences(const Comparison& comparison);

// "TABLE / [GROUP / ]LABEL: V on N (P%), ..." a line per differing row,
// most common value first; a flag row says how many show Yes.
std::string FormatCoverage(const Comparison& comparison);

// {"reports": [{"file":...,"adapters":[{"configuration":K,"identity":{...},
// "limits":{...},"flags":{GROUP:{LABEL:true|false}}}]}, ...]}, written report
// by report: the start, each report, the end.
std::string FormatJsonStart();
std::string FormatJsonReport(const Report& report,
                             const std::vector<std::size_t>& configurations,
                             bool first);
std::string FormatJsonEnd();

// One line per adapter: {"file":...,"adapter":N,"configuration":K,
// "identity":{...},"limits":{...},"flags":{...}}.
std::string FormatJsonLines(const Report& report,
                            const std::vector<std::size_t>& configurations);

// No script, nothing fetched; every report text HTML-escaped.
std::string FormatHtml(const Comparison& comparison,
                       const std::string& summary);

}  // namespace kelvane
