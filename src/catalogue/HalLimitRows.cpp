#include "catalogue/HalLimitRows.h"

#include "report/RowWriters.h"
#include "report/TableHeadings.h"

#define CAPS_ROW(Field, Kind) KELVANE_VALUE_ROW(D3DCAPS8, Field, Kind)

// In the record's declaration order. MaxActiveLights, between
// MaxSimultaneousTextures and MaxUserClipPlanes, has never been shown.
const ValueRow<D3DCAPS8> HalLimitRows[28] = {
    CAPS_ROW(DeviceType, WriteDeviceTypeRow),
    CAPS_ROW(AdapterOrdinal, WriteUintRow),
    CAPS_ROW(MaxTextureWidth, WriteDwordRow),
    CAPS_ROW(MaxTextureHeight, WriteDwordRow),
    CAPS_ROW(MaxVolumeExtent, WriteDwordRow),
    CAPS_ROW(MaxTextureRepeat, WriteDwordRow),
    CAPS_ROW(MaxTextureAspectRatio, WriteDwordRow),
    CAPS_ROW(MaxAnisotropy, WriteDwordRow),
    CAPS_ROW(MaxVertexW, WriteFloatRow),
    CAPS_ROW(GuardBandLeft, WriteFloatRow),
    CAPS_ROW(GuardBandTop, WriteFloatRow),
    CAPS_ROW(GuardBandRight, WriteFloatRow),
    CAPS_ROW(GuardBandBottom, WriteFloatRow),
    CAPS_ROW(ExtentsAdjust, WriteFloatRow),
    CAPS_ROW(MaxTextureBlendStages, WriteDwordRow),
    CAPS_ROW(MaxSimultaneousTextures, WriteDwordRow),
    CAPS_ROW(MaxUserClipPlanes, WriteDwordRow),
    CAPS_ROW(MaxVertexBlendMatrices, WriteDwordRow),
    CAPS_ROW(MaxVertexBlendMatrixIndex, WriteDwordRow),
    CAPS_ROW(MaxPointSize, WriteFloatRow),
    CAPS_ROW(MaxPrimitiveCount, WriteDwordRow),
    CAPS_ROW(MaxVertexIndex, WriteDwordRow),
    CAPS_ROW(MaxStreams, WriteDwordRow),
    CAPS_ROW(MaxStreamStride, WriteDwordRow),
    CAPS_ROW(VertexShaderVersion, WriteShaderVersionRow),
    CAPS_ROW(MaxVertexShaderConst, WriteDwordRow),
    CAPS_ROW(PixelShaderVersion, WriteShaderVersionRow),
    CAPS_ROW(MaxPixelShaderValue, WriteFloatRow),
};

void WriteHalLimitRows(const D3DCAPS8& caps) {
  WriteCapsTableHeader();
  WriteValueRows(HalLimitRows, caps);
}
