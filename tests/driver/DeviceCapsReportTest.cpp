#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "driver/DeviceCapsReport.h"
#include "driver/DriverState.h"
#include "report/ReportMarkup.h"
#include "support/ConsoleTexts.h"
#include "support/CrLf.h"
#include "support/ReportRows.h"
#include "support/ReportShape.h"
#include "support/RunReport.h"
#include "support/SampleRecords.h"
#include "support/WorkingDirectory.h"

namespace {

using Lines = std::vector<std::string>;

const char kCreditLine[] =
    "Extracted by Kelvane 1.01 - <a "
    "href=\"http://kelvane.example.org/index.html\">kelvane.example.org/</a>";
const Lines kHead = {"<html>", "<head>", "<title>DeviceCaps</title>",
                     "</head>"};

Lines Slice(const Lines& lines, std::size_t first, std::size_t count) {
  if (first + count > lines.size()) return {};
  return Lines(lines.begin() + first, lines.begin() + first + count);
}

using DeviceCapsReport = InTempDirectory;

TEST_F(DeviceCapsReport, WithoutAdaptersHoldsOnlyHeadAndTail) {
  Script script;
  const RunOutcome run = RunReport(script);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.console, std::string(kBanner) + kCreated);
  Lines expected = kHead;
  expected.push_back(kCreditLine);
  expected.push_back("</html>");
  EXPECT_EQ(ReadReportLines(), expected);
  EXPECT_EQ(script.calls,
            (Lines{"Direct3DCreate8(120)", "GetAdapterCount()", "Release()"}));
  EXPECT_EQ(g_direct3d, nullptr);
}

TEST_F(DeviceCapsReport, WritesEveryAdapterInOrderFromItsOwnRecords) {
  Script script = MakeSampleScript(2);
  // Both records of an adapter are fetched before any of its lines.
  std::vector<std::size_t> linesAtCapsFetch;
  script.onCall = [&](const std::string& call) {
    if (call.rfind("GetDeviceCaps", 0) == 0)
      linesAtCapsFetch.push_back(ReadReportLines().size());
  };
  const RunOutcome run = RunReport(script);

  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.console, std::string(kBanner) + kCreated);
  EXPECT_EQ(script.calls,
            (Lines{"Direct3DCreate8(120)", "GetAdapterCount()",
                   "GetAdapterIdentifier(0, 0)", "GetDeviceCaps(0, 1)",
                   "GetAdapterIdentifier(1, 0)", "GetDeviceCaps(1, 1)",
                   "Release()"}));
  EXPECT_EQ(linesAtCapsFetch,
            (std::vector<std::size_t>{kHeadLines, kHeadLines + kAdapterLines}));

  const Lines lines = ReadReportLines();
  ASSERT_EQ(lines.size(), kHeadLines + 2 * kAdapterLines + kTailLines);
  EXPECT_EQ(Slice(lines, 0, kHeadLines), kHead);
  for (std::size_t adapter = 0; adapter < 2; ++adapter) {
    const std::size_t start = kHeadLines + adapter * kAdapterLines;
    const std::size_t capsStart = start + kIdentityTableLines + 2;
    SCOPED_TRACE("adapter " + std::to_string(adapter));
    EXPECT_EQ(
        lines[start + 2],
        "<th colspan=2><div align=\"left\">Graphics Card Info</div></th>");
    EXPECT_EQ(Slice(lines, start + kIdentityTableLines, 2),
              (Lines{"</table>", "<br>"}));
    EXPECT_EQ(lines[capsStart + 2],
              "<th colspan=2><div align=\"left\">DirectGraphics HAL "
              "DeviceCaps</div></th>");
    EXPECT_EQ(Slice(lines, capsStart + kCapsTableLines, 2),
              (Lines{"</table>", "<br>"}));
  }
  EXPECT_EQ(Slice(lines, lines.size() - 2, 2), (Lines{kCreditLine, "</html>"}));

  // Each adapter's rows show its own records.
  const auto values = [rows = ReadRows(lines)](const std::string& label) {
    Lines found;
    for (const ReportRow& row : rows)
      if (row.label == label) found.push_back(row.value);
    return found;
  };
  EXPECT_EQ(values("Description"),
            (Lines{"Sample Adapter 0", "Sample Adapter 1"}));
  EXPECT_EQ(values("VendorId"), (Lines{"4318", "4319"}));
  EXPECT_EQ(values("AdapterOrdinal"), (Lines{"0", "1"}));
  EXPECT_EQ(values("MaxTextureWidth"), (Lines{"4096", "4097"}));
}

