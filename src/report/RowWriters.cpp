#include "report/RowWriters.h"

#include "report/ReportFile.h"
#include "report/ReportMarkup.h"
#include "report/RowValues.h"

namespace {

void WriteValueRow(const std::string& label, const std::string& value) {
  AppendReportLine(std::string(kRowStart));
  AppendReportLine(FormCell(label));
  AppendReportLine(FormCell(value));
  AppendReportLine(std::string(kRowEnd));
}

}  // namespace

void WriteFlagRow(const std::string& label, int flagValue) {
  WriteValueRow(label, FormFlagValue(flagValue));
}

void WriteTextRow(const std::string& label, const std::string& text) {
  WriteValueRow(label, text);
}

void WriteDwordRow(const std::string& label, DWORD value) {
  WriteValueRow(label, FormDwordValue(value));
}

void WriteUintRow(const std::string& label, UINT value) {
  WriteValueRow(label, FormUintValue(value));
}

void WriteFloatRow(const std::string& label, float value) {
  WriteValueRow(label, FormFloatValue(value));
}

void WriteGuidRow(const std::string& label, const GUID& value) {
  WriteValueRow(label, FormGuidValue(value));
}

void WriteDeviceTypeRow(const std::string& label, D3DDEVTYPE value) {
  WriteValueRow(label, FormDeviceTypeValue(value));
}

void WriteWhqlRow(const std::string& label, DWORD value) {
  WriteValueRow(label, FormWhqlValue(value));
}

void WriteShaderVersionRow(const std::string& label, DWORD value) {
  WriteValueRow(label, FormShaderVersionValue(value));
}

void WriteDriverVersionRow(const std::string& label, LARGE_INTEGER value) {
  WriteValueRow(label, FormDriverVersionValue(value));
}
