// Reads rows back out of report lines, for tests that look at rows rather
// than markup.
#pragma once

#include <string>
#include <vector>

struct ReportRow {
  std::string group;  // the caption or flag group title above the row
  std::string label;
  std::string value;  // the value cell's content
};

// The value rows and group titles of the lines, in order; a failure is
// recorded for any line that fits no row shape.
std::vector<ReportRow> ReadRows(const std::vector<std::string>& lines);

// The table captions and group titles of the lines, in order.
std::vector<std::string> ReadGroupTitles(const std::vector<std::string>& lines);
