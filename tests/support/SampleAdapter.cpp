#include "support/SampleAdapter.h"

namespace {

// FIELD = PREFIX, the number in decimal, SUFFIX; the rest of FIELD zeros.
template <unsigned Size>
void SetTextAndNumber(char (&field)[Size], const char* prefix, unsigned number,
                      const char* suffix) {
  char digits[10];
  unsigned count = 0;
  do {
    digits[count++] = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  unsigned at = 0;
  for (; *prefix != '\0'; ++prefix) field[at++] = *prefix;
  while (count > 0) field[at++] = digits[--count];
  for (; *suffix != '\0'; ++suffix) field[at++] = *suffix;
  while (at < Size) field[at++] = '\0';
}

}  // namespace

void FillSampleIdentifier(unsigned adapter,
                          D3DADAPTER_IDENTIFIER8& identifier) {
  identifier = D3DADAPTER_IDENTIFIER8{};
  SetTextAndNumber(identifier.Driver, "kelvane", adapter, ".dll");
  SetTextAndNumber(identifier.Description, "Sample Adapter ", adapter, "");
  identifier.DriverVersion.HighPart = 4 << 16 | 12;
  identifier.DriverVersion.LowPart = 10u << 16 | (276 + adapter);
  identifier.VendorId = 4318 + adapter;
  identifier.DeviceId = 1741 + adapter;
  identifier.SubSysId = 0x10DE0000 + adapter;
  identifier.Revision = 161 + adapter;
  identifier.DeviceIdentifier.Data1 = 0xD7B71E3E + adapter;
  identifier.DeviceIdentifier.Data2 = 0x4322;
  identifier.DeviceIdentifier.Data3 = 0x11CF;
  const unsigned char data4[8] = {
      0x90, 0x3C, 0x00, 0x20,
      0xAF, 0x67, 0xD7, static_cast<unsigned char>(adapter)};
  for (unsigned i = 0; i < sizeof data4; ++i)
    identifier.DeviceIdentifier.Data4[i] = data4[i];
  identifier.WHQLLevel = 2001u << 16 | 9 << 8 | 30;
}

void FillSampleCaps(unsigned adapter, D3DCAPS8& caps) {
  caps = D3DCAPS8{};
  caps.DeviceType = D3DDEVTYPE_HAL;
  caps.AdapterOrdinal = adapter;
  caps.Caps = 0x20000;
  caps.Caps2 = 0xA0000;
  caps.Caps3 = 0x7;
  caps.PresentationIntervals = 0x8000000F;
  caps.CursorCaps = 0x1;
  caps.DevCaps = 0x1DBFFF0;
  caps.PrimitiveMiscCaps = 0xCF2;
  caps.RasterCaps = 0x7731D1;
  caps.ZCmpCaps = 0xFF;
  caps.SrcBlendCaps = 0x1FFF;
  caps.DestBlendCaps = 0x3FF;
  caps.AlphaCmpCaps = 0xFF;
  caps.ShadeCaps = 0x84208;
  caps.TextureCaps = 0x1ED45;
  caps.TextureFilterCaps = 0x3030700;
  caps.CubeTextureFilterCaps = 0x3030300;
  caps.VolumeTextureFilterCaps = 0x3030300;
  caps.TextureAddressCaps = 0x3F;
  caps.VolumeTextureAddressCaps = 0x3F;
  caps.LineCaps = 0x1F;
  caps.MaxTextureWidth = 4096 + adapter;
  caps.MaxTextureHeight = 4096;
  caps.MaxVolumeExtent = 512;
  caps.MaxTextureRepeat = 8192;
  caps.MaxTextureAspectRatio = 4096;
  caps.MaxAnisotropy = 16;
  caps.MaxVertexW = 1e10f;
  caps.GuardBandLeft = -1e8f;
  caps.GuardBandTop = -1e8f;
  caps.GuardBandRight = 1e8f;
  caps.GuardBandBottom = 1e8f;
  caps.ExtentsAdjust = 0.5f;
  caps.StencilCaps = 0xFF;
  caps.FVFCaps = 0x80008;
  caps.TextureOpCaps = 0x3FFFFFF;
  caps.MaxTextureBlendStages = 8;
  caps.MaxSimultaneousTextures = 4;
  caps.VertexProcessingCaps = 0x3B;
  caps.MaxActiveLights = 77777;
  caps.MaxUserClipPlanes = 6;
  caps.MaxVertexBlendMatrices = 4;
  caps.MaxVertexBlendMatrixIndex = 0;
  caps.MaxPointSize = 8192.0f;
  caps.MaxPrimitiveCount = 1048575;
  caps.MaxVertexIndex = 16777215;
  caps.MaxStreams = 16;
  caps.MaxStreamStride = 255;
  caps.VertexShaderVersion = 0xFFFE0101;
  caps.MaxVertexShaderConst = 96 + adapter;
  caps.PixelShaderVersion = 0xFFFF0104;
  caps.MaxPixelShaderValue = 8.0f;
}
