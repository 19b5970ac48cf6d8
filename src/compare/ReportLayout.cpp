#include "compare/ReportLayout.h"

#include "catalogue/FlagGroups.h"
#include "catalogue/HalLimitRows.h"
#include "catalogue/IdentityRows.h"
#include "report/ReportMarkup.h"

namespace kelvane {
namespace {

static_assert(std::string_view(IdentityRows[kDescriptionRow].label) ==
                  "Description",
              "kDescriptionRow must be the Description row");

std::vector<RowPlace> LayOutRows() {
  std::vector<RowPlace> rows;
  for (const auto& row : IdentityRows)
    rows.push_back({kIdentityCaption, {}, row.label, row.kind});
  for (const auto& row : HalLimitRows)
    rows.push_back({kCapsCaption, {}, row.label, row.kind});
  for (const FlagGroup& group : FlagGroups)
    for (std::size_t i = 0; i < group.flags.count; ++i)
      rows.push_back({kCapsCaption, group.title, group.flags.entries[i].label,
                      RowKind::Flag});
  return rows;
}

}  // namespace

const std::vector<RowPlace>& AdapterRows() {
  static const std::vector<RowPlace> rows = LayOutRows();
  return rows;
}

}  // namespace kelvane
