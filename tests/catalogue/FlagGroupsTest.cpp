#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "catalogue/FlagGroups.h"
#include "catalogue/HalLimitRows.h"
#include "report/ReportFile.h"
#include "support/ReportRows.h"
#include "support/ReportShape.h"
#include "support/SampleRecords.h"
#include "support/WorkingDirectory.h"

namespace {

class FlagGroupsTest : public InTempDirectory {
 protected:
  std::vector<ReportRow> Write(const D3DCAPS8& caps) {
    CreateReportFile("");
    WriteFlagGroups(caps);
    return ReadRows(ReadReportLines());
  }

  // "Yes"/"No" of every row of one group, in order.
  std::vector<std::string> Values(const std::vector<ReportRow>& rows,
                                  const std::string& group) {
    std::vector<std::string> values;
    for (const ReportRow& row : rows)
      if (row.group == group) values.push_back(row.value);
    return values;
  }
};

D3DCAPS8 CapsFilledWith(unsigned char byte) {
  D3DCAPS8 caps;
  std::memset(&caps, byte, sizeof caps);
  return caps;
}

TEST_F(FlagGroupsTest, The23GroupsComeInOrderWithTheirRowCounts) {
  const std::pair<std::string, std::size_t> expected[] = {
      {"Caps", 1},
      {"Caps2", 4},
      {"PresentationIntervals", 5},
      {"CursorCaps", 2},
      {"DevCaps", 18},
      {"PrimitiveMiscCaps", 10},
      {"RasterCaps", 16},
      {"ZCmpCaps", 8},
      {"SrcBlendCaps", 13},
      {"DestBlendCaps", 13},
      {"AlphaCmpCaps", 8},
      {"ShadeCaps", 4},
      {"TextureCaps", 15},
      {"TextureFilterCaps", 10},
      {"CubeTextureFilterCaps", 10},
      {"VolumeTextureFilterCaps", 10},
      {"TextureAddressCaps", 6},
      {"VolumeTextureAddressCaps", 6},
      {"LineCaps", 5},
      {"StencilCaps", 8},
      {"FVFCaps", 1},
      {"TextureOpCaps", 26},
      {"VertexProcessingCaps", 5},
  };
  CreateReportFile("");
  WriteFlagGroups(MakeSampleCaps(0));
  const std::vector<std::string> lines = ReadReportLines();
  EXPECT_EQ(lines.size(), kFlagGroupCount * 3 + kFlagRowCount * 4);
  const std::vector<std::string> titles = ReadGroupTitles(lines);
  const std::vector<ReportRow> rows = ReadRows(lines);
  ASSERT_EQ(titles.size(), std::size(expected));
  std::size_t total = 0;
  for (std::size_t i = 0; i < titles.size(); ++i) {
    EXPECT_EQ(titles[i], expected[i].first) << "group " << i + 1;
    EXPECT_EQ(Values(rows, expected[i].first).size(), expected[i].second)
        << expected[i].first;
    total += expected[i].second;
  }
  EXPECT_EQ(rows.size(), total);
  EXPECT_EQ(total, kFlagRowCount);
}

TEST_F(FlagGroupsTest, EveryMaskHasExactlyOneBit) {
  for (const FlagGroup& group : FlagGroups)
    for (std::size_t i = 0; i < group.flags.count; ++i) {
      const DWORD mask = group.flags.entries[i].mask;
      EXPECT_TRUE(mask != 0 && (mask & (mask - 1)) == 0)
          << group.title << " " << group.flags.entries[i].label;
    }
}

TEST_F(FlagGroupsTest, PairedGroupsShowTheSameLabelsInTheSameOrder) {
  const std::vector<ReportRow> rows = Write(MakeSampleCaps(0));
  const auto labels = [&](const std::string& group) {
    std::vector<std::string> found;
    for (const ReportRow& row : rows)
      if (row.group == group) found.push_back(row.label);
    return found;
  };
  const std::pair<const char*, const char*> pairs[] = {
      {"ZCmpCaps", "AlphaCmpCaps"},
      {"SrcBlendCaps", "DestBlendCaps"},
      {"TextureFilterCaps", "CubeTextureFilterCaps"},
      {"TextureFilterCaps", "VolumeTextureFilterCaps"},
      {"TextureAddressCaps", "VolumeTextureAddressCaps"},
  };
  for (const auto& [first, second] : pairs) {
    EXPECT_FALSE(labels(first).empty()) << first;
    EXPECT_EQ(labels(first), labels(second)) << first << " / " << second;
  }
}

TEST_F(FlagGroupsTest, NoBitsShowNoAndAllBitsShowYesOnEveryRow) {
  for (const ReportRow& row : Write(CapsFilledWith(0x00)))
    EXPECT_EQ(row.value, "No") << row.group << " " << row.label;
  for (const ReportRow& row : Write(CapsFilledWith(0xFF)))
    EXPECT_EQ(row.value, "Yes") << row.group << " " << row.label;
}

TEST_F(FlagGroupsTest, EachGroupReadsItsOwnFieldAndOnlyItsNamedBits) {
  using Values = std::vector<std::string>;
  D3DCAPS8 caps = CapsFilledWith(0x00);
  caps.PresentationIntervals = 0x80000000;
  caps.SrcBlendCaps = 0x1;
  caps.DestBlendCaps = 0x2;
  caps.FVFCaps = ~DWORD{0x80000};
  caps.Caps3 = 0xFFFFFFFF;
  caps.Caps2 = 0x20000;
  const std::vector<ReportRow> rows = Write(caps);

  EXPECT_EQ(this->Values(rows, "PresentationIntervals"),
            (Values{"Yes", "No", "No", "No", "No"}));
  Values onlyFirst(13, "No"), onlySecond(13, "No");
  onlyFirst[0] = "Yes";
  onlySecond[1] = "Yes";
  EXPECT_EQ(this->Values(rows, "SrcBlendCaps"), onlyFirst);
  EXPECT_EQ(this->Values(rows, "DestBlendCaps"), onlySecond);
  EXPECT_EQ(this->Values(rows, "FVFCaps"), Values{"No"});
  EXPECT_EQ(this->Values(rows, "Caps2"), (Values{"No", "No", "Yes", "No"}));
  // The third Caps2 label keeps its trailing blank.
  for (const ReportRow& row : rows)
    if (row.group == "Caps2" && row.value == "Yes") {
      EXPECT_EQ(row.label, "D3DCAPS2_FULLSCREENGAMMA ");
    }
}

TEST_F(FlagGroupsTest, TheCapsGroupFollowsTheLastLimitRowDirectly) {
  CreateReportFile("");
  WriteHalLimitRows(MakeSampleCaps(0));
  WriteFlagGroups(MakeSampleCaps(0));
  const std::vector<std::string> lines = ReadReportLines();
  const std::vector<ReportRow> rows = ReadRows(lines);
  ASSERT_EQ(rows.size(), kHalLimitRowCount + kFlagRowCount);
  EXPECT_EQ(rows[kHalLimitRowCount - 1].label, "MaxPixelShaderValue");
  EXPECT_EQ(rows[kHalLimitRowCount].group, "Caps");

  // Nothing but the group header stands between the two rows.
  const auto label =
      std::find(lines.begin(), lines.end(), "<td>MaxPixelShaderValue</td>");
  ASSERT_TRUE(lines.end() - label > 6);
  EXPECT_EQ(std::vector<std::string>(label + 2, label + 6),
            (std::vector<std::string>{
                "</tr>", "<tr bgcolor=\"#DDDDDD\">",
                "<th colspan=2><div align=\"left\">Caps</div></th>", "</tr>"}));
}

}  // namespace