TEST_F(DeviceCapsReport, TheCreditLineLinksTheHomePage) {
  EXPECT_EQ(FormCreditLine(), kCreditLine);
}

struct FailureCase {
  const char* what;
  unsigned adapters;
  unsigned failingAdapter;
  bool identifierFails;
  HRESULT result;
  int exitCode;
  const char* message;
  std::size_t linesWhenItFails;
};

TEST_F(DeviceCapsReport, AFailedFetchEndsTheRunAndRemovesTheReport) {
  const FailureCase cases[] = {
      {"identifier of adapter 0", 1, 0, true, kFailure, -3, kIdentifierMessage,
       kHeadLines},
      {"caps of adapter 0", 1, 0, false, kFailure, -2, kCapsMessage,
       kHeadLines},
      {"caps of adapter 1 after adapter 0", 2, 1, false, kFailure, -2,
       kCapsMessage, kHeadLines + kAdapterLines},
      {"identifier of adapter 1 after adapter 0", 2, 1, true, kFailure, -3,
       kIdentifierMessage, kHeadLines + kAdapterLines},
      {"identifier answering S_FALSE", 1, 0, true, S_FALSE, -3,
       kIdentifierMessage, kHeadLines},
      {"caps answering S_FALSE", 1, 0, false, S_FALSE, -2, kCapsMessage,
       kHeadLines},
      {"caps answering another success code", 1, 0, false, 0x7FFFFFFF, -2,
       kCapsMessage, kHeadLines},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.what);
    Script script = MakeSampleScript(c.adapters);
    ScriptedAdapter& failing = script.adapters[c.failingAdapter];
    (c.identifierFails ? failing.identifierResult : failing.capsResult) =
        c.result;
    std::size_t linesWhenItFails = 0;
    const std::string failingCall =
        (c.identifierFails ? "GetAdapterIdentifier(" : "GetDeviceCaps(") +
        std::to_string(c.failingAdapter);
    script.onCall = [&](const std::string& call) {
      if (call.rfind(failingCall, 0) == 0)
        linesWhenItFails = ReadReportLines().size();
    };

    const RunOutcome run = RunReport(script);

    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(run.console, std::string(kBanner) + c.message);
    EXPECT_EQ(linesWhenItFails, c.linesWhenItFails);
    EXPECT_FALSE(FileExists("DeviceCaps.html"));
    EXPECT_EQ(ReadFileBytes("error.txt"), CrLf(c.message));
    EXPECT_EQ(script.releaseCount, 1);
    EXPECT_EQ(script.calls.back(), "Release()");
    EXPECT_EQ(g_direct3d, nullptr);
  }
}

TEST_F(DeviceCapsReport, WithoutDirect3DSaysSoAndReleasesNothing) {
  Script script;
  script.createSucceeds = false;
  const RunOutcome run = RunReport(script);
  EXPECT_EQ(run.exitCode, -1);
  EXPECT_EQ(run.console, std::string(kBanner) + kCreationMessage);
  EXPECT_EQ(ReadFileBytes("error.txt"),
            CrLf(kCreationMessage) + "Error deleting DeviceCaps.html");
  EXPECT_FALSE(FileExists("DeviceCaps.html"));
  EXPECT_EQ(script.calls, Lines{"Direct3DCreate8(120)"});
  EXPECT_EQ(script.releaseCount, 0);
}

