#include "report/ReportFile.h"

#include "report/TextFile.h"

const char kReportFileName[] = "DeviceCaps.html";

namespace {
bool g_reportWhole = true;
}

void CreateReportFile(const std::string& text) {
  g_reportWhole =
      WriteTextFile(kReportFileName, FileOpening::CreateOrEmpty, text);
}

void AppendReportLine(const std::string& line) {
  if (!WriteTextFile(kReportFileName, FileOpening::Append, line + '\n'))
    g_reportWhole = false;
}

bool IsReportWhole() { return g_reportWhole; }
