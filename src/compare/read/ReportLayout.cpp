#include "compare/read/ReportLayout.h"

#include "catalogue/FlagGroups.h"
#include "catalogue/HalLimitRows.h"
#include "catalogue/IdentityRows.h"
#include "report/ReportMarkup.h"

namespace kelvane {
namespace {

static_assert(std::string_view(IdentityRows[kDescriptionRow].label) ==
                  "Description",
              "kDescriptionRow must be the Description row");
static_assert(std::string_view(IdentityRows[kDriverVersionRow].label) ==
                  "DriverVersion",
              "kDriverVersionRow must be the DriverVersion row");
static_assert(
    std::string_view(HalLimitRows[kAdapterOrdinalRow - std::size(IdentityRows)]
                         .label) == "AdapterOrdinal",
    "kAdapterOrdinalRow must be the AdapterOrdinal row");

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

std::vector<RowLines> FormRowLines() {
  const std::vector<RowPlace>& rows = AdapterRows();
  std::vector<RowLines> lines(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::vector<FixedLine>& before = lines[i].before;
    const std::string table(rows[i].table), group(rows[i].group);
    if (i == 0 || rows[i].table != rows[i - 1].table) {
      if (i != 0)
        for (const std::string_view line : kTableClosing)
          before.push_back(
              {std::string(line),
               "the end of table " + std::string(rows[i - 1].table)});
      for (std::string& line : FormTableHeading(table))
        before.push_back({std::move(line), "the heading of table " + table});
    }
    if (!group.empty() && (i == 0 || rows[i].group != rows[i - 1].group))
      for (std::string& line : FormGroupHeader(group))
        before.push_back(
            {std::move(line), "the header of flag group " + group});
    lines[i].labelCell = FormCell(rows[i].label);
  }
  return lines;
}

}  // namespace

const std::vector<RowPlace>& AdapterRows() {
  static const std::vector<RowPlace> rows = LayOutRows();
  return rows;
}

bool IsCapability(std::size_t row) {
  return row >= std::size(IdentityRows) && row != kAdapterOrdinalRow;
}

const std::vector<RowLines>& AdapterRowLines() {
  static const std::vector<RowLines> lines = FormRowLines();
  return lines;
}

}  // namespace kelvane
