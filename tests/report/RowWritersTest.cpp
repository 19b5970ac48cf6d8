#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "report/ReportFile.h"
#include "report/RowWriters.h"
#include "report/TableHeadings.h"
#include "support/CrLf.h"
#include "support/WorkingDirectory.h"

namespace {

using Lines = std::vector<std::string>;

class RowWriters : public InTempDirectory {
 protected:
  Lines Write(const std::function<void()>& write) {
    CreateReportFile("");
    write();
    return ReadReportLines();
  }
};

TEST_F(RowWriters, TableHeadingsAreEightLinesDifferingOnlyInTheCaption) {
  const std::string opening =
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"5\" "
      "bgcolor=\"#EEEEEE\" bordercolor=\"#B4B4B4\" "
      "bordercolorlight=\"#D8D8D8\" "
      "bordercolordark=\"#8A8A8A\">";
  auto heading = [&](const std::string& caption) {
    return Lines{opening,
                 "<tr bgcolor=\"#CCCCCC\">",
                 "<th colspan=2><div align=\"left\">" + caption + "</div></th>",
                 "</tr>",
                 "<tr bgcolor=\"#DDDDDD\">",
                 "<td><b>Name</b></td>",
                 "<td><b>Value</b></td>",
                 "</tr>"};
  };
  EXPECT_EQ(Write(WriteIdentityTableHeader), heading("Graphics Card Info"));
  EXPECT_EQ(Write(WriteCapsTableHeader),
            heading("DirectGraphics HAL DeviceCaps"));
}

TEST_F(RowWriters, AGroupHeaderIsThreeLinesWithTheTitleUnchanged) {
  EXPECT_EQ(Write([] { WriteGroupHeaderRow("Caps2 <&>%s"); }),
            (Lines{"<tr bgcolor=\"#DDDDDD\">",
                   "<th colspan=2><div align=\"left\">Caps2 <&>%s</div></th>",
                   "</tr>"}));
}

float FloatFromBits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

GUID MakeGuid(std::uint32_t data1, std::uint16_t data2, std::uint16_t data3,
              std::uint8_t fill) {
  GUID guid;
  guid.Data1 = data1;
  guid.Data2 = data2;
  guid.Data3 = data3;
  std::memset(guid.Data4, fill, sizeof guid.Data4);
  return guid;
}

LARGE_INTEGER MakeVersion(unsigned a, unsigned b, unsigned c, unsigned d) {
  LARGE_INTEGER version;
  version.HighPart = static_cast<LONG>(a << 16 | b);
  version.LowPart = c << 16 | d;
  return version;
}

struct CellCase {
  const char* what;
  std::function<void(const std::string& label)> write;
  std::string cell;
};

TEST_F(RowWriters, EveryKindFormsItsValueCellAlikeOnEveryBuild) {
  const unsigned char data4[8] = {0x01, 0x23, 0x45, 0x67,
                                  0x89, 0xAB, 0xCD, 0xEF};
  GUID mixedGuid = MakeGuid(0, 0, 0, 0);
  std::memcpy(mixedGuid.Data4, data4, sizeof data4);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const CellCase cases[] = {
      {"flag set", [](auto& l) { WriteFlagRow(l, 1); }, "<td>Yes</td>"},
      {"flag clear", [](auto& l) { WriteFlagRow(l, 0); }, "<td>No</td>"},
      {"text with markup, percent and line ends",
       [](auto& l) { WriteTextRow(l, "%s %d 100% <b>&amp;\"q\"\nx\r\ny"); },
       "<td>%s %d 100% <b>&amp;\"q\"\nx\r\ny</td>"},
      {"empty text", [](auto& l) { WriteTextRow(l, ""); }, "<td></td>"},
      {"dword 0", [](auto& l) { WriteDwordRow(l, 0); }, "<td>0</td>"},
      {"dword max", [](auto& l) { WriteDwordRow(l, 4294967295u); },
       "<td>4294967295</td>"},
      {"uint max", [](auto& l) { WriteUintRow(l, 4294967295u); },
       "<td>4294967295</td>"},
      {"float -2048", [](auto& l) { WriteFloatRow(l, -2048.0f); },
       "<td>-2048.00</td>"},
      {"float 0.5", [](auto& l) { WriteFloatRow(l, 0.5f); }, "<td>0.50</td>"},
      {"float 1e10", [](auto& l) { WriteFloatRow(l, 1e10f); },
       "<td>10000000000.00</td>"},
      {"float -FLT_MAX", [](auto& l) { WriteFloatRow(l, -FLT_MAX); },
       "<td>-340282346638528859811704183484516925440.00</td>"},
      {"float FLT_MAX", [](auto& l) { WriteFloatRow(l, FLT_MAX); },
       "<td>340282346638528859811704183484516925440.00</td>"},
      {"float 1e30", [](auto& l) { WriteFloatRow(l, 1e30f); },
       "<td>1000000015047466219876688855040.00</td>"},
      {"smallest subnormal",
       [](auto& l) { WriteFloatRow(l, FloatFromBits(1)); }, "<td>0.00</td>"},
      {"negative subnormal keeps its sign",
       [](auto& l) { WriteFloatRow(l, FloatFromBits(0x80000001)); },
       "<td>-0.00</td>"},
      {"rounds up at the second decimal",
       [](auto& l) { WriteFloatRow(l, 0.375f); }, "<td>0.38</td>"},
      {"exact tie rounds to even", [](auto& l) { WriteFloatRow(l, 0.125f); },
       "<td>0.12</td>"},
      {"0.1 as a float", [](auto& l) { WriteFloatRow(l, 0.1f); },
       "<td>0.10</td>"},
      {"2.675 as a float is below the tie",
       [](auto& l) { WriteFloatRow(l, 2.675f); }, "<td>2.67</td>"},
      {"inf",
       [](auto& l) {
         WriteFloatRow(l, std::numeric_limits<float>::infinity());
       },
       "<td>inf</td>"},
      {"-inf",
       [](auto& l) {
         WriteFloatRow(l, -std::numeric_limits<float>::infinity());
       },
       "<td>-inf</td>"},
      {"nan", [nan](auto& l) { WriteFloatRow(l, nan); }, "<td>nan</td>"},
      {"negative nan", [nan](auto& l) { WriteFloatRow(l, -nan); },
       "<td>nan</td>"},
      {"signalling nan pattern",
       [](auto& l) { WriteFloatRow(l, FloatFromBits(0xFF800001)); },
       "<td>nan</td>"},
      {"guid extremes",
       [](auto& l) {
         WriteGuidRow(l, MakeGuid(4294967295u, 65535, 65535, 0xFF));
       },
       "<td>{4294967295-65535-65535-18446744073709551615}</td>"},
      {"guid zero", [](auto& l) { WriteGuidRow(l, MakeGuid(0, 0, 0, 0)); },
       "<td>{0-0-0-0}</td>"},
      {"guid Data4 most significant byte first",
       [mixedGuid](auto& l) { WriteGuidRow(l, mixedGuid); },
       "<td>{0-0-0-81985529216486895}</td>"},
      {"device type HAL",
       [](auto& l) { WriteDeviceTypeRow(l, D3DDEVTYPE_HAL); },
       "<td>D3DDEVTYPE_HAL</td>"},
      {"device type REF",
       [](auto& l) { WriteDeviceTypeRow(l, D3DDEVTYPE_REF); },
       "<td>D3DDEVTYPE_REF</td>"},
      {"device type SW", [](auto& l) { WriteDeviceTypeRow(l, D3DDEVTYPE_SW); },
       "<td>D3DDEVTYPE_SW</td>"},
      {"device type 0",
       [](auto& l) { WriteDeviceTypeRow(l, static_cast<D3DDEVTYPE>(0)); },
       "<td>0</td>"},
      {"device type max",
       [](auto& l) { WriteDeviceTypeRow(l, D3DDEVTYPE_FORCE_DWORD); },
       "<td>4294967295</td>"},
      {"whql 0", [](auto& l) { WriteWhqlRow(l, 0); }, "<td>Not certified</td>"},
      {"whql 1", [](auto& l) { WriteWhqlRow(l, 1); },
       "<td>Certified (No date)</td>"},
      {"whql 2", [](auto& l) { WriteWhqlRow(l, 2); }, "<td>2.0.0</td>"},
      {"whql day 1 month 3",
       [](auto& l) { WriteWhqlRow(l, 2002u << 16 | 3 << 8 | 1); },
       "<td>1.3.2002</td>"},
      {"whql day 30 month 9",
       [](auto& l) { WriteWhqlRow(l, 2001u << 16 | 9 << 8 | 30); },
       "<td>30.9.2001</td>"},
      {"whql all bits", [](auto& l) { WriteWhqlRow(l, 0xFFFFFFFF); },
       "<td>255.255.65535</td>"},
      {"shader version with bits 16-31 set",
       [](auto& l) { WriteShaderVersionRow(l, 0xFFFE0101); }, "<td>1.1</td>"},
      {"shader version 0", [](auto& l) { WriteShaderVersionRow(l, 0); },
       "<td>0.0</td>"},
      {"shader version 255.255",
       [](auto& l) { WriteShaderVersionRow(l, 0xFFFFFFFF); },
       "<td>255.255</td>"},
      {"driver version 4.12.10.276",
       [](auto& l) { WriteDriverVersionRow(l, MakeVersion(4, 12, 10, 276)); },
       "<td>4.12.10.276</td>"},
      {"driver version parts of 65535",
       [](auto& l) {
         WriteDriverVersionRow(l, MakeVersion(65535, 65535, 65535, 65535));
       },
       "<td>65535.65535.65535.65535</td>"},
  };
  for (const CellCase& c : cases) {
    CreateReportFile("");
    c.write("Label");
    // Compared as bytes: a line feed inside a text is stored as CR LF.
    EXPECT_EQ(ReadFileBytes(kReportFileName),
              "<tr>\r\n<td>Label</td>\r\n" + CrLf(c.cell) + "\r\n</tr>\r\n")
        << c.what;
  }
}

TEST_F(RowWriters, LabelsGoIntoTheirCellUnchanged) {
  const char* labels[] = {"D3DCAPS2_FULLSCREENGAMMA ", "", "%s%n <i>&\""};
  for (const char* label : labels) {
    EXPECT_EQ(Write([&] { WriteDwordRow(label, 7); }),
              (Lines{"<tr>", "<td>" + std::string(label) + "</td>",
                     "<td>7</td>", "</tr>"}))
        << "label \"" << label << "\"";
  }
}

}  // namespace
