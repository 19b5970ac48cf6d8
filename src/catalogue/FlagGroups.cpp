#include "catalogue/FlagGroups.h"

#include "report/RowWriters.h"
#include "report/TableHeadings.h"

void WriteFlagGroups(const D3DCAPS8& caps) {
  for (const FlagGroup& group : FlagGroups) {
    WriteGroupHeaderRow(group.title);
    const DWORD field = caps.*group.field;
    for (std::size_t i = 0; i < group.flags.count; ++i) {
      const FlagEntry& flag = group.flags.entries[i];
      WriteFlagRow(flag.label, (field & flag.mask) == flag.mask ? 1 : 0);
    }
  }
}
