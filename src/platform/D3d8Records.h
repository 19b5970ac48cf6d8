// The Direct3D 8 records and types the report reads. Windows takes them from
// the platform headers; elsewhere they are declared here with the same field
// names, types and order, so every catalogue reads the same fields everywhere.
#pragma once

#ifdef _WIN32
#include <d3d8.h>
#include <windows.h>
#else
// The C header: the tests' 32-bit Pentium loader includes this file with no
// C++ library at hand.
#include <stdint.h>

typedef uint32_t DWORD;
typedef uint32_t UINT;
typedef uint32_t ULONG;
typedef int32_t LONG;
typedef int64_t LONGLONG;
typedef int32_t HRESULT;

#define D3D_OK 0
#define S_OK 0
#define S_FALSE 1
#define MAX_DEVICE_IDENTIFIER_STRING 512

typedef union _LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  };
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
} LARGE_INTEGER;

typedef struct _GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
} GUID;

typedef enum _D3DDEVTYPE {
  D3DDEVTYPE_HAL = 1,
  D3DDEVTYPE_REF = 2,
  D3DDEVTYPE_SW = 3,

  D3DDEVTYPE_FORCE_DWORD = 0xffffffff
} D3DDEVTYPE;

typedef struct _D3DADAPTER_IDENTIFIER8 {
  char Driver[MAX_DEVICE_IDENTIFIER_STRING];
  char Description[MAX_DEVICE_IDENTIFIER_STRING];

  LARGE_INTEGER DriverVersion;
  DWORD VendorId;
  DWORD DeviceId;
  DWORD SubSysId;
  DWORD Revision;

  GUID DeviceIdentifier;

  DWORD WHQLLevel;
} D3DADAPTER_IDENTIFIER8;

typedef struct _D3DCAPS8 {
  D3DDEVTYPE DeviceType;
  UINT AdapterOrdinal;

  DWORD Caps;
  DWORD Caps2;
  DWORD Caps3;
  DWORD PresentationIntervals;

  DWORD CursorCaps;

  DWORD DevCaps;

  DWORD PrimitiveMiscCaps;
  DWORD RasterCaps;
  DWORD ZCmpCaps;
  DWORD SrcBlendCaps;
  DWORD DestBlendCaps;
  DWORD AlphaCmpCaps;
  DWORD ShadeCaps;
  DWORD TextureCaps;
  DWORD TextureFilterCaps;
  DWORD CubeTextureFilterCaps;
  DWORD VolumeTextureFilterCaps;
  DWORD TextureAddressCaps;
  DWORD VolumeTextureAddressCaps;

  DWORD LineCaps;

  DWORD MaxTextureWidth, MaxTextureHeight;
  DWORD MaxVolumeExtent;

  DWORD MaxTextureRepeat;
  DWORD MaxTextureAspectRatio;
  DWORD MaxAnisotropy;
  float MaxVertexW;

  float GuardBandLeft;
  float GuardBandTop;
  float GuardBandRight;
  float GuardBandBottom;

  float ExtentsAdjust;
  DWORD StencilCaps;

  DWORD FVFCaps;
  DWORD TextureOpCaps;
  DWORD MaxTextureBlendStages;
  DWORD MaxSimultaneousTextures;

  DWORD VertexProcessingCaps;
  DWORD MaxActiveLights;
  DWORD MaxUserClipPlanes;
  DWORD MaxVertexBlendMatrices;
  DWORD MaxVertexBlendMatrixIndex;

  float MaxPointSize;

  DWORD MaxPrimitiveCount;
  DWORD MaxVertexIndex;
  DWORD MaxStreams;
  DWORD MaxStreamStride;

  DWORD VertexShaderVersion;
  DWORD MaxVertexShaderConst;

  DWORD PixelShaderVersion;
  float MaxPixelShaderValue;
} D3DCAPS8;
#endif

#include "platform/D3d8CapsBits.h"

#ifdef _WIN32
#define KELVANE_CHECK_CAPS_BIT(Name, Value) \
  static_assert(Name == Value, #Name " must keep the platform's value");
KELVANE_D3D8_CAPS_BITS(KELVANE_CHECK_CAPS_BIT)
#undef KELVANE_CHECK_CAPS_BIT
#else
#define KELVANE_DECLARE_CAPS_BIT(Name, Value) \
  inline constexpr DWORD Name = Value;
KELVANE_D3D8_CAPS_BITS(KELVANE_DECLARE_CAPS_BIT)
#undef KELVANE_DECLARE_CAPS_BIT
#endif

static_assert(sizeof(DWORD) == 4 && sizeof(UINT) == 4,
              "32-bit platform integers");
static_assert(sizeof(GUID) == 16, "GUID is 16 bytes");
static_assert(sizeof(D3DDEVTYPE) == 4, "D3DDEVTYPE is 32 bits");
static_assert(sizeof(D3DCAPS8) == 53 * 4, "D3DCAPS8 is 53 four-byte fields");
// The platform packs its records to four bytes on x86: the 8-byte
// DriverVersion then leaves no padding at the end of the identifier.
static_assert(sizeof(D3DADAPTER_IDENTIFIER8) ==
                  (sizeof(void*) == 4 ? 1068 : 1072),
              "D3DADAPTER_IDENTIFIER8 laid out as the platform's");
