// The records declared for builds without the platform headers must lay out
// like the platform's own: the same list holds on every build.
#include <gtest/gtest.h>

#include <cstddef>

#include "platform/D3d8Records.h"

namespace {

#define AT(Record, Field) \
  { #Field, offsetof(Record, Field) }

struct FieldOffset {
  const char* field;
  std::size_t offset;
};

TEST(RecordLayout, CapsFieldsFollowOneAnotherInDeclarationOrder) {
  // Every field of D3DCAPS8 is four bytes wide.
  const FieldOffset fields[] = {
      AT(D3DCAPS8, DeviceType),
      AT(D3DCAPS8, AdapterOrdinal),
      AT(D3DCAPS8, Caps),
      AT(D3DCAPS8, Caps2),
      AT(D3DCAPS8, Caps3),
      AT(D3DCAPS8, PresentationIntervals),
      AT(D3DCAPS8, CursorCaps),
      AT(D3DCAPS8, DevCaps),
      AT(D3DCAPS8, PrimitiveMiscCaps),
      AT(D3DCAPS8, RasterCaps),
      AT(D3DCAPS8, ZCmpCaps),
      AT(D3DCAPS8, SrcBlendCaps),
      AT(D3DCAPS8, DestBlendCaps),
      AT(D3DCAPS8, AlphaCmpCaps),
      AT(D3DCAPS8, ShadeCaps),
      AT(D3DCAPS8, TextureCaps),
      AT(D3DCAPS8, TextureFilterCaps),
      AT(D3DCAPS8, CubeTextureFilterCaps),
      AT(D3DCAPS8, VolumeTextureFilterCaps),
      AT(D3DCAPS8, TextureAddressCaps),
      AT(D3DCAPS8, VolumeTextureAddressCaps),
      AT(D3DCAPS8, LineCaps),
      AT(D3DCAPS8, MaxTextureWidth),
      AT(D3DCAPS8, MaxTextureHeight),
      AT(D3DCAPS8, MaxVolumeExtent),
      AT(D3DCAPS8, MaxTextureRepeat),
      AT(D3DCAPS8, MaxTextureAspectRatio),
      AT(D3DCAPS8, MaxAnisotropy),
      AT(D3DCAPS8, MaxVertexW),
      AT(D3DCAPS8, GuardBandLeft),
      AT(D3DCAPS8, GuardBandTop),
      AT(D3DCAPS8, GuardBandRight),
      AT(D3DCAPS8, GuardBandBottom),
      AT(D3DCAPS8, ExtentsAdjust),
      AT(D3DCAPS8, StencilCaps),
      AT(D3DCAPS8, FVFCaps),
      AT(D3DCAPS8, TextureOpCaps),
      AT(D3DCAPS8, MaxTextureBlendStages),
      AT(D3DCAPS8, MaxSimultaneousTextures),
      AT(D3DCAPS8, VertexProcessingCaps),
      AT(D3DCAPS8, MaxActiveLights),
      AT(D3DCAPS8, MaxUserClipPlanes),
      AT(D3DCAPS8, MaxVertexBlendMatrices),
      AT(D3DCAPS8, MaxVertexBlendMatrixIndex),
      AT(D3DCAPS8, MaxPointSize),
      AT(D3DCAPS8, MaxPrimitiveCount),
      AT(D3DCAPS8, MaxVertexIndex),
      AT(D3DCAPS8, MaxStreams),
      AT(D3DCAPS8, MaxStreamStride),
      AT(D3DCAPS8, VertexShaderVersion),
      AT(D3DCAPS8, MaxVertexShaderConst),
      AT(D3DCAPS8, PixelShaderVersion),
      AT(D3DCAPS8, MaxPixelShaderValue),
  };
  std::size_t expected = 0;
  for (const FieldOffset& field : fields) {
    EXPECT_EQ(field.offset, expected) << field.field;
    expected += 4;
  }
  EXPECT_EQ(sizeof(D3DCAPS8), expected);
}

TEST(RecordLayout, IdentifierFieldsSitWhereThePlatformPutsThem) {
  const FieldOffset fields[] = {
      {"Driver", 0},      {"Description", 512},       {"DriverVersion", 1024},
      {"VendorId", 1032}, {"DeviceId", 1036},         {"SubSysId", 1040},
      {"Revision", 1044}, {"DeviceIdentifier", 1048}, {"WHQLLevel", 1064},
  };
  const FieldOffset actual[] = {
      AT(D3DADAPTER_IDENTIFIER8, Driver),
      AT(D3DADAPTER_IDENTIFIER8, Description),
      AT(D3DADAPTER_IDENTIFIER8, DriverVersion),
      AT(D3DADAPTER_IDENTIFIER8, VendorId),
      AT(D3DADAPTER_IDENTIFIER8, DeviceId),
      AT(D3DADAPTER_IDENTIFIER8, SubSysId),
      AT(D3DADAPTER_IDENTIFIER8, Revision),
      AT(D3DADAPTER_IDENTIFIER8, DeviceIdentifier),
      AT(D3DADAPTER_IDENTIFIER8, WHQLLevel),
  };
  ASSERT_EQ(std::size(fields), std::size(actual));
  for (std::size_t i = 0; i < std::size(fields); ++i) {
    EXPECT_STREQ(actual[i].field, fields[i].field);
    EXPECT_EQ(actual[i].offset, fields[i].offset) << fields[i].field;
  }
}

}  // namespace
