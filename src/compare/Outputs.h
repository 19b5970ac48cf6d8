// What kelvane-compare writes: the differing rows and their coverage as
// text, every report as JSON or JSON Lines, and the comparison as one
// self-contained HTML page. Every text is UTF-8.
#pragma once

#include <functional>
#include <string>
#include <string_view>
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

// "identity":{...},"limits":{...},"flags":{GROUP:{LABEL:true|false}}: the
// JSON of a configuration's values, formed once for all its adapters.
std::string FormatJsonBody(const Configuration& configuration);

// {"reports": [{"file":...,"adapters":[{"configuration":K,BODY}, ...]}, ...]},
// written report by report: the start, each report (the file `report` and
// its adapters, those from `firstAdapter` on), the end. `bodies` by
// configuration.
std::string FormatJsonStart();
std::string FormatJsonReport(const Comparison& comparison, std::size_t report,
                             std::size_t firstAdapter,
                             const std::vector<std::string>& bodies);
std::string FormatJsonEnd();

// One line per adapter from `firstAdapter` on: {"file":...,"adapter":N,
// "configuration":K,BODY}.
std::string FormatJsonLines(const Comparison& comparison,
                            std::size_t firstAdapter,
                            const std::vector<std::string>& bodies);

// The page, handed to `write` piece by piece: a fleet's lists of adapters
// never sit whole in memory. No script, nothing fetched; every report text
// HTML-escaped.
void WriteHtml(const Comparison& comparison, const std::string& summary,
               const std::function<void(std::string_view)>& write);

// The same page as one text.
std::string FormatHtml(const Comparison& comparison,
                       const std::string& summary);

}  // namespace kelvane