TEST_F(DeviceCapsReport, WithoutDirect3DRemovesAnEarlierReport) {
  WriteFileBytes("DeviceCaps.html", "<html>\r\nold\r\n");
  Script script;
  script.createSucceeds = false;
  EXPECT_EQ(RunReport(script).exitCode, -1);
  EXPECT_FALSE(FileExists("DeviceCaps.html"));
  EXPECT_EQ(ReadFileBytes("error.txt"), CrLf(kCreationMessage));
}

TEST_F(DeviceCapsReport, EmptiesAnEarlierReportOnlyOnceItHasTheCount) {
  const std::string stale = std::string(3000000, 's') + "\r\n";
  WriteFileBytes("DeviceCaps.html", stale);
  Script script;
  bool staleAtCount = false;
  script.onCall = [&](const std::string& call) {
    if (call == "GetAdapterCount()")
      staleAtCount = ReadFileBytes("DeviceCaps.html") == stale;
  };
  EXPECT_EQ(RunReport(script).exitCode, 0);
  EXPECT_TRUE(staleAtCount);
  EXPECT_EQ(ReadReportLines().size(), 6u);
}

TEST_F(DeviceCapsReport, SuccessLeavesAnEarlierErrorTxtAlone) {
  WriteFileBytes("error.txt", "from last week");
  Script script = MakeSampleScript(1);
  EXPECT_EQ(RunReport(script).exitCode, 0);
  EXPECT_EQ(ReadFileBytes("error.txt"), "from last week");
}

TEST_F(DeviceCapsReport, AFailureReplacesAnEarlierErrorTxt) {
  WriteFileBytes("error.txt", std::string(4000, 'e'));
  Script script = MakeSampleScript(1);
  script.adapters[0].capsResult = kFailure;
  EXPECT_EQ(RunReport(script).exitCode, -2);
  EXPECT_EQ(ReadFileBytes("error.txt"), CrLf(kCapsMessage));
}

TEST_F(DeviceCapsReport, ARefusedRemovalLeavesThePartlyWrittenReport) {
  Script script = MakeSampleScript(2);
  script.adapters[1].capsResult = kFailure;
  bool refused = false;
  script.onCall = [&](const std::string& call) {
    if (call == "GetDeviceCaps(1, 1)")
      refused = RefuseRemoval("DeviceCaps.html");
  };
  const RunOutcome run = RunReport(script);
  if (!refused) GTEST_SKIP() << "this file system cannot refuse a removal";
  const Lines lines = ReadReportLines();
  AllowRemoval("DeviceCaps.html");

  EXPECT_EQ(run.exitCode, -2);
  EXPECT_EQ(lines.size(), kHeadLines + kAdapterLines);
  EXPECT_EQ(ReadFileBytes("error.txt"),
            CrLf(kCapsMessage) + "Error deleting DeviceCaps.html");
  EXPECT_EQ(script.releaseCount, 1);
}

TEST_F(DeviceCapsReport, AReportThatCannotBeWrittenIsNotAnnounced) {
  std::filesystem::create_directory("DeviceCaps.html");
  Script script = MakeSampleScript(1);
  const RunOutcome run = RunReport(script);
  EXPECT_EQ(run.exitCode, -4);
  EXPECT_EQ(run.console, std::string(kBanner) + kWriteMessage);
  EXPECT_EQ(ReadFileBytes("error.txt"),
            CrLf(kWriteMessage) + "Error deleting DeviceCaps.html");
  EXPECT_TRUE(std::filesystem::is_directory("DeviceCaps.html"));
  EXPECT_EQ(script.releaseCount, 1);
}

#ifndef _WIN32
TEST_F(DeviceCapsReport, AFullDiskIsNotAnnouncedAsACreatedReport) {
  std::filesystem::create_symlink("/dev/full", "DeviceCaps.html");
  Script script = MakeSampleScript(1);
  const RunOutcome run = RunReport(script);
  EXPECT_EQ(run.exitCode, -4);
  EXPECT_EQ(run.console, std::string(kBanner) + kWriteMessage);
  EXPECT_EQ(ReadFileBytes("error.txt"), CrLf(kWriteMessage));
  EXPECT_FALSE(FileExists("DeviceCaps.html"));
}
#endif

}  // namespace
