#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CompareFixture.h"
#include "kelvane/Version.h"
#include "support/CrLf.h"
#include "support/ReportShape.h"

namespace {

const std::string kRows =
    std::to_string(kIdentityRowCount + kHalLimitRowCount + kFlagRowCount);

class CompareRun : public CompareTest {
 protected:
  void SetUp() override {
    CompareTest::SetUp();
    WriteSampleAndOther();
  }
};

TEST_F(CompareRun, AlikeAdaptersAreOneColumnWhateverTheirReportOrLineEnds) {
  WriteFileBytes("lf.html", LfOnly(ReadFileBytes("one.html")));
  std::filesystem::copy_file("one.html", "copy.html");
  const CompareOutcome run = Compare({"one.html", "copy.html", "lf.html"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out,
            "[1] one.html #0 (Sample Adapter 0), and 2 more adapters alike\n"
            "0 of " +
                kRows +
                " rows differ across 3 adapters (1 configuration) in 3 "
                "reports\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CompareRun, ASingleAdapterAloneIsTheSame) {
  const CompareOutcome run = Compare({"one.html"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "[1] one.html #0 (Sample Adapter 0)\n0 of " + kRows +
                         " rows differ across 1 adapter in 1 report\n");
}

TEST_F(CompareRun, DifferingRowsAreListedWithEveryColumnsValue) {
  const CompareOutcome run = Compare({"one.html", "other.html"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "[1] one.html #0 (Sample Adapter 0)\n"
            "[2] other.html #0 (Other Adapter)\n"
            "Graphics Card Info / Description: Sample Adapter 0 | Other "
            "Adapter\n"
            "DirectGraphics HAL DeviceCaps / MaxTextureHeight: 4096 | 8192\n"
            "DirectGraphics HAL DeviceCaps / Caps2 / "
            "D3DCAPS2_CANRENDERWINDOWED: Yes | No\n"
            "DirectGraphics HAL DeviceCaps / Caps2 / D3DCAPS2_FULLSCREENGAMMA "
            ": Yes | No\n"
            "4 of " +
                kRows + " rows differ across 2 adapters in 2 reports\n");
}

TEST_F(CompareRun, ConfigurationsAreInTheOrderOfTheirFirstAdapter) {
  // Adapters 1 and 2 of the sample differ from adapter 0 in their numbers,
  // and this one from the sample adapter in one flag alone.
  Script flag = MakeSampleScript(1);
  flag.adapters[0].caps.Caps = 0;
  WriteReport(flag, "flag.html");
  WriteReport(MakeSampleScript(3), "three.html");
  const CompareOutcome run =
      Compare({"other.html", "three.html", "one.html", "flag.html", "--json",
               "parsed.json", "--jsonl", "adapters.jsonl"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out.substr(0, run.out.find("Graphics Card Info")),
            "[1] other.html #0 (Other Adapter)\n"
            "[2] three.html #0 (Sample Adapter 0), and 1 more adapter alike\n"
            "[3] three.html #1 (Sample Adapter 1)\n"
            "[4] three.html #2 (Sample Adapter 2)\n"
            "[5] flag.html #0 (Sample Adapter 0)\n");
  EXPECT_NE(run.out.find("Caps / D3DCAPS_READ_SCANLINE: Yes | Yes | Yes | "
                         "Yes | No\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(" across 6 adapters (5 configurations) in 4 "
                         "reports\n"),
            std::string::npos)
      << run.out;

  // Each set of capabilities once, before the first adapter that refers to
  // it; the JSON holds the same records as the lines.
  std::istringstream lines(ReadFileBytes("adapters.jsonl"));
  std::vector<int> configurations;
  int described = 0;
  auto records = nlohmann::json::array();
  for (std::string line; std::getline(lines, line);) {
    const auto record = nlohmann::ordered_json::parse(line);
    records.push_back(nlohmann::json::parse(line));
    if (record.begin().key() == "configuration") {
      EXPECT_EQ(record["configuration"], ++described);
      EXPECT_EQ(record["limits"].count("AdapterOrdinal"), 0u);
      continue;
    }
    EXPECT_EQ(record.begin().key(), "file");
    EXPECT_LE(record["configuration"], described);
    configurations.push_back(record["configuration"]);
  }
  EXPECT_EQ(configurations, (std::vector<int>{1, 2, 3, 4, 2, 5}));
  EXPECT_EQ(described, 5);
  EXPECT_EQ(nlohmann::json::parse(ReadFileBytes("parsed.json"))["records"],
            records);
}

TEST_F(CompareRun, ByCapsAdaptersThatDifferOnlyInWhoTheyAreShareAColumn) {
  // The same capabilities under another name, driver and ordinal; and one
  // flag apart.
  Script renamed = MakeSampleScript(1);
  SetText(renamed.adapters[0].identifier.Description, "Renamed Adapter");
  SetText(renamed.adapters[0].identifier.Driver, "other.dll");
  renamed.adapters[0].identifier.SubSysId = 7;
  renamed.adapters[0].caps.AdapterOrdinal = 1;
  WriteReport(renamed, "renamed.html");
  Script flag = MakeSampleScript(1);
  flag.adapters[0].caps.Caps = 0;
  WriteReport(flag, "flag.html");
  const CompareOutcome run =
      Compare({"--by", "caps", "one.html", "renamed.html", "flag.html"});
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find("Graphics Card Info")),
            "[1] 2 adapters, the first one.html #0 (Sample Adapter 0); models "
            "Sample Adapter 0 (1), Renamed Adapter (1); drivers 4.12.10.276 "
            "(2)\n"
            "[2] 1 adapter, the first flag.html #0 (Sample Adapter 0); models "
            "Sample Adapter 0 (1); drivers 4.12.10.276 (1)\n");
  for (const char* line :
       {"Graphics Card Info / Description: (2 values) | Sample Adapter 0\n",
        "DirectGraphics HAL DeviceCaps / AdapterOrdinal: (2 values) | 0\n",
        "Caps / D3DCAPS_READ_SCANLINE: Yes | No\n",
        " across 3 adapters (2 sets of capabilities) in 3 reports\n"})
    EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
}

TEST_F(CompareRun, CoverageCountsTheAdaptersThatShowEachValue) {
  for (const char* copy : {"two.html", "three.html"})
    std::filesystem::copy_file("one.html", copy);
  const CompareOutcome run = Compare(
      {"--coverage", "one.html", "other.html", "two.html", "three.html"});
  EXPECT_EQ(run.exitCode, 1);
  // Numbers in their order, each with the adapters at or above it.
  EXPECT_NE(run.out.find("DirectGraphics HAL DeviceCaps / MaxTextureHeight: "
                         "4096 on 3 (75.0%), at or above on 4 (100.0%); 8192 "
                         "on 1 (25.0%), at or above on 1 (25.0%)\n"),
            std::string::npos)
      << run.out;
  // Neither a legend nor a column.
  EXPECT_EQ(run.out.find("[1]"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("Caps2 / D3DCAPS2_CANRENDERWINDOWED: Yes on 3 of 4 "
                         "adapters (75.0%)\n"),
            std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find(" | "), std::string::npos) << run.out;
}

TEST_F(CompareRun, JsonHoldsNumbersAsNumbersAndTheRestAsTheReportShowsIt) {
  Script script = MakeSampleScript(1);
  script.adapters[0].caps.MaxPointSize = INFINITY;
  script.adapters[0].caps.MaxVertexW = NAN;
  WriteReport(script, "odd.html");
  ASSERT_EQ(Compare({"--jsonl", "lines.jsonl", "odd.html"}).exitCode, 0);
  std::istringstream lines(ReadFileBytes("lines.jsonl"));
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  const auto capabilities = nlohmann::ordered_json::parse(first);
  const auto adapter = nlohmann::ordered_json::parse(second);
  // Every limit but AdapterOrdinal, and the shader versions' order keys.
  EXPECT_EQ(capabilities["limits"].size(), kHalLimitRowCount - 1 + 2);
  EXPECT_EQ(capabilities["limits"]["MaxTextureWidth"], 4096);
  EXPECT_EQ(capabilities["limits"]["DeviceType"], "D3DDEVTYPE_HAL");
  EXPECT_EQ(capabilities["limits"]["VertexShaderVersion"], "1.1");
  EXPECT_EQ(capabilities["limits"]["VertexShaderVersion_order"], "00001.00001");
  EXPECT_EQ(capabilities["limits"]["MaxVertexW"], "nan");
  EXPECT_EQ(capabilities["limits"]["MaxPointSize"], "inf");
  EXPECT_NE(first.find("\"ExtentsAdjust\":0.50,"), std::string::npos) << first;
  EXPECT_EQ(capabilities["flags"].size(), kFlagGroupCount);
  EXPECT_EQ(capabilities["flags"].begin().key(), "Caps");
  // The one label with a blank keeps it.
  EXPECT_EQ(capabilities["flags"]["Caps2"]["D3DCAPS2_FULLSCREENGAMMA "], true);
  EXPECT_EQ(capabilities["flags"]["Caps2"]["D3DCAPS2_NO2DDURING3DSCENE"],
            false);
  // And the driver version's order key.
  EXPECT_EQ(adapter["identity"].size(), kIdentityRowCount + 1);
  EXPECT_EQ(adapter["identity"]["WHQLLevel"], "30.9.2001");
  EXPECT_EQ(adapter["identity"]["DriverVersion"], "4.12.10.276");
  EXPECT_TRUE(adapter["identity"]["VendorId"].is_number_unsigned());
  EXPECT_EQ(adapter["AdapterOrdinal"], 0);
  EXPECT_EQ(adapter["file"], "odd.html");
}

TEST_F(CompareRun, TextsAreUtf8OnceWhateverTheDriverTextsAreInEveryOutput) {
  Script script = MakeSampleScript(1);
  SetText(script.adapters[0].identifier.Driver, "caf\xE9 \x80 \x81");
  SetText(script.adapters[0].identifier.Description, "Radeon\x99 caf\xE9");
  WriteReport(script, "caf\xC3\xA9.html");
  const CompareOutcome run = Compare(
      {"--json", "parsed.json", "--html", "page.html", "caf\xC3\xA9.html"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  const auto json = nlohmann::json::parse(ReadFileBytes("parsed.json"));
  const auto& identity = json["records"][1]["identity"];
  // Not UTF-8: read as Windows-1252. A UTF-8 file name stays as it is.
  EXPECT_EQ(identity["Driver"], "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");
  EXPECT_EQ(json["records"][1]["file"], "caf\xC3\xA9.html");
  const std::string column =
      "caf\xC3\xA9.html #0 (Radeon\xE2\x84\xA2 caf\xC3\xA9)";
  EXPECT_NE(run.out.find(column), std::string::npos) << run.out;
  EXPECT_NE(ReadFileBytes("page.html").find(column), std::string::npos);
}

TEST_F(CompareRun, ThePageEscapesEveryReportText) {
  Script script = MakeSampleScript(1);
  SetText(script.adapters[0].identifier.Description,
          "<script>alert(\"x\")</script> & <img src=x onerror=alert(1)>");
  WriteReport(script, "Tom & Jerry's.html");
  ASSERT_EQ(Compare({"--html", "page.html", "one.html", "Tom & Jerry's.html"})
                .exitCode,
            1);
  const std::string page = ReadFileBytes("page.html");
  EXPECT_EQ(page.find("<script"), std::string::npos);
  EXPECT_EQ(page.find("<img"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; "
                      "&amp; &lt;img src=x onerror=alert(1)&gt;"),
            std::string::npos);
  EXPECT_NE(page.find("Tom &amp; Jerry&#39;s.html #0"), std::string::npos);
  // Self-contained: nothing is fetched, and links lead within the page.
  EXPECT_EQ(page.find("src="), page.find("src=x"));
  for (std::size_t at = page.find("href="); at != std::string::npos;
       at = page.find("href=", at + 1))
    EXPECT_EQ(page.substr(at, 7), "href=\"#");
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
}

TEST_F(CompareRun, ThePageShowsColumnsDifferencesAndCoverage) {
  std::filesystem::copy_file("one.html", "copy.html");
  ASSERT_EQ(
      Compare({"--html", "page.html", "one.html", "other.html", "copy.html"})
          .exitCode,
      1);
  const std::string page = ReadFileBytes("page.html");
  const std::size_t differences =
      page.find("<h2 id=\"differences\">Differences only</h2>");
  const std::size_t coverage = page.find("<h2 id=\"coverage\">Coverage</h2>");
  const std::size_t all = page.find("<h2 id=\"all\">All rows</h2>");
  ASSERT_NE(differences, std::string::npos);
  ASSERT_NE(coverage, std::string::npos);
  ASSERT_NE(all, std::string::npos);
  // What a person reads first: the coverage.
  EXPECT_LT(coverage, differences);
  EXPECT_LT(differences, all);
  // Four differing rows, each highlighted in both tables of columns.
  std::size_t highlighted = 0;
  for (std::size_t at = page.find("<tr class=\"differs\">");
       at != std::string::npos;
       at = page.find("<tr class=\"differs\">", at + 1))
    ++highlighted;
  EXPECT_EQ(highlighted, 8u);
  EXPECT_NE(page.find("<td>4096</td><td>8192</td>", differences),
            std::string::npos);
  // A column of two adapters lists both, folded.
  EXPECT_NE(page.find("<details><summary>2 adapters, the first"),
            std::string::npos);
  EXPECT_NE(page.find("<li>one.html #0 (Sample Adapter 0)</li><li>copy.html "
                      "#0 (Sample Adapter 0)</li></ul></details>"),
            std::string::npos);
  EXPECT_NE(page.find("style=\"width: 66.7%\"></span></span>4096: 2 (66.7%), "
                      "at or above: 3 (100.0%)",
                      coverage),
            std::string::npos);
}

TEST_F(CompareRun, FoldersAndListFilesStandForTheirReports) {
  namespace fs = std::filesystem;
  fs::create_directories("fleet/b");
  fs::create_directories("fleet/a/deeper");
  fs::copy_file("other.html", "fleet/b/pc.html");
  fs::copy_file("one.html", "fleet/a/deeper/pc.HTML");
  fs::copy_file("one.html", "fleet/a/pc1.html");
  WriteFileBytes("fleet/a/notes.txt", "not a report");
  WriteFileBytes("list.txt", "other.html\r\n\r\nfleet/a\none.html");

  const CompareOutcome folder = Compare({"fleet"});
  EXPECT_EQ(folder.exitCode, 1) << folder.err;
  // In byte order of path: "fleet/a/deeper/pc.HTML" < "fleet/a/pc1.html".
  EXPECT_EQ(folder.out.substr(0, folder.out.find("Graphics")),
            "[1] " + Native("fleet/a/deeper/pc.HTML") +
                " #0 (Sample Adapter 0), and 1 more adapter alike\n"
                "[2] " +
                Native("fleet/b/pc.html") + " #0 (Other Adapter)\n");

  const CompareOutcome list = Compare({"@list.txt"});
  EXPECT_EQ(list.exitCode, 1) << list.err;
  EXPECT_NE(list.out.find("[1] other.html #0"), std::string::npos) << list.out;
  EXPECT_NE(list.out.find(" across 4 adapters (2 configurations) in 4 "
                          "reports\n"),
            std::string::npos)
      << list.out;

  const CompareOutcome missing = Compare({"@no-list.txt", "one.html"});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_EQ(missing.err.rfind("@no-list.txt: cannot be read: ", 0), 0u)
      << missing.err;
  fs::create_directory("nothing");
  EXPECT_EQ(Compare({"nothing"}).err, "kelvane-compare: no report was found\n");
}

TEST_F(CompareRun, SkipBadLeavesOutAndNamesTheReportsThatCannotBeRead) {
  WriteFileBytes("bad.html", "<html>\r\n<body>\r\n");
  const CompareOutcome run =
      Compare({"--skip-bad", "--json", "parsed.json", "bad.html", "one.html",
               "missing.html", "other.html"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err.substr(0, run.err.find('\n')),
            "bad.html:2: expected \"<head>\", found \"<body>\" (not a "
            "Kelvane report)");
  EXPECT_NE(run.err.find("missing.html: cannot be read: "), std::string::npos);
  EXPECT_NE(run.out.find("in 2 reports; 2 reports left out\n"),
            std::string::npos)
      << run.out;
  std::size_t adapters = 0;
  const auto json = nlohmann::json::parse(ReadFileBytes("parsed.json"));
  for (const auto& record : json["records"])
    adapters += record.contains("file") ? 1 : 0;
  EXPECT_EQ(adapters, 2u);

  const CompareOutcome none = Compare({"--skip-bad", "bad.html"});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("kelvane-compare: no report could be read\n"),
            std::string::npos);
  // Without --skip-bad the first line error says what it would do, once.
  WriteFileBytes("worse.html", "<html>\r\n<body>\r\n");
  const CompareOutcome strict = Compare({"bad.html", "worse.html", "one.html"});
  EXPECT_EQ(strict.exitCode, 2);
  const std::string hint = "; --skip-bad leaves out what cannot be read\n";
  EXPECT_NE(strict.err.find("(not a Kelvane report)" + hint), std::string::npos)
      << strict.err;
  EXPECT_EQ(strict.err.find(hint), strict.err.rfind(hint)) << strict.err;

  // Reports were read and none meets --where: grep's "none", whatever was
  // left out.
  for (const bool leftOut : {false, true}) {
    SCOPED_TRACE(leftOut ? "a report left out" : "none left out");
    std::vector<std::string> arguments{"--skip-bad", "--files", "--where",
                                       "MaxTextureWidth>99999", "one.html"};
    if (leftOut) arguments.push_back("bad.html");
    const CompareOutcome unmet = Compare(arguments);
    EXPECT_EQ(unmet.exitCode, 1) << unmet.err;
    EXPECT_EQ(unmet.out, "");
  }
}

TEST_F(CompareRun, BadUsageIsTroubleSaidInOneLine) {
  const std::vector<std::string> cases[] = {
      {},
      {"--html"},
      {"--html=", "one.html"},
      {"--json", "", "one.html"},
      {"--frobnicate", "one.html"},
      {"--html", "same", "--json", "same", "one.html"},
      {"--html", "same", "--jsonl", "./same", "one.html"},
      {"--html", "page", "--html", "page2", "one.html"},
  };
  for (const auto& arguments : cases) {
    const CompareOutcome run = Compare(arguments);
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_EQ(run.err.rfind("kelvane-compare: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("kelvane-compare --help"), std::string::npos);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(FileExists("same"));
  }
  EXPECT_NE(ReadFileBytes("one.html").find("<html>"), std::string::npos);
  const CompareOutcome version = Compare({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "kelvane-compare " KELVANE_VERSION "\n");
}

}  // namespace
