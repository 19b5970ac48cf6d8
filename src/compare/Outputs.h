// What kelvane-compare writes: the differing rows as text lines, the parsed
// reports as JSON, and the comparison as one self-contained HTML page.
#pragma once

#include <string>
#include <vector>

#include "compare/Comparison.h"
#include "compare/Report.h"

namespace kelvane {

// One line per differing row, "TABLE / [GROUP / ]LABEL: V1 | V2 | ...",
// then the summary line.
std::string FormatDifferences(const Comparison& comparison);

// {"reports":[{"file":...,"adapters":[{"identity":{...},"limits":{...},
// "flags":{GROUP:{LABEL:true|false}}}]}]}, always valid UTF-8.
std::string FormatJson(const std::vector<Report>& reports);

// UTF-8, no script, nothing fetched; every report text HTML-escaped.
std::string FormatHtml(const Comparison& comparison);

}  // namespace kelvane
