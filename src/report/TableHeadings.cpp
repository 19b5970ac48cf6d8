#include "report/TableHeadings.h"

#include "report/ReportFile.h"
#include "report/ReportMarkup.h"

namespace {

template <std::size_t Count>
void AppendLines(const std::array<std::string, Count>& lines) {
  for (const std::string& line : lines) AppendReportLine(line);
}

}  // namespace

void WriteIdentityTableHeader() {
  AppendLines(FormTableHeading(kIdentityCaption));
}

void WriteCapsTableHeader() { AppendLines(FormTableHeading(kCapsCaption)); }

void WriteGroupHeaderRow(const std::string& title) {
  AppendLines(FormGroupHeader(title));
}
