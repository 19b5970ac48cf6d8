#include "report/RowWriters.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "report/ReportFile.h"

namespace {

// MinGW is built with its own printf, which follows the GNU formats.
#if defined(__MINGW32__)
__attribute__((format(gnu_printf, 1, 2)))
#elif defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
FormatCell(const char* format, ...) {
  // The longest formatted cell, the float cell of -FLT_MAX, is 52 bytes.
  char buffer[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(buffer, sizeof buffer, format, arguments);
  va_end(arguments);
  return buffer;
}

void WriteValueRow(const std::string& label, const std::string& valueCell) {
  AppendReportLine("<tr>");
  AppendReportLine("<td>" + label + "</td>");
  AppendReportLine(valueCell);
  AppendReportLine("</tr>");
}

}  // namespace

void WriteFlagRow(const std::string& label, int flagValue) {
  WriteValueRow(label, flagValue != 0 ? "<td>Yes</td>" : "<td>No</td>");
}

void WriteTextRow(const std::string& label, const std::string& text) {
  WriteValueRow(label, "<td>" + text + "</td>");
}

void WriteDwordRow(const std::string& label, DWORD value) {
  WriteValueRow(label,
                FormatCell("<td>%lu</td>", static_cast<unsigned long>(value)));
}

void WriteUintRow(const std::string& label, UINT value) {
  WriteValueRow(label, FormatCell("<td>%u</td>", static_cast<unsigned>(value)));
}

void WriteFloatRow(const std::string& label, float value) {
  // printf spells these differently from one C library to the next.
  if (std::isnan(value)) return WriteValueRow(label, "<td>nan</td>");
  if (std::isinf(value))
    return WriteValueRow(label, value < 0 ? "<td>-inf</td>" : "<td>inf</td>");
  WriteValueRow(label, FormatCell("<td>%.2f</td>", static_cast<double>(value)));
}

void WriteGuidRow(const std::string& label, const GUID& value) {
  // Data4 read as one big-endian number keeps every bit of the GUID.
  unsigned long long data4 = 0;
  for (const unsigned char byte : value.Data4) data4 = data4 << 8 | byte;
  WriteValueRow(label,
                FormatCell("<td>{%lu-%lu-%lu-%llu}</td>",
                           static_cast<unsigned long>(value.Data1),
                           static_cast<unsigned long>(value.Data2),
                           static_cast<unsigned long>(value.Data3), data4));
}

void WriteDeviceTypeRow(const std::string& label, D3DDEVTYPE value) {
  const auto type = static_cast<std::uint32_t>(value);
  switch (type) {
    case D3DDEVTYPE_HAL:
      return WriteValueRow(label, "<td>D3DDEVTYPE_HAL</td>");
    case D3DDEVTYPE_REF:
      return WriteValueRow(label, "<td>D3DDEVTYPE_REF</td>");
    case D3DDEVTYPE_SW:
      return WriteValueRow(label, "<td>D3DDEVTYPE_SW</td>");
    default:
      return WriteValueRow(
          label, FormatCell("<td>%lu</td>", static_cast<unsigned long>(type)));
  }
}

void WriteWhqlRow(const std::string& label, DWORD value) {
  if (value == 0) return WriteValueRow(label, "<td>Not certified</td>");
  if (value == 1) return WriteValueRow(label, "<td>Certified (No date)</td>");
  const unsigned day = value & 0xFF;
  const unsigned month = value >> 8 & 0xFF;
  const unsigned year = value >> 16 & 0xFFFF;
  WriteValueRow(label, FormatCell("<td>%u.%u.%u</td>", day, month, year));
}

void WriteShaderVersionRow(const std::string& label, DWORD value) {
  const int major = static_cast<int>(value >> 8 & 0xFF);
  const int minor = static_cast<int>(value & 0xFF);
  WriteValueRow(label, FormatCell("<td>%d.%d</td>", major, minor));
}

void WriteDriverVersionRow(const std::string& label, LARGE_INTEGER value) {
  const auto high = static_cast<std::uint32_t>(value.HighPart);
  const auto low = static_cast<std::uint32_t>(value.LowPart);
  WriteValueRow(
      label,
      FormatCell("<td>%d.%d.%d.%d</td>", static_cast<int>(high >> 16),
                 static_cast<int>(high & 0xFFFF), static_cast<int>(low >> 16),
                 static_cast<int>(low & 0xFFFF)));
}
