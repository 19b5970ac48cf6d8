// The opening of the "DirectGraphics HAL DeviceCaps" table: the HAL device's
// scalar fields, one row each.
#pragma once

#include "catalogue/ValueRow.h"
#include "platform/D3d8Records.h"
#include "report/RowWriters.h"

#define KELVANE_CAPS_ROW(Field, Writer) \
  KELVANE_VALUE_ROW(D3DCAPS8, Field, Writer)

// In the record's declaration order. MaxActiveLights, between
// MaxSimultaneousTextures and MaxUserClipPlanes, has never been shown.
inline constexpr ValueRow<D3DCAPS8> HalLimitRows[] = {
    KELVANE_CAPS_ROW(DeviceType, WriteDeviceTypeRow),
    KELVANE_CAPS_ROW(AdapterOrdinal, WriteUintRow),
    KELVANE_CAPS_ROW(MaxTextureWidth, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxTextureHeight, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxVolumeExtent, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxTextureRepeat, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxTextureAspectRatio, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxAnisotropy, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxVertexW, WriteFloatRow),
    KELVANE_CAPS_ROW(GuardBandLeft, WriteFloatRow),
    KELVANE_CAPS_ROW(GuardBandTop, WriteFloatRow),
    KELVANE_CAPS_ROW(GuardBandRight, WriteFloatRow),
    KELVANE_CAPS_ROW(GuardBandBottom, WriteFloatRow),
    KELVANE_CAPS_ROW(ExtentsAdjust, WriteFloatRow),
    KELVANE_CAPS_ROW(MaxTextureBlendStages, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxSimultaneousTextures, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxUserClipPlanes, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxVertexBlendMatrices, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxVertexBlendMatrixIndex, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxPointSize, WriteFloatRow),
    KELVANE_CAPS_ROW(MaxPrimitiveCount, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxVertexIndex, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxStreams, WriteDwordRow),
    KELVANE_CAPS_ROW(MaxStreamStride, WriteDwordRow),
    KELVANE_CAPS_ROW(VertexShaderVersion, WriteShaderVersionRow),
    KELVANE_CAPS_ROW(MaxVertexShaderConst, WriteDwordRow),
    KELVANE_CAPS_ROW(PixelShaderVersion, WriteShaderVersionRow),
    KELVANE_CAPS_ROW(MaxPixelShaderValue, WriteFloatRow),
};

void WriteHalLimitRows(const D3DCAPS8& caps);
