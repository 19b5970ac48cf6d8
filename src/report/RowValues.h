// The value text of each row kind but text, which is shown as it is: the one
// place where a value is formatted, for the writers and for the readers.
#pragma once

#include <string>

#include "platform/D3d8Records.h"

std::string FormFlagValue(int flagValue);  // "Yes" or "No"
std::string FormDwordValue(DWORD value);
std::string FormUintValue(UINT value);
std::string FormFloatValue(float value);
std::string FormGuidValue(const GUID& value);
std::string FormDeviceTypeValue(D3DDEVTYPE value);
std::string FormWhqlValue(DWORD value);
std::string FormShaderVersionValue(DWORD value);
std::string FormDriverVersionValue(LARGE_INTEGER value);
