// One writer per kind of value row: the label cell, then the value cell as
// the kind forms it. Labels and texts go in unescaped, byte for byte.
#pragma once

#include <string>

#include "platform/D3d8Records.h"

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
