// The opening of the "DirectGraphics HAL DeviceCaps" table: the HAL device's
// scalar fields, one row each.
#pragma once

#include "catalogue/ValueRow.h"
#include "platform/D3d8Records.h"

extern const ValueRow<D3DCAPS8> HalLimitRows[28];

void WriteHalLimitRows(const D3DCAPS8& caps);
