// The "Graphics Card Info" table: one row per field of the adapter identifier.
#pragma once

#include "catalogue/ValueRow.h"
#include "platform/D3d8Records.h"

extern const ValueRow<D3DADAPTER_IDENTIFIER8> IdentityRows[9];

void WriteIdentityRows(const D3DADAPTER_IDENTIFIER8& identifier);
