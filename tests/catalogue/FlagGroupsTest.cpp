#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "catalogue/FlagGroups.h"
#include "catalogue/HalLimitRows.h"
#include "report/ReportFile.h"
#include "support/ReportRows.h"
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
  EXPECT_EQ(lines.size(), 23u * 3 + 204 * 4);
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
  EXPECT_EQ(total, 204u);
}

TEST_F(FlagGroupsTest, EveryMaskHasExactlyOneBit) {
  for (const FlagGroup& group : FlagGroups)
    for (std::size_t i = 0; i < group.flags.count; ++i) {
      const DWORD mask = group.flags.entries[i].mask;
      EXPECT_TRUE(mask != 0 && (mask & (mask - 1)) == 0)
          << group.title << " " << group.flags.entries[i].label;
    }
}

TEST_F(FlagGroupsTest, GroupsOfTheSameKindShareOneList) {
  std::map<std::string, const FlagEntry*> lists;
  for (const FlagGroup& group : FlagGroups)
    lists[group.title] = group.flags.entries;
  EXPECT_EQ(lists["ZCmpCaps"], lists["AlphaCmpCaps"]);
  EXPECT_EQ(lists["SrcBlendCaps"], lists["DestBlendCaps"]);
  EXPECT_EQ(lists["TextureFilterCaps"], lists["CubeTextureFilterCaps"]);
  EXPECT_EQ(lists["TextureFilterCaps"], lists["VolumeTextureFilterCaps"]);
  EXPECT_EQ(lists["TextureAddressCaps"], lists["VolumeTextureAddressCaps"]);
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
  const std::size_t lastLimitRow = 8 + 27 * 4;
  ASSERT_GT(lines.size(), lastLimitRow + 6);
  EXPECT_EQ(lines[lastLimitRow + 1], "<td>MaxPixelShaderValue</td>");
  EXPECT_EQ(lines[lastLimitRow + 3], "</tr>");
  EXPECT_EQ(lines[lastLimitRow + 4], "<tr bgcolor=\"#DDDDDD\">");
  EXPECT_EQ(lines[lastLimitRow + 5],
            "<th colspan=2><div align=\"left\">Caps</div></th>");
}

