#include "ReportBytes.h"

#include "compare/read/ReportLayout.h"
#include "report/ReportMarkup.h"
#include "support/CrLf.h"

namespace {

// As the program writes a line: every line feed stored as CR LF.
void AddLine(std::string& bytes, std::string_view line) {
  bytes += CrLf(std::string(line) + "\n");
}

template <typename Lines>
void AddLines(std::string& bytes, const Lines& lines) {
  for (const auto& line : lines) AddLine(bytes, line);
}

}  // namespace

std::string WithCrLfEnds(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) out += '\r';
    out += bytes[i];
  }
  return out;
}

std::string FormReportBytes(const kelvane::Report& report) {
  std::string bytes;
  AddLine(bytes, kReportStart);
  AddLines(bytes, kReportHead);
  const auto& rowLines = kelvane::AdapterRowLines();
  for (const kelvane::AdapterCells& adapter : report.adapters) {
    for (std::size_t row = 0; row < rowLines.size(); ++row) {
      for (const kelvane::FixedLine& fixed : rowLines[row].before)
        AddLine(bytes, fixed.line);
      AddLine(bytes, kRowStart);
      AddLine(bytes, rowLines[row].labelCell);
      AddLine(bytes, FormCell(adapter.values[row]));
      AddLine(bytes, kRowEnd);
    }
    AddLines(bytes, kTableClosing);
  }
  AddLine(bytes, FormCreditLine());
  AddLine(bytes, kReportEnd);
  return bytes;
}
