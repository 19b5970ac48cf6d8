#include <gtest/gtest.h>

#include <cstring>

#include "catalogue/IdentityRows.h"
#include "report/ReportFile.h"
#include "support/ReportRows.h"
#include "support/ReportShape.h"
#include "support/SampleRecords.h"
#include "support/WorkingDirectory.h"

namespace {

using Lines = std::vector<std::string>;

class IdentityRowsTest : public InTempDirectory {
 protected:
  Lines Write(const D3DADAPTER_IDENTIFIER8& identifier) {
    CreateReportFile("");
    WriteIdentityRows(identifier);
    return ReadReportLines();
  }
  std::string Cell(const D3DADAPTER_IDENTIFIER8& identifier,
                   const std::string& label) {
    for (const ReportRow& row : ReadRows(Write(identifier)))
      if (row.label == label) return row.value;
    ADD_FAILURE() << "no row " << label;
    return "";
  }
};

TEST_F(IdentityRowsTest, WritesTheWholeGraphicsCardInfoTable) {
  const Lines lines = Write(MakeSampleIdentifier(0));
  ASSERT_EQ(lines.size(), kIdentityTableLines);
  EXPECT_EQ(lines[2],
            "<th colspan=2><div align=\"left\">Graphics Card Info</div></th>");
  const Lines expected = {
      "<tr>",
      "<td>Driver</td>",
      "<td>kelvane0.dll</td>",
      "</tr>",
      "<tr>",
      "<td>Description</td>",
      "<td>Sample Adapter 0</td>",
      "</tr>",
      "<tr>",
      "<td>DriverVersion</td>",
      "<td>4.12.10.276</td>",
      "</tr>",
      "<tr>",
      "<td>VendorId</td>",
      "<td>4318</td>",
      "</tr>",
      "<tr>",
      "<td>DeviceId</td>",
      "<td>1741</td>",
      "</tr>",
      "<tr>",
      "<td>SubSysId</td>",
      "<td>282984448</td>",
      "</tr>",
      "<tr>",
      "<td>Revision</td>",
      "<td>161</td>",
      "</tr>",
      "<tr>",
      "<td>DeviceIdentifier</td>",
      "<td>{3619102270-17186-4559-10393182180446033664}</td>",
      "</tr>",
      "<tr>",
      "<td>WHQLLevel</td>",
      "<td>30.9.2001</td>",
      "</tr>",
  };
  EXPECT_EQ(Lines(lines.begin() + 8, lines.end()), expected);
}

TEST_F(IdentityRowsTest, ShowsTextsByteForByteUpToTheirNul) {
  struct TextCase {
    const char* what;
    std::string text;
  };
  const TextCase cases[] = {
      {"markup and percent", "<b>Radeon & Co</b> 100% %s %n \"x\""},
      {"empty", ""},
      {"bytes above 0x7F", "Carte graphique \xE9\xFF"},
      {"511 bytes, the longest that leaves room for a NUL",
       std::string(511, 'd')},
  };
  for (const TextCase& c : cases) {
    D3DADAPTER_IDENTIFIER8 identifier = MakeSampleIdentifier(0);
    SetText(identifier.Driver, c.text);
    SetText(identifier.Description, c.text + "!");
    EXPECT_EQ(Cell(identifier, "Driver"), c.text) << c.what;
    if (c.text.size() < 511) {
      EXPECT_EQ(Cell(identifier, "Description"), c.text + "!") << c.what;
    }
  }
}

TEST_F(IdentityRowsTest, ATextWithoutNulIsShownWholeAndNothingBeyondIt) {
  D3DADAPTER_IDENTIFIER8 identifier = MakeSampleIdentifier(0);
  std::memset(identifier.Driver, 'D', sizeof identifier.Driver);
  std::memset(identifier.Description, 'E', sizeof identifier.Description);
  // What follows Description in the record is not text: it must not show.
  EXPECT_EQ(Cell(identifier, "Driver"), std::string(512, 'D'));
  EXPECT_EQ(Cell(identifier, "Description"), std::string(512, 'E'));
}

TEST_F(IdentityRowsTest, ANulInTheMiddleEndsTheText) {
  D3DADAPTER_IDENTIFIER8 identifier = MakeSampleIdentifier(0);
  std::memset(identifier.Description, 'x', sizeof identifier.Description);
  identifier.Description[5] = '\0';
  EXPECT_EQ(Cell(identifier, "Description"), "xxxxx");
}

}  // namespace
