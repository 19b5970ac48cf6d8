// The program's one seam over Direct3D 8: the factory and the four IDirect3D8
// operations it uses, with the platform's names and arguments. The driver
// calls whichever table it is given; tests give it a scripted one.
#pragma once

#include "platform/D3d8Records.h"

// An IDirect3D8 pointer from the real source; any non-null token otherwise.
using Direct3DHandle = void*;

struct CapabilitySource {
  Direct3DHandle (*Direct3DCreate8)(UINT sdkVersion);
  UINT (*GetAdapterCount)(Direct3DHandle direct3d);
  HRESULT(*GetAdapterIdentifier)
  (Direct3DHandle direct3d, UINT adapter, DWORD flags,
   D3DADAPTER_IDENTIFIER8* identifier);
  HRESULT(*GetDeviceCaps)
  (Direct3DHandle direct3d, UINT adapter, D3DDEVTYPE deviceType,
   D3DCAPS8* caps);
  void (*Release)(Direct3DHandle direct3d);
};

// The runtime version the program was written against; MinGW's header says 220.
constexpr UINT kDirect3DSdkVersion = 120;

#ifdef _WIN32
// d3d8.dll from the system directory, loaded when the factory is called.
const CapabilitySource& GetDirect3D8Source();
#endif
