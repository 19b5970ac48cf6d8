// The "Graphics Card Info" table: one row per field of the adapter identifier.
#pragma once

#include "catalogue/ValueRow.h"
#include "platform/D3d8Records.h"
#include "report/RowWriters.h"

#define KELVANE_IDENTITY_ROW(Field, Writer) \
  KELVANE_VALUE_ROW(D3DADAPTER_IDENTIFIER8, Field, Writer)

// In the record's declaration order.
inline constexpr ValueRow<D3DADAPTER_IDENTIFIER8> IdentityRows[] = {
    KELVANE_IDENTITY_ROW(Driver, WriteTextRow),
    KELVANE_IDENTITY_ROW(Description, WriteTextRow),
    KELVANE_IDENTITY_ROW(DriverVersion, WriteDriverVersionRow),
    KELVANE_IDENTITY_ROW(VendorId, WriteDwordRow),
    KELVANE_IDENTITY_ROW(DeviceId, WriteDwordRow),
    KELVANE_IDENTITY_ROW(SubSysId, WriteDwordRow),
    KELVANE_IDENTITY_ROW(Revision, WriteDwordRow),
    KELVANE_IDENTITY_ROW(DeviceIdentifier, WriteGuidRow),
    KELVANE_IDENTITY_ROW(WHQLLevel, WriteWhqlRow),
};

void WriteIdentityRows(const D3DADAPTER_IDENTIFIER8& identifier);