#ifdef _WIN32
// Where the platform header is at hand, every mask must be its constant.
#define PLATFORM(Constant) \
  { #Constant, Constant }

TEST(FlagMasks, EqualThePlatformConstantsOfTheSameName) {
  const std::map<std::string, DWORD> platform = {
      PLATFORM(D3DCAPS_READ_SCANLINE),
      PLATFORM(D3DCAPS2_CANCALIBRATEGAMMA),
      PLATFORM(D3DCAPS2_CANRENDERWINDOWED),
      PLATFORM(D3DCAPS2_FULLSCREENGAMMA),
      PLATFORM(D3DCAPS2_NO2DDURING3DSCENE),
      PLATFORM(D3DPRESENT_INTERVAL_IMMEDIATE),
      PLATFORM(D3DPRESENT_INTERVAL_ONE),
      PLATFORM(D3DPRESENT_INTERVAL_TWO),
      PLATFORM(D3DPRESENT_INTERVAL_THREE),
      PLATFORM(D3DPRESENT_INTERVAL_FOUR),
      PLATFORM(D3DCURSORCAPS_COLOR),
      PLATFORM(D3DCURSORCAPS_LOWRES),
      PLATFORM(D3DDEVCAPS_CANBLTSYSTONONLOCAL),
      PLATFORM(D3DDEVCAPS_CANRENDERAFTERFLIP),
      PLATFORM(D3DDEVCAPS_DRAWPRIMTLVERTEX),
      PLATFORM(D3DDEVCAPS_EXECUTESYSTEMMEMORY),
      PLATFORM(D3DDEVCAPS_EXECUTEVIDEOMEMORY),
      PLATFORM(D3DDEVCAPS_HWRASTERIZATION),
      PLATFORM(D3DDEVCAPS_HWTRANSFORMANDLIGHT),
      PLATFORM(D3DDEVCAPS_NPATCHES),
      PLATFORM(D3DDEVCAPS_PUREDEVICE),
      PLATFORM(D3DDEVCAPS_QUINTICRTPATCHES),
      PLATFORM(D3DDEVCAPS_RTPATCHES),
      PLATFORM(D3DDEVCAPS_RTPATCHHANDLEZERO),
      PLATFORM(D3DDEVCAPS_SEPARATETEXTUREMEMORIES),
      PLATFORM(D3DDEVCAPS_TEXTURENONLOCALVIDMEM),
      PLATFORM(D3DDEVCAPS_TEXTURESYSTEMMEMORY),
      PLATFORM(D3DDEVCAPS_TEXTUREVIDEOMEMORY),
      PLATFORM(D3DDEVCAPS_TLVERTEXSYSTEMMEMORY),
      PLATFORM(D3DDEVCAPS_TLVERTEXVIDEOMEMORY),
      PLATFORM(D3DPMISCCAPS_BLENDOP),
      PLATFORM(D3DPMISCCAPS_CLIPPLANESCALEDPOINTS),
      PLATFORM(D3DPMISCCAPS_CLIPTLVERTS),
      PLATFORM(D3DPMISCCAPS_COLORWRITEENABLE),
      PLATFORM(D3DPMISCCAPS_CULLCCW),
      PLATFORM(D3DPMISCCAPS_CULLCW),
      PLATFORM(D3DPMISCCAPS_CULLNONE),
      PLATFORM(D3DPMISCCAPS_LINEPATTERNREP),
      PLATFORM(D3DPMISCCAPS_MASKZ),
      PLATFORM(D3DPMISCCAPS_TSSARGTEMP),
      PLATFORM(D3DPRASTERCAPS_DITHER),
      PLATFORM(D3DPRASTERCAPS_PAT),
      PLATFORM(D3DPRASTERCAPS_ZTEST),
      PLATFORM(D3DPRASTERCAPS_FOGVERTEX),
      PLATFORM(D3DPRASTERCAPS_FOGTABLE),
      PLATFORM(D3DPRASTERCAPS_ANTIALIASEDGES),
      PLATFORM(D3DPRASTERCAPS_MIPMAPLODBIAS),
      PLATFORM(D3DPRASTERCAPS_ZBIAS),
      PLATFORM(D3DPRASTERCAPS_ZBUFFERLESSHSR),
      PLATFORM(D3DPRASTERCAPS_FOGRANGE),
      PLATFORM(D3DPRASTERCAPS_ANISOTROPY),
      PLATFORM(D3DPRASTERCAPS_WBUFFER),
      PLATFORM(D3DPRASTERCAPS_WFOG),
      PLATFORM(D3DPRASTERCAPS_ZFOG),
      PLATFORM(D3DPRASTERCAPS_COLORPERSPECTIVE),
      PLATFORM(D3DPRASTERCAPS_STRETCHBLTMULTISAMPLE),
      PLATFORM(D3DPCMPCAPS_NEVER),
      PLATFORM(D3DPCMPCAPS_LESS),
      PLATFORM(D3DPCMPCAPS_EQUAL),
      PLATFORM(D3DPCMPCAPS_LESSEQUAL),
      PLATFORM(D3DPCMPCAPS_GREATER),
      PLATFORM(D3DPCMPCAPS_NOTEQUAL),
      PLATFORM(D3DPCMPCAPS_GREATEREQUAL),
      PLATFORM(D3DPCMPCAPS_ALWAYS),
      PLATFORM(D3DPBLENDCAPS_ZERO),
      PLATFORM(D3DPBLENDCAPS_ONE),
      PLATFORM(D3DPBLENDCAPS_SRCCOLOR),
      PLATFORM(D3DPBLENDCAPS_INVSRCCOLOR),
      PLATFORM(D3DPBLENDCAPS_SRCALPHA),
      PLATFORM(D3DPBLENDCAPS_INVSRCALPHA),
      PLATFORM(D3DPBLENDCAPS_DESTALPHA),
      PLATFORM(D3DPBLENDCAPS_INVDESTALPHA),
      PLATFORM(D3DPBLENDCAPS_DESTCOLOR),
      PLATFORM(D3DPBLENDCAPS_INVDESTCOLOR),
      PLATFORM(D3DPBLENDCAPS_SRCALPHASAT),
      PLATFORM(D3DPBLENDCAPS_BOTHSRCALPHA),
      PLATFORM(D3DPBLENDCAPS_BOTHINVSRCALPHA),
      PLATFORM(D3DPSHADECAPS_COLORGOURAUDRGB),
      PLATFORM(D3DPSHADECAPS_SPECULARGOURAUDRGB),
      PLATFORM(D3DPSHADECAPS_ALPHAGOURAUDBLEND),
      PLATFORM(D3DPSHADECAPS_FOGGOURAUD),
      PLATFORM(D3DPTEXTURECAPS_PERSPECTIVE),
      PLATFORM(D3DPTEXTURECAPS_POW2),
      PLATFORM(D3DPTEXTURECAPS_ALPHA),
      PLATFORM(D3DPTEXTURECAPS_SQUAREONLY),
      PLATFORM(D3DPTEXTURECAPS_TEXREPEATNOTSCALEDBYSIZE),
      PLATFORM(D3DPTEXTURECAPS_ALPHAPALETTE),
      PLATFORM(D3DPTEXTURECAPS_NONPOW2CONDITIONAL),
      PLATFORM(D3DPTEXTURECAPS_PROJECTED),
      PLATFORM(D3DPTEXTURECAPS_CUBEMAP),
      PLATFORM(D3DPTEXTURECAPS_VOLUMEMAP),
      PLATFORM(D3DPTEXTURECAPS_MIPMAP),
      PLATFORM(D3DPTEXTURECAPS_MIPVOLUMEMAP),
      PLATFORM(D3DPTEXTURECAPS_MIPCUBEMAP),
      PLATFORM(D3DPTEXTURECAPS_CUBEMAP_POW2),
      PLATFORM(D3DPTEXTURECAPS_VOLUMEMAP_POW2),
      PLATFORM(D3DPTFILTERCAPS_MINFPOINT),
      PLATFORM(D3DPTFILTERCAPS_MINFLINEAR),
      PLATFORM(D3DPTFILTERCAPS_MINFANISOTROPIC),
      PLATFORM(D3DPTFILTERCAPS_MIPFPOINT),
      PLATFORM(D3DPTFILTERCAPS_MIPFLINEAR),
      PLATFORM(D3DPTFILTERCAPS_MAGFPOINT),
      PLATFORM(D3DPTFILTERCAPS_MAGFLINEAR),
      PLATFORM(D3DPTFILTERCAPS_MAGFANISOTROPIC),
      PLATFORM(D3DPTFILTERCAPS_MAGFAFLATCUBIC),
      PLATFORM(D3DPTFILTERCAPS_MAGFGAUSSIANCUBIC),
      PLATFORM(D3DPTADDRESSCAPS_WRAP),
      PLATFORM(D3DPTADDRESSCAPS_MIRROR),
      PLATFORM(D3DPTADDRESSCAPS_CLAMP),
      PLATFORM(D3DPTADDRESSCAPS_BORDER),
      PLATFORM(D3DPTADDRESSCAPS_INDEPENDENTUV),
      PLATFORM(D3DPTADDRESSCAPS_MIRRORONCE),
      PLATFORM(D3DLINECAPS_TEXTURE),
      PLATFORM(D3DLINECAPS_ZTEST),
      PLATFORM(D3DLINECAPS_BLEND),
      PLATFORM(D3DLINECAPS_ALPHACMP),
      PLATFORM(D3DLINECAPS_FOG),
      PLATFORM(D3DSTENCILCAPS_KEEP),
      PLATFORM(D3DSTENCILCAPS_ZERO),
      PLATFORM(D3DSTENCILCAPS_REPLACE),
      PLATFORM(D3DSTENCILCAPS_INCRSAT),
      PLATFORM(D3DSTENCILCAPS_DECRSAT),
      PLATFORM(D3DSTENCILCAPS_INVERT),
      PLATFORM(D3DSTENCILCAPS_INCR),
      PLATFORM(D3DSTENCILCAPS_DECR),
      PLATFORM(D3DFVFCAPS_DONOTSTRIPELEMENTS),
      PLATFORM(D3DTEXOPCAPS_DISABLE),
      PLATFORM(D3DTEXOPCAPS_SELECTARG1),
      PLATFORM(D3DTEXOPCAPS_SELECTARG2),
      PLATFORM(D3DTEXOPCAPS_MODULATE),
      PLATFORM(D3DTEXOPCAPS_MODULATE2X),
      PLATFORM(D3DTEXOPCAPS_MODULATE4X),
      PLATFORM(D3DTEXOPCAPS_ADD),
      PLATFORM(D3DTEXOPCAPS_ADDSIGNED),
      PLATFORM(D3DTEXOPCAPS_ADDSIGNED2X),
      PLATFORM(D3DTEXOPCAPS_SUBTRACT),
      PLATFORM(D3DTEXOPCAPS_ADDSMOOTH),
      PLATFORM(D3DTEXOPCAPS_BLENDDIFFUSEALPHA),
      PLATFORM(D3DTEXOPCAPS_BLENDTEXTUREALPHA),
      PLATFORM(D3DTEXOPCAPS_BLENDFACTORALPHA),
      PLATFORM(D3DTEXOPCAPS_BLENDTEXTUREALPHAPM),
      PLATFORM(D3DTEXOPCAPS_BLENDCURRENTALPHA),
      PLATFORM(D3DTEXOPCAPS_PREMODULATE),
      PLATFORM(D3DTEXOPCAPS_MODULATEALPHA_ADDCOLOR),
      PLATFORM(D3DTEXOPCAPS_MODULATECOLOR_ADDALPHA),
      PLATFORM(D3DTEXOPCAPS_MODULATEINVALPHA_ADDCOLOR),
      PLATFORM(D3DTEXOPCAPS_MODULATEINVCOLOR_ADDALPHA),
      PLATFORM(D3DTEXOPCAPS_BUMPENVMAP),
      PLATFORM(D3DTEXOPCAPS_BUMPENVMAPLUMINANCE),
      PLATFORM(D3DTEXOPCAPS_DOTPRODUCT3),
      PLATFORM(D3DTEXOPCAPS_MULTIPLYADD),
      PLATFORM(D3DTEXOPCAPS_LERP),
      PLATFORM(D3DVTXPCAPS_DIRECTIONALLIGHTS),
      PLATFORM(D3DVTXPCAPS_LOCALVIEWER),
      PLATFORM(D3DVTXPCAPS_MATERIALSOURCE7),
      PLATFORM(D3DVTXPCAPS_POSITIONALLIGHTS),
      PLATFORM(D3DVTXPCAPS_TEXGEN),
  };
  std::size_t checked = 0;
  for (const FlagGroup& group : FlagGroups)
    for (std::size_t i = 0; i < group.flags.count; ++i) {
      std::string name = group.flags.entries[i].label;
      if (name.back() == ' ') name.pop_back();
      const auto constant = platform.find(name);
      if (constant == platform.end()) {
        ADD_FAILURE() << name << " is no platform constant here";
        continue;
      }
      EXPECT_EQ(group.flags.entries[i].mask, constant->second) << name;
      ++checked;
    }
  EXPECT_EQ(checked, 204u);
}
#endif

}  // namespace
