// CapabilitySource over the system's d3d8.dll, loaded at run time: MinGW has
// no import library for it, and a machine without DirectX 8 must get the
// program's own message rather than a loader error.
#include <string>
#include <type_traits>

#include "platform/CapabilitySource.h"

namespace {

HMODULE g_d3d8 = nullptr;

using Direct3DCreate8Function = IDirect3D8*(WINAPI*)(UINT);
// On x86 the calling convention is part of the type: a pointer without
// WINAPI works on x64 and crashes on x86, so the compiler checks it here.
static_assert(
    std::is_same_v<Direct3DCreate8Function, decltype(&::Direct3DCreate8)>,
    "Direct3DCreate8 is called as the platform declares it");

// Only the copy in the system directory, by its full path: the program is run
// from wherever it was saved, and a d3d8.dll beside it or in the working
// directory must never be picked up by the search order. The ANSI functions:
// on Windows 98 and ME the wide ones are stubs that fail.
HMODULE LoadSystemD3d8() {
  char directory[MAX_PATH];
  const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  std::string path(directory, length);
  if (path.back() != '\\') path += '\\';
  path += "d3d8.dll";
  // No "missing file" dialog on old systems: a failure is the caller's to
  // report.
  const UINT previousMode =
      SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA(path.c_str());
  SetErrorMode(previousMode);
  return module;
}

void FreeD3d8() {
  if (g_d3d8 != nullptr) FreeLibrary(g_d3d8);
  g_d3d8 = nullptr;
}

Direct3DHandle CreateDirect3D(UINT sdkVersion) {
  g_d3d8 = LoadSystemD3d8();
  if (g_d3d8 == nullptr) return nullptr;
  const auto create = reinterpret_cast<Direct3DCreate8Function>(
      reinterpret_cast<void*>(GetProcAddress(g_d3d8, "Direct3DCreate8")));
  IDirect3D8* direct3d = create != nullptr ? create(sdkVersion) : nullptr;
  if (direct3d == nullptr) FreeD3d8();
  return direct3d;
}

IDirect3D8* AsDirect3D(Direct3DHandle direct3d) {
  return static_cast<IDirect3D8*>(direct3d);
}

UINT GetCount(Direct3DHandle direct3d) {
  return AsDirect3D(direct3d)->GetAdapterCount();
}

HRESULT GetIdentifier(Direct3DHandle direct3d, UINT adapter, DWORD flags,
                      D3DADAPTER_IDENTIFIER8* identifier) {
  return AsDirect3D(direct3d)->GetAdapterIdentifier(adapter, flags, identifier);
}

HRESULT GetCaps(Direct3DHandle direct3d, UINT adapter, D3DDEVTYPE deviceType,
                D3DCAPS8* caps) {
  return AsDirect3D(direct3d)->GetDeviceCaps(adapter, deviceType, caps);
}

// The object's code lives in the library, so the library goes last.
void ReleaseAndUnload(Direct3DHandle direct3d) {
  AsDirect3D(direct3d)->Release();
  FreeD3d8();
}

}  // namespace

const CapabilitySource& GetDirect3D8Source() {
  static const CapabilitySource source = {
      CreateDirect3D, GetCount, GetIdentifier, GetCaps, ReleaseAndUnload};
  return source;
}
