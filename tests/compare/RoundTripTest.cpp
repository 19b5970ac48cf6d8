// What the program writes, kelvane-compare reads back cell for cell: for
// scripted records, every text whole (markup, line feeds and all), every
// value as its row kind wrote it, every flag from its mask.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "CompareFixture.h"
#include "ReportBytes.h"
#include "catalogue/ValueRow.h"
#include "compare/read/ReportParser.h"
#include "report/ReportFile.h"
#include "support/CrLf.h"
#include "support/ReportShape.h"

namespace {

using RoundTrip = CompareTest;

// The value cell that the row's own writer gives the record, as text.
template <typename Record>
std::string WrittenValue(const ValueRow<Record>& row, const Record& record) {
  CreateReportFile("");
  row.writeRow(row.label, record);
  std::string bytes = ReadFileBytes(kReportFileName);
  const std::string start = "<tr>\r\n<td>" + std::string(row.label) +
                            "</td>\r\n<td>",
                    end = "</td>\r\n</tr>\r\n";
  EXPECT_EQ(bytes.compare(0, start.size(), start), 0) << row.label;
  return LfOnly(
      bytes.substr(start.size(), bytes.size() - start.size() - end.size()));
}

// The cells from `first` on hold the rows' values as their writers wrote
// them.
template <typename Record, std::size_t Count>
void ExpectCells(const kelvane::AdapterCells& cells, std::size_t first,
                 const ValueRow<Record> (&rows)[Count], const Record& record) {
  ASSERT_GE(cells.values.size(), first + Count);
  for (std::size_t i = 0; i < Count; ++i)
    EXPECT_EQ(cells.values[first + i], WrittenValue(rows[i], record))
        << rows[i].label;
}

Script MarkupScript() {
  Script script = MakeSampleScript(3);
  D3DADAPTER_IDENTIFIER8& first = script.adapters[0].identifier;
  SetText(first.Driver, "<script>alert('x')</script>.dll");
  SetText(first.Description, "Line one\nLine two & <b>bold</b> 100%");

  D3DADAPTER_IDENTIFIER8& second = script.adapters[1].identifier;
  SetText(second.Driver, "caf\xE9 \x80 driver");  // Windows-1252 bytes
  SetText(second.Description, "a\r\nb</td>\nend\n");
  second.WHQLLevel = 0;
  D3DCAPS8& secondCaps = script.adapters[1].caps;
  secondCaps.DeviceType = static_cast<D3DDEVTYPE>(7);
  secondCaps.MaxVertexW = std::numeric_limits<float>::quiet_NaN();
  secondCaps.GuardBandLeft = -std::numeric_limits<float>::infinity();
  secondCaps.MaxPointSize = -std::numeric_limits<float>::max();

  D3DADAPTER_IDENTIFIER8& third = script.adapters[2].identifier;
  SetText(third.Driver, "");
  SetText(third.Description, std::string(511, 'd'));
  std::memset(&script.adapters[2].caps, 0xFF, sizeof(D3DCAPS8));
  return script;
}

TEST_F(RoundTrip, EveryCellOfEveryAdapterParsesBackAsWritten) {
  const Script script = MarkupScript();
  WriteReport(script, "markup.html");
  const kelvane::Report report =
      kelvane::ParseReport(ReadFileBytes("markup.html"), "markup.html");

  ASSERT_EQ(report.adapters.size(), script.adapters.size());
  for (std::size_t n = 0; n < script.adapters.size(); ++n) {
    SCOPED_TRACE("adapter " + std::to_string(n));
    const ScriptedAdapter& scripted = script.adapters[n];
    const kelvane::AdapterCells& parsed = report.adapters[n];

    ExpectCells(parsed, 0, IdentityRows, scripted.identifier);
    // The texts, byte for byte, against the records themselves.
    EXPECT_EQ(parsed.values[0], ReadField(scripted.identifier.Driver));
    EXPECT_EQ(parsed.values[1], ReadField(scripted.identifier.Description));
    ExpectCells(parsed, kIdentityRowCount, HalLimitRows, scripted.caps);

    std::size_t at = kIdentityRowCount + kHalLimitRowCount;
    for (const FlagGroup& group : FlagGroups) {
      const DWORD field = scripted.caps.*group.field;
      for (std::size_t f = 0; f < group.flags.count; ++f, ++at) {
        const FlagEntry& flag = group.flags.entries[f];
        ASSERT_LT(at, parsed.values.size());
        EXPECT_EQ(parsed.values[at],
                  (field & flag.mask) == flag.mask ? "Yes" : "No")
            << group.title << " " << flag.label;
      }
    }
    EXPECT_EQ(at, parsed.values.size());
  }
}

// What is taken is what the program writes: the cells, written out again
// through the same markup, are the report's bytes, with either line end.
TEST_F(RoundTrip, ParsedCellsWriteBackTheReportsOwnBytes) {
  WriteReport(MarkupScript(), "markup.html");
  const std::string bytes = ReadFileBytes("markup.html");
  for (const std::string& input : {bytes, LfOnly(bytes)}) {
    const kelvane::Report report = kelvane::ParseReport(input, "markup.html");
    EXPECT_EQ(FormReportBytes(report), WithCrLfEnds(input));
  }
  EXPECT_EQ(WithCrLfEnds(bytes), bytes);
}

}  // namespace
