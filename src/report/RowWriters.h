// One writer per kind of value row: the label cell, then the value cell as
// the kind forms it. Labels and texts go in unescaped, byte for byte.
#pragma once

#include <string>

#include "platform/D3d8Records.h"
#include "report/RowKind.h"

void WriteFlagRow(const std::string& label, int flagValue);
void WriteTextRow(const std::string& label, const std::string& text);
void WriteDwordRow(const std::string& label, DWORD value);
void WriteUintRow(const std::string& label, UINT value);
void WriteFloatRow(const std::string& label, float value);
void WriteGuidRow(const std::string& label, const GUID& value);
void WriteDeviceTypeRow(const std::string& label, D3DDEVTYPE value);
void WriteWhqlRow(const std::string& label, DWORD value);
void WriteShaderVersionRow(const std::string& label, DWORD value);
void WriteDriverVersionRow(const std::string& label, LARGE_INTEGER value);

// The kind a writer writes, so that a catalogue row names its kind by its
// writer alone. A writer without a kind fails the build.
template <auto Writer>
struct RowKindOf;
#define KELVANE_ROW_KIND(Writer, Kind)             \
  template <>                                      \
  struct RowKindOf<Writer> {                       \
    static constexpr RowKind kind = RowKind::Kind; \
  }
KELVANE_ROW_KIND(WriteFlagRow, Flag);
KELVANE_ROW_KIND(WriteTextRow, Text);
KELVANE_ROW_KIND(WriteDwordRow, Dword);
KELVANE_ROW_KIND(WriteUintRow, Uint);
KELVANE_ROW_KIND(WriteFloatRow, Float);
KELVANE_ROW_KIND(WriteGuidRow, Guid);
KELVANE_ROW_KIND(WriteDeviceTypeRow, DeviceType);
KELVANE_ROW_KIND(WriteWhqlRow, Whql);
KELVANE_ROW_KIND(WriteShaderVersionRow, ShaderVersion);
KELVANE_ROW_KIND(WriteDriverVersionRow, DriverVersion);
#undef KELVANE_ROW_KIND
