#include <gtest/gtest.h>

#include <filesystem>

#include "report/ReportFile.h"
#include "support/WorkingDirectory.h"

namespace {

using ReportFile = InTempDirectory;

struct LineCase {
  const char* what;
  std::string line;
  std::string bytes;
};

TEST_F(ReportFile, StoresEachLineWithCrLfAndEveryOtherByteUnchanged) {
  const LineCase cases[] = {
      {"empty line", "", "\r\n"},
      {"plain", "<td>Yes</td>", "<td>Yes</td>\r\n"},
      {"line feed inside", "a\nb", "a\r\nb\r\n"},
      {"CR LF inside", "a\r\nb", "a\r\r\nb\r\n"},
      {"lone CR", "a\rb", "a\rb\r\n"},
      {"percent and markup", "100% <&> %s %n %%", "100% <&> %s %n %%\r\n"},
      {"bytes above 0x7F", "\xC3\xA9\xFF", "\xC3\xA9\xFF\r\n"},
      {"NUL-free backslash", "C:\\WINDOWS", "C:\\WINDOWS\r\n"},
  };
  for (const LineCase& c : cases) {
    CreateReportFile("");
    AppendReportLine(c.line);
    EXPECT_EQ(ReadFileBytes(kReportFileName), c.bytes) << c.what;
  }
}

TEST_F(ReportFile, CreateWritesTheTextAsGivenAndAppendContinuesIt) {
  CreateReportFile("<html>\n");
  EXPECT_EQ(ReadFileBytes(kReportFileName), "<html>\r\n");

  CreateReportFile("<html>");
  AppendReportLine("<head>");
  EXPECT_EQ(ReadFileBytes(kReportFileName), "<html><head>\r\n");
}

TEST_F(ReportFile, CreateEmptiesALongerReportLeftByAnEarlierRun) {
  WriteFileBytes(kReportFileName, std::string(100000, 'x'));
  CreateReportFile("<html>\n");
  AppendReportLine("</html>");
  EXPECT_EQ(ReadFileBytes(kReportFileName), "<html>\r\n</html>\r\n");
}

TEST_F(ReportFile, AppendCreatesAMissingReport) {
  AppendReportLine("<br>");
  EXPECT_EQ(ReadFileBytes(kReportFileName), "<br>\r\n");
}

TEST_F(ReportFile, EveryLineIsOnDiskAsSoonAsTheCallReturns) {
  CreateReportFile("<html>\n");
  for (int i = 0; i < 3; ++i) {
    AppendReportLine("<br>");
    EXPECT_EQ(ReadReportLines().size(), static_cast<std::size_t>(i + 2));
  }
}

TEST_F(ReportFile, RemembersAFailedCallUntilTheNextReportIsCreated) {
  CreateReportFile("<html>\n");
  AppendReportLine("<head>");
  EXPECT_TRUE(IsReportWhole());

  // A line that cannot reach the disk; the next one can again.
  std::filesystem::remove(kReportFileName);
  std::filesystem::create_directory(kReportFileName);
  AppendReportLine("lost");
  std::filesystem::remove(kReportFileName);
  AppendReportLine("</html>");
  EXPECT_EQ(ReadFileBytes(kReportFileName), "</html>\r\n");
  EXPECT_FALSE(IsReportWhole());

  CreateReportFile("<html>\n");
  EXPECT_TRUE(IsReportWhole());
}

TEST_F(ReportFile, AReportThatCannotBeOpenedIsNotWhole) {
  std::filesystem::create_directory(kReportFileName);
  CreateReportFile("<html>\n");
  AppendReportLine("<head>");
  EXPECT_FALSE(IsReportWhole());
  EXPECT_TRUE(std::filesystem::is_directory(kReportFileName));
}

#ifndef _WIN32
TEST_F(ReportFile, AFullDiskMakesTheReportNotWhole) {
  std::filesystem::create_symlink("/dev/full", kReportFileName);
  CreateReportFile("<html>\n");
  EXPECT_FALSE(IsReportWhole());
}
#endif

}  // namespace
