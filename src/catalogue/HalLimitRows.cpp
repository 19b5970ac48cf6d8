#include "catalogue/HalLimitRows.h"

#include "report/TableHeadings.h"

void WriteHalLimitRows(const D3DCAPS8& caps) {
  WriteCapsTableHeader();
  WriteValueRows(HalLimitRows, caps);
}
