#include "support/ReportRows.h"

#include <gtest/gtest.h>

#include "report/ReportMarkup.h"

namespace {

const std::string kGroupStart(kTitleCellStart), kGroupEnd(kTitleCellEnd),
    kStart(kCellStart), kEnd(kCellEnd);

bool Unwrap(const std::string& line, const std::string& start,
            const std::string& end, std::string& inner) {
  if (line.size() < start.size() + end.size() ||
      line.compare(0, start.size(), start) != 0 ||
      line.compare(line.size() - end.size(), end.size(), end) != 0)
    return false;
  inner = line.substr(start.size(), line.size() - start.size() - end.size());
  return true;
}

}  // namespace

std::vector<ReportRow> ReadRows(const std::vector<std::string>& lines) {
  std::vector<ReportRow> rows;
  std::string group;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string title;
    if (Unwrap(lines[i], kGroupStart, kGroupEnd, title)) {
      group = title;
      continue;
    }
    if (lines[i] != kRowStart) continue;
    ReportRow row{group, "", ""};
    if (i + 3 >= lines.size() ||
        !Unwrap(lines[i + 1], kStart, kEnd, row.label) ||
        !Unwrap(lines[i + 2], kStart, kEnd, row.value) ||
        lines[i + 3] != kRowEnd) {
      ADD_FAILURE() << "not a value row at line " << i;
      continue;
    }
    rows.push_back(row);
    i += 3;
  }
  return rows;
}

std::vector<std::string> ReadGroupTitles(
    const std::vector<std::string>& lines) {
  std::vector<std::string> titles;
  std::string title;
  for (const std::string& line : lines)
    if (Unwrap(line, kGroupStart, kGroupEnd, title)) titles.push_back(title);
  return titles;
}
