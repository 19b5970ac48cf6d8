#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CompareFixture.h"
#include "support/CrLf.h"
#include "support/ReportShape.h"

namespace {

constexpr std::size_t kRowsPerAdapter =
    kIdentityRowCount + kHalLimitRowCount + kFlagRowCount;

std::size_t CountLines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class CompareRun : public CompareTest {
 protected:
  void SetUp() override {
    CompareTest::SetUp();
    WriteReport(MakeSampleScript(1), "one.html");
    Script other = MakeSampleScript(1);
    other.adapters[0].caps.MaxTextureHeight = 8192;
    other.adapters[0].caps.Caps2 = 0;
    SetText(other.adapters[0].identifier.Description, "Other Adapter");
    WriteReport(other, "other.html");
  }
};

TEST_F(CompareRun, SameReportsShowOnlyTheSummary) {
  WriteFileBytes("lf.html", LfOnly(ReadFileBytes("one.html")));
  const CompareOutcome run = Compare({"one.html", "one.html", "lf.html"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "0 of " + std::to_string(kRowsPerAdapter) +
                         " rows differ across 3 adapters in 3 reports\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(CompareRun, ASingleAdapterAloneIsTheSame) {
  const CompareOutcome run = Compare({"one.html"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.out, "0 of " + std::to_string(kRowsPerAdapter) +
                         " rows differ across 1 adapter in 1 report\n");
}

TEST_F(CompareRun, DifferingRowsAreListedWithEveryColumnsValue) {
  const CompareOutcome run = Compare({"one.html", "other.html"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.out,
            "Graphics Card Info / Description: Sample Adapter 0 | Other "
            "Adapter\n"
            "DirectGraphics HAL DeviceCaps / MaxTextureHeight: 4096 | 8192\n"
            "DirectGraphics HAL DeviceCaps / Caps2 / "
            "D3DCAPS2_CANRENDERWINDOWED: Yes | No\n"
            "DirectGraphics HAL DeviceCaps / Caps2 / D3DCAPS2_FULLSCREENGAMMA "
            ": Yes | No\n"
            "4 of " +
                std::to_string(kRowsPerAdapter) +
                " rows differ across 2 adapters in 2 reports\n");
}

TEST_F(CompareRun, EveryAdapterOfEveryReportIsAColumn) {
  WriteReport(MakeSampleScript(3), "three.html");
  const CompareOutcome run = Compare({"one.html", "three.html", "--json",
                                      "parsed.json", "--html", "page.html"});
  EXPECT_EQ(run.exitCode, 1);
  // The sample adapters differ in their numbers, by design.
  EXPECT_NE(run.out.find("Graphics Card Info / VendorId: 4318 | 4318 | 4319 | "
                         "4320\n"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(" across 4 adapters in 2 reports\n"),
            std::string::npos);
  const auto json = nlohmann::json::parse(ReadFileBytes("parsed.json"));
  ASSERT_EQ(json["reports"].size(), 2u);
  EXPECT_EQ(json["reports"][1]["file"], "three.html");
  EXPECT_EQ(json["reports"][1]["adapters"].size(), 3u);
  EXPECT_NE(ReadFileBytes("page.html").find("three.html #2 (Sample Adapter 2)"),
            std::string::npos);
}

TEST_F(CompareRun, JsonHoldsEveryCellAsTheReportShowsIt) {
  ASSERT_EQ(Compare({"--json", "parsed.json", "one.html"}).exitCode, 0);
  const auto json = nlohmann::ordered_json::parse(ReadFileBytes("parsed.json"));
  const auto& adapter = json["reports"][0]["adapters"][0];
  EXPECT_EQ(adapter["identity"].size(), kIdentityRowCount);
  EXPECT_EQ(adapter["identity"]["WHQLLevel"], "30.9.2001");
  EXPECT_EQ(adapter["limits"].size(), kHalLimitRowCount);
  EXPECT_EQ(adapter["limits"]["MaxVertexW"], "10000000000.00");
  EXPECT_EQ(adapter["flags"].size(), kFlagGroupCount);
  EXPECT_EQ(adapter["flags"].begin().key(), "Caps");
  // The one label with a blank keeps it.
  EXPECT_EQ(adapter["flags"]["Caps2"]["D3DCAPS2_FULLSCREENGAMMA "], true);
  EXPECT_EQ(adapter["flags"]["Caps2"]["D3DCAPS2_NO2DDURING3DSCENE"], false);
}

TEST_F(CompareRun, JsonIsUtf8WhateverTheDriverTextsAre) {
  Script script = MakeSampleScript(1);
  SetText(script.adapters[0].identifier.Driver, "caf\xE9 \x80 \x81");
  SetText(script.adapters[0].identifier.Description,
          "Gr\xC3\xA4"
          "fik");
  WriteReport(script, "ansi.html");
  ASSERT_EQ(Compare({"--json", "parsed.json", "ansi.html"}).exitCode, 0);
  const auto json = nlohmann::json::parse(ReadFileBytes("parsed.json"));
  const auto& identity = json["reports"][0]["adapters"][0]["identity"];
  // Not UTF-8: read as Windows-1252. UTF-8 already: kept as it is.
  EXPECT_EQ(identity["Driver"], "caf\xC3\xA9 \xE2\x82\xAC \xC2\x81");
  EXPECT_EQ(identity["Description"],
            "Gr\xC3\xA4"
            "fik");
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
  // Self-contained: nothing is fetched.
  EXPECT_EQ(page.find("src="), page.find("src=x"));
  EXPECT_EQ(page.find("href"), std::string::npos);
  EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
}

TEST_F(CompareRun, ThePageShowsTheDifferencesFirstAndHighlightsThem) {
  ASSERT_EQ(Compare({"--html", "page.html", "one.html", "other.html"}).exitCode,
            1);
  const std::string page = ReadFileBytes("page.html");
  const std::size_t differences = page.find("<h2>Differences only</h2>");
  const std::size_t all = page.find("<h2>All rows</h2>");
  ASSERT_NE(differences, std::string::npos);
  ASSERT_NE(all, std::string::npos);
  EXPECT_LT(differences, all);
  // Four differing rows, each highlighted in both sections.
  std::size_t highlighted = 0;
  for (std::size_t at = page.find("<tr class=\"differs\">");
       at != std::string::npos;
       at = page.find("<tr class=\"differs\">", at + 1))
    ++highlighted;
  EXPECT_EQ(highlighted, 8u);
  EXPECT_NE(page.find("<td>4096</td><td>8192</td>", differences),
            std::string::npos);
}

struct BadInput {
  const char* what;
  std::string bytes;  // the file's content; unused for a directory
  bool directory;
  const char* error;  // the start of what stderr says
};

TEST_F(CompareRun, AnythingButAWholeReportIsTroubleAndWritesNothing) {
  const std::string report = ReadFileBytes("one.html");
  const std::string tail = "</html>\r\n";
  const std::size_t cut = report.find("<td>MaxStreams</td>");
  ASSERT_NE(cut, std::string::npos);
  std::string badFlag = report;
  badFlag.replace(badFlag.find("<td>Yes</td>"), 12, "<td>Maybe</td>");
  std::string twice = report;
  const std::string row =
      "<tr>\r\n<td>VendorId</td>\r\n<td>4318</td>\r\n</tr>\r\n";
  twice.insert(twice.find(row), row);

  const BadInput cases[] = {
      {"empty", "", false, "bad.html:1: expected \"<html>\", found the end"},
      {"truncated in a row", report.substr(0, cut), false,
       "bad.html:148: expected a label cell"},
      {"truncated before </html>",
       report.substr(0, report.size() - tail.size()), false,
       "bad.html:1059: expected \"</html>\", found the end"},
      {"another page", "<html>\r\n<body>Hello</body>\r\n</html>\r\n", false,
       "bad.html:2: expected \"<head>\", found \"<body>Hello</body>\""},
      {"a flag neither Yes nor No", badFlag, false,
       "bad.html:176: expected \"<td>Yes</td>\" or \"<td>No</td>\""},
      {"a label twice", twice, false,
       "bad.html:30: expected each label once in a table or group, but "
       "\"VendorId\" came again"},
      {"bytes after </html>", report + "more\r\n", false,
       "bad.html:1060: expected the end of the file"},
      {"a cell that never ends",
       report.substr(0, report.find("kelvane0.dll")) + "kelvane0.dll\r\n",
       false, "bad.html:15: expected the value cell begun here"},
      {"a directory", "", true, "bad.html: is a directory"},
      {"a missing file", "", false, "bad.html: cannot be read"},
  };
  WriteFileBytes("page.html", "kept");
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all("bad.html");
    if (c.directory)
      std::filesystem::create_directory("bad.html");
    else if (std::string(c.what) != "a missing file")
      WriteFileBytes("bad.html", c.bytes);

    const CompareOutcome run = Compare({"--html", "page.html", "--json",
                                        "parsed.json", "one.html", "bad.html"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind(c.error, 0), 0u) << run.err;
    EXPECT_EQ(CountLines(run.err), 1u) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFileBytes("page.html"), "kept");
    EXPECT_FALSE(FileExists("parsed.json"));
  }
}

TEST_F(CompareRun, BadUsageIsTroubleAndSaysHowToUseIt) {
  const std::vector<std::string> cases[] = {
      {},
      {"--html"},
      {"--frobnicate", "one.html"},
      {"--html", "same", "--json", "same", "one.html"},
  };
  for (const auto& arguments : cases) {
    const CompareOutcome run = Compare(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("usage: kelvane-compare"), std::string::npos);
    EXPECT_FALSE(FileExists("same"));
  }
}

TEST_F(CompareRun, AnOutputThatCannotBeWrittenLeavesTheOtherUnwritten) {
  const CompareOutcome run = Compare(
      {"--html", "page.html", "--json", "no-such-dir/parsed.json", "one.html"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("no-such-dir"), std::string::npos) << run.err;
  EXPECT_FALSE(FileExists("page.html"));
  EXPECT_EQ(run.out, "");
  // And no temporary file is left beside either.
  for (const auto& entry : std::filesystem::directory_iterator("."))
    EXPECT_EQ(entry.path().string().find("kelvane-tmp"), std::string::npos)
        << entry.path();
}

TEST_F(CompareRun, OutputsReplaceEarlierOnesWhole) {
  WriteFileBytes("page.html", std::string(100000, 'x'));
  ASSERT_EQ(Compare({"--html", "page.html", "one.html"}).exitCode, 0);
  const std::string page = ReadFileBytes("page.html");
  EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(page.find('x' + std::string(99, 'x')), std::string::npos);
}

}  // namespace
