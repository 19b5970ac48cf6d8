#include "catalogue/IdentityRows.h"

#include "report/TableHeadings.h"

void WriteIdentityRows(const D3DADAPTER_IDENTIFIER8& identifier) {
  WriteIdentityTableHeader();
  WriteValueRows(IdentityRows, identifier);
}
