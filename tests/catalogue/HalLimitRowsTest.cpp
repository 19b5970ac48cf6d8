#include <gtest/gtest.h>

#include "catalogue/HalLimitRows.h"
#include "report/ReportFile.h"
#include "support/ReportRows.h"
#include "support/ReportShape.h"
#include "support/RunReport.h"
#include "support/SampleRecords.h"
#include "support/WorkingDirectory.h"

namespace {

using HalLimitRowsTest = InTempDirectory;

TEST_F(HalLimitRowsTest, WritesTheHeadingAndThe28LimitRowsInRecordOrder) {
  CreateReportFile("");
  WriteHalLimitRows(MakeSampleCaps(0));
  const std::vector<std::string> lines = ReadReportLines();
  ASSERT_EQ(lines.size(), 8 + kHalLimitRowCount * 4);
  EXPECT_EQ(lines[2],
            "<th colspan=2><div align=\"left\">DirectGraphics HAL "
            "DeviceCaps</div></th>");

  // MaxActiveLights (77777 in the sample) and Caps3 are shown nowhere.
  const std::pair<std::string, std::string> expected[] = {
      {"DeviceType", "D3DDEVTYPE_HAL"},
      {"AdapterOrdinal", "0"},
      {"MaxTextureWidth", "4096"},
      {"MaxTextureHeight", "4096"},
      {"MaxVolumeExtent", "512"},
      {"MaxTextureRepeat", "8192"},
      {"MaxTextureAspectRatio", "4096"},
      {"MaxAnisotropy", "16"},
      {"MaxVertexW", "10000000000.00"},
      {"GuardBandLeft", "-100000000.00"},
      {"GuardBandTop", "-100000000.00"},
      {"GuardBandRight", "100000000.00"},
      {"GuardBandBottom", "100000000.00"},
      {"ExtentsAdjust", "0.50"},
      {"MaxTextureBlendStages", "8"},
      {"MaxSimultaneousTextures", "4"},
      {"MaxUserClipPlanes", "6"},
      {"MaxVertexBlendMatrices", "4"},
      {"MaxVertexBlendMatrixIndex", "0"},
      {"MaxPointSize", "8192.00"},
      {"MaxPrimitiveCount", "1048575"},
      {"MaxVertexIndex", "16777215"},
      {"MaxStreams", "16"},
      {"MaxStreamStride", "255"},
      {"VertexShaderVersion", "1.1"},
      {"MaxVertexShaderConst", "96"},
      {"PixelShaderVersion", "1.4"},
      {"MaxPixelShaderValue", "8.00"},
  };
  const std::vector<ReportRow> rows = ReadRows(lines);
  ASSERT_EQ(rows.size(), std::size(expected));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].label, expected[i].first) << "row " << i + 1;
    EXPECT_EQ(rows[i].value, expected[i].second) << expected[i].first;
  }
}

TEST_F(HalLimitRowsTest, ShowsDeviceTypeAndOrdinalAsTheRecordHoldsThem) {
  // Asked for the HAL of adapter 0, a driver may still answer otherwise.
  Script script;
  D3DCAPS8 caps = MakeSampleCaps(0);
  caps.DeviceType = D3DDEVTYPE_REF;
  caps.AdapterOrdinal = 7;
  caps.GuardBandLeft = -2048.0f;
  script.adapters.push_back({MakeSampleIdentifier(0), caps});
  ASSERT_EQ(RunReport(script).exitCode, 0);

  std::vector<std::string> shown;
  for (const ReportRow& row : ReadRows(ReadReportLines()))
    if (row.label == "DeviceType" || row.label == "AdapterOrdinal" ||
        row.label == "GuardBandLeft")
      shown.push_back(row.value);
  EXPECT_EQ(shown,
            (std::vector<std::string>{"D3DDEVTYPE_REF", "7", "-2048.00"}));
}

}  // namespace
