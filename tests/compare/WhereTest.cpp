// --where picks the adapters that take part, and --files names the reports
// that hold them: "which machines lack cube maps?"
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "CompareFixture.h"

namespace {

class Where : public CompareTest {
 protected:
  void SetUp() override {
    CompareTest::SetUp();
    // one.html: MaxTextureHeight 4096, every Caps2 flag; other.html: 8192,
    // no Caps2 flag, "Other Adapter"; old.html: an older driver and shader
    // and no cube maps.
    WriteSampleAndOther();
    Script old = MakeSampleScript(1);
    old.adapters[0].identifier.DriverVersion.HighPart = 4 << 16 | 11;
    old.adapters[0].caps.VertexShaderVersion = 0xFFFE0100;
    old.adapters[0].caps.TextureCaps &= ~DWORD{D3DPTEXTURECAPS_CUBEMAP};
    old.adapters[0].caps.MaxPointSize = 64;
    WriteReport(old, "old.html");
  }

  std::string FilesWhere(const std::vector<std::string>& conditions) {
    std::vector<std::string> arguments{"--files"};
    for (const std::string& condition : conditions) {
      arguments.push_back("--where");
      arguments.push_back(condition);
    }
    for (const char* report : {"one.html", "other.html", "old.html"})
      arguments.push_back(report);
    const CompareOutcome run = Compare(arguments);
    EXPECT_EQ(run.exitCode, run.out.empty() ? 1 : 0) << run.err;
    return run.out;
  }
};

TEST_F(Where, EachKindOfRowAndEachOperatorPicksItsAdapters) {
  const struct {
    std::vector<std::string> conditions;
    const char* files;
  } cases[] = {
      {{"TextureCaps/D3DPTEXTURECAPS_CUBEMAP=No"}, "old.html\n"},
      {{"D3DPTEXTURECAPS_CUBEMAP=Yes"}, "one.html\nother.html\n"},
      {{"Caps2/D3DCAPS2_FULLSCREENGAMMA=No"}, "other.html\n"},
      // Rows as the text output and the page name them.
      {{"DirectGraphics HAL DeviceCaps / TextureCaps / "
        "D3DPTEXTURECAPS_CUBEMAP=No"},
       "old.html\n"},
      {{"TextureCaps / D3DPTEXTURECAPS_CUBEMAP=No"}, "old.html\n"},
      {{"DirectGraphics HAL DeviceCaps / MaxTextureHeight>=8192"},
       "other.html\n"},
      {{"MaxTextureHeight>=8192"}, "other.html\n"},
      {{"MaxTextureHeight>4096"}, "other.html\n"},
      {{"MaxTextureHeight<8192"}, "one.html\nold.html\n"},
      {{"MaxTextureHeight<=4096"}, "one.html\nold.html\n"},
      {{"MaxTextureHeight=4096"}, "one.html\nold.html\n"},
      {{"MaxTextureHeight!=4096"}, "other.html\n"},
      {{"MaxPointSize<100.5"}, "old.html\n"},
      {{"DriverVersion<4.12"}, "old.html\n"},
      {{"DriverVersion>=4.12.10.276"}, "one.html\nother.html\n"},
      {{"VertexShaderVersion>=1.1"}, "one.html\nother.html\n"},
      {{"Description=Other Adapter"}, "other.html\n"},
      {{"Description!=Other Adapter"}, "one.html\nold.html\n"},
      {{"Description~Other"}, "other.html\n"},
      {{"Description~Adapter 0"}, "one.html\nold.html\n"},
      {{"MaxTextureHeight=8192,1024"}, "other.html\n"},
      {{"MaxTextureHeight!=8192,1024"}, "one.html\nold.html\n"},
      {{"Description=Other Adapter,Nobody"}, "other.html\n"},
      {{"WHQLLevel=30.9.2001", "MaxTextureHeight=4096",
        "D3DPTEXTURECAPS_CUBEMAP=Yes"},
       "one.html\n"},
      {{"Description=Nobody"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.conditions.front());
    EXPECT_EQ(FilesWhere(c.conditions), c.files);
  }
}

TEST_F(Where, OnlyTheAdaptersThatMeetItTakePartAnywhere) {
  const CompareOutcome run =
      Compare({"--where", "MaxTextureHeight=4096", "--coverage", "--jsonl",
               "lines.jsonl", "one.html", "other.html", "old.html"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  // The summary says what was asked.
  EXPECT_NE(run.out.find("across 2 adapters in 2 reports of 3 adapters in 3 "
                         "reports read; where MaxTextureHeight=4096 on any "
                         "adapter of a machine\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("MaxTextureHeight:"), std::string::npos) << run.out;
  EXPECT_EQ(ReadFileBytes("lines.jsonl").find("other.html"), std::string::npos);
}

TEST_F(Where, VersionsCarryAKeyThatSortsAsTextAsTheyDoPartByPart) {
  // "4.9" would stand after "4.12" as text; their keys stand as versions.
  Script nine = MakeSampleScript(1);
  nine.adapters[0].identifier.DriverVersion.HighPart = 4 << 16 | 9;
  WriteReport(nine, "nine.html");
  ASSERT_EQ(
      Compare({"--jsonl", "lines.jsonl", "nine.html", "one.html"}).exitCode, 1);
  std::vector<std::pair<std::string, std::string>> versions;
  std::istringstream lines(ReadFileBytes("lines.jsonl"));
  for (std::string line; std::getline(lines, line);) {
    const auto record = nlohmann::json::parse(line);
    if (record.contains("identity"))
      versions.emplace_back(record["identity"]["DriverVersion"],
                            record["identity"]["DriverVersion_order"]);
  }
  EXPECT_EQ(versions, (std::vector<std::pair<std::string, std::string>>{
                          {"4.9.10.276", "00004.00009.00010.00276"},
                          {"4.12.10.276", "00004.00012.00010.00276"}}));
  EXPECT_LT(versions[0].second, versions[1].second);
}

TEST_F(Where, CoverageCountsTowardsTheBetterEndWhereThereIsOne) {
  // wide.html: a guard band reaching further left (more negative), another
  // vendor, another adapter of its machine.
  Script wide = MakeSampleScript(1);
  wide.adapters[0].caps.GuardBandLeft = -2e8f;
  wide.adapters[0].caps.AdapterOrdinal = 1;
  wide.adapters[0].identifier.VendorId = 4098;
  WriteReport(wide, "wide.html");
  const std::string out =
      Compare({"--coverage", "one.html", "other.html", "wide.html"}).out;
  const auto line = [&out](const std::string& label) {
    const std::size_t at = out.find("/ " + label + ":");
    return at == std::string::npos ? std::string()
                                   : out.substr(at, out.find('\n', at) - at);
  };
  EXPECT_NE(line("GuardBandLeft")
                .find("-200000000.00 on 1 (33.3%), at or below on 1 (33.3%); "
                      "-100000000.00 on 2 (66.7%), at or below on 3 (100.0%)"),
            std::string::npos)
      << out;
  EXPECT_NE(line("MaxTextureHeight").find("at or above on"), std::string::npos)
      << out;
  for (const char* label : {"VendorId", "AdapterOrdinal"}) {
    EXPECT_NE(line(label), "") << label << out;
    EXPECT_EQ(line(label).find("at or"), std::string::npos) << label;
  }
}

TEST_F(Where, MachinesTakePartByTheRuleAskedFor) {
  // mixed.html: a primary adapter without cube maps, a second with them;
  // second.html: the other way round.
  Script mixed = MakeSampleScript(2);
  mixed.adapters[0].caps.TextureCaps &= ~DWORD{D3DPTEXTURECAPS_CUBEMAP};
  WriteReport(mixed, "mixed.html");
  Script second = MakeSampleScript(2);
  second.adapters[1].caps.TextureCaps &= ~DWORD{D3DPTEXTURECAPS_CUBEMAP};
  WriteReport(second, "second.html");
  const struct {
    const char* rule;
    const char* files;
    const char* summary;
  } cases[] = {
      {"any", "mixed.html\nsecond.html\nold.html\n", "on any adapter"},
      {"all", "old.html\n", "on every adapter"},
      {"primary", "mixed.html\nold.html\n", "on a machine's primary adapter"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    const std::vector<std::string> question{
        "--machines", c.rule,       "--where",     "D3DPTEXTURECAPS_CUBEMAP=No",
        "one.html",   "mixed.html", "second.html", "old.html"};
    std::vector<std::string> files = question;
    files.insert(files.begin(), "--files");
    EXPECT_EQ(Compare(files).out, c.files);
    const std::string summary = Compare(question).out;
    EXPECT_NE(
        summary.find(std::string("D3DPTEXTURECAPS_CUBEMAP=No ") + c.summary),
        std::string::npos)
        << summary;
  }
  EXPECT_EQ(Compare({"--machines", "some", "one.html"}).exitCode, 2);
}

TEST_F(Where, ValuesAreAskedForAsTheReportsShowThem) {
  // nan.html: MaxPointSize nan; negative.html: ExtentsAdjust -0.00 (what a
  // small negative float prints as); zero.html: ExtentsAdjust 0.00.
  Script script = MakeSampleScript(1);
  script.adapters[0].caps.MaxPointSize = NAN;
  WriteReport(script, "nan.html");
  script = MakeSampleScript(1);
  script.adapters[0].caps.ExtentsAdjust = -0.001f;
  WriteReport(script, "negative.html");
  script.adapters[0].caps.ExtentsAdjust = 0;
  WriteReport(script, "zero.html");
  const auto files = [this](const char* condition) {
    return Compare({"--files", "--where", condition, "nan.html",
                    "negative.html", "zero.html", "one.html"})
        .out;
  };
  EXPECT_EQ(files("MaxPointSize=nan"), "nan.html\n");
  EXPECT_EQ(files("MaxPointSize!=nan"), "negative.html\nzero.html\none.html\n");
  EXPECT_EQ(files("ExtentsAdjust=0"), "negative.html\nzero.html\n");
  EXPECT_EQ(files("ExtentsAdjust<0"), "");
  // One above 4096 by far less than a double tells apart.
  EXPECT_EQ(files("MaxTextureWidth<4096.0000000000001"),
            "nan.html\nnegative.html\nzero.html\none.html\n");
  EXPECT_EQ(files("MaxTextureWidth>4095.9999999999999"),
            "nan.html\nnegative.html\nzero.html\none.html\n");

  // -0.00 and 0.00 are one number: the same count at or above, in the same
  // order, whichever report comes first.
  std::string coverage;
  for (const auto& order :
       {std::vector<std::string>{"--coverage", "negative.html", "zero.html",
                                 "old.html"},
        std::vector<std::string>{"--coverage", "old.html", "zero.html",
                                 "negative.html"}}) {
    const std::string out = Compare(order).out;
    const std::size_t row = out.find("ExtentsAdjust");
    ASSERT_NE(row, std::string::npos) << out;
    const std::string lines = out.substr(row, out.find("\n\n", row) - row);
    if (coverage.empty()) coverage = lines;
    EXPECT_EQ(lines, coverage);
  }
  EXPECT_NE(coverage.find("-0.00"), std::string::npos) << coverage;
}

TEST_F(Where, AnExpressionThatAsksWhatNoRowAnswersIsAUsageError) {
  const struct {
    const char* condition;
    const char* error;
  } cases[] = {
      {"NoSuchRow=1", "no row is named NoSuchRow"},
      {"MaxTexturWidth>=1",
       "no row is named MaxTexturWidth (did you mean "
       "MaxTextureWidth?)"},
      {"maxtexturewidth>=1", "(did you mean MaxTextureWidth?)"},
      {"DeviceType=HAL", "DeviceType is D3DDEVTYPE_HAL, D3DDEVTYPE_REF"},
      {"MaxTextureWidth~4", "MaxTextureWidth is no text"},
      {"MaxTextureWidth=4096,wide", "MaxTextureWidth takes a number"},
      {"D3DPTFILTERCAPS_MINFLINEAR=Yes",
       "stands in several groups; name one: TextureFilterCaps/"},
      {"Description>=A", "Description takes =, != and ~"},
      {"DeviceType>=A", "DeviceType takes = and != alone"},
      {"MaxTextureWidth>=wide", "MaxTextureWidth takes a number"},
      {"MaxPointSize>=nan", "MaxPointSize takes a number"},
      {"MaxTextureWidth>=1e3", "MaxTextureWidth takes a number"},
      {"DriverVersion>=new", "DriverVersion takes a version"},
      {"Caps2/D3DCAPS2_CANRENDERWINDOWED=Maybe", "is Yes or No"},
      {"MaxTextureWidth",
       "has no operator: quote the whole expression, as in "
       "--where 'MaxTextureWidth>=2048'"},
      {"nothing", "--where takes LABEL=VALUE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.condition);
    const CompareOutcome run = Compare({"--where", c.condition, "one.html"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

}  // namespace
