#include "report/TableHeadings.h"

#include "report/ReportFile.h"

namespace {

void WriteTableHeader(const std::string& caption) {
  AppendReportLine(
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"5\" "
      "bgcolor=\"#EEEEEE\" bordercolor=\"#B4B4B4\" "
      "bordercolorlight=\"#D8D8D8\" bordercolordark=\"#8A8A8A\">");
  AppendReportLine("<tr bgcolor=\"#CCCCCC\">");
  AppendReportLine("<th colspan=2><div align=\"left\">" + caption +
                   "</div></th>");
  AppendReportLine("</tr>");
  AppendReportLine("<tr bgcolor=\"#DDDDDD\">");
  AppendReportLine("<td><b>Name</b></td>");
  AppendReportLine("<td><b>Value</b></td>");
  AppendReportLine("</tr>");
}

}  // namespace

void WriteIdentityTableHeader() { WriteTableHeader("Graphics Card Info"); }

void WriteCapsTableHeader() {
  WriteTableHeader("DirectGraphics HAL DeviceCaps");
}

void WriteGroupHeaderRow(const std::string& title) {
  AppendReportLine("<tr bgcolor=\"#DDDDDD\">");
  AppendReportLine("<th colspan=2><div align=\"left\">" + title +
                   "</div></th>");
  AppendReportLine("</tr>");
}
