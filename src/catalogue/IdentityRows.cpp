#include "catalogue/IdentityRows.h"

#include "report/RowWriters.h"
#include "report/TableHeadings.h"

#define IDENTITY_ROW(Field, Kind) \
  KELVANE_VALUE_ROW(D3DADAPTER_IDENTIFIER8, Field, Kind)

// In the record's declaration order.
const ValueRow<D3DADAPTER_IDENTIFIER8> IdentityRows[9] = {
    IDENTITY_ROW(Driver, WriteTextRow),
    IDENTITY_ROW(Description, WriteTextRow),
    IDENTITY_ROW(DriverVersion, WriteDriverVersionRow),
    IDENTITY_ROW(VendorId, WriteDwordRow),
    IDENTITY_ROW(DeviceId, WriteDwordRow),
    IDENTITY_ROW(SubSysId, WriteDwordRow),
    IDENTITY_ROW(Revision, WriteDwordRow),
    IDENTITY_ROW(DeviceIdentifier, WriteGuidRow),
    IDENTITY_ROW(WHQLLevel, WriteWhqlRow),
};

void WriteIdentityRows(const D3DADAPTER_IDENTIFIER8& identifier) {
  WriteIdentityTableHeader();
  WriteValueRows(IdentityRows, identifier);
}
