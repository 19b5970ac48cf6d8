// A capability source that serves records from a script and records every
// call, so tests can drive the whole run without Direct3D.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/CapabilitySource.h"

struct ScriptedAdapter {
  D3DADAPTER_IDENTIFIER8 identifier;
  D3DCAPS8 caps;
  HRESULT identifierResult = D3D_OK;
  HRESULT capsResult = D3D_OK;
};

struct Script {
  bool createSucceeds = true;
  std::vector<ScriptedAdapter> adapters;
  // Runs at each call, before the call does its work; the argument is the
  // call as recorded.
  std::function<void(const std::string& call)> onCall;

  // What the run did: "Direct3DCreate8(120)", "GetAdapterCount()",
  // "GetAdapterIdentifier(0, 0)", "GetDeviceCaps(0, 1)", "Release()".
  std::vector<std::string> calls;
  int releaseCount = 0;
};

// Makes the script the one the returned source serves.
const CapabilitySource& UseScript(Script& script);

constexpr HRESULT kFailure = static_cast<HRESULT>(0x80004005);  // E_FAIL
