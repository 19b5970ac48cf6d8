#include "support/ScriptedSource.h"

namespace {

Script* g_script = nullptr;

void Record(const std::string& call) {
  g_script->calls.push_back(call);
  if (g_script->onCall) g_script->onCall(call);
}

std::string Arguments(UINT first, DWORD second) {
  return "(" + std::to_string(first) + ", " + std::to_string(second) + ")";
}

bool IsScriptHandle(Direct3DHandle direct3d) { return direct3d == g_script; }

Direct3DHandle Create(UINT sdkVersion) {
  Record("Direct3DCreate8(" + std::to_string(sdkVersion) + ")");
  return g_script->createSucceeds ? g_script : nullptr;
}

UINT GetCount(Direct3DHandle direct3d) {
  Record("GetAdapterCount()");
  if (!IsScriptHandle(direct3d)) return 0;
  return static_cast<UINT>(g_script->adapters.size());
}

HRESULT GetIdentifier(Direct3DHandle direct3d, UINT adapter, DWORD flags,
                      D3DADAPTER_IDENTIFIER8* identifier) {
  Record("GetAdapterIdentifier" + Arguments(adapter, flags));
  if (!IsScriptHandle(direct3d) || adapter >= g_script->adapters.size())
    return kFailure;
  const ScriptedAdapter& scripted = g_script->adapters[adapter];
  *identifier = scripted.identifier;
  return scripted.identifierResult;
}

HRESULT GetCaps(Direct3DHandle direct3d, UINT adapter, D3DDEVTYPE deviceType,
                D3DCAPS8* caps) {
  Record("GetDeviceCaps" + Arguments(adapter, static_cast<DWORD>(deviceType)));
  if (!IsScriptHandle(direct3d) || adapter >= g_script->adapters.size())
    return kFailure;
  const ScriptedAdapter& scripted = g_script->adapters[adapter];
  *caps = scripted.caps;
  return scripted.capsResult;
}

void Release(Direct3DHandle direct3d) {
  Record("Release()");
  if (IsScriptHandle(direct3d)) ++g_script->releaseCount;
}

const CapabilitySource kScriptedSource = {Create, GetCount, GetIdentifier,
                                          GetCaps, Release};

}  // namespace

const CapabilitySource& UseScript(Script& script) {
  g_script = &script;
  return kScriptedSource;
}
