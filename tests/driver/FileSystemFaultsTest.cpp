// What users' machines do to the files: each fault ends in the right exit
// code and console text, leaves the right files, and never claims a report
// that is not whole.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/ConsoleTexts.h"
#include "support/RunReport.h"
#include "support/SampleRecords.h"
#include "support/WorkingDirectory.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#endif

namespace {

using FileSystemFaults = InTempDirectory;

TEST_F(FileSystemFaults, ErrorTxtThatCannotBeCreatedStopsNothingElse) {
  std::filesystem::create_directory("error.txt");
  Script script = MakeSampleScript(2);
  script.adapters[1].capsResult = kFailure;
  const RunOutcome run = RunReport(script);
  EXPECT_EQ(run.exitCode, -2);
  EXPECT_EQ(run.console, std::string(kBanner) + kCapsMessage);
  EXPECT_FALSE(FileExists("DeviceCaps.html"));
  EXPECT_TRUE(std::filesystem::is_directory("error.txt"));
  EXPECT_EQ(script.releaseCount, 1);
}

#ifndef _WIN32

TEST_F(FileSystemFaults, TheDiskFillingUpMidReportIsAFailure) {
  // Room for the head and part of the first adapter only.
  Script script = MakeSampleScript(2);
  const RunOutcome run = RunReportInChild(script, [] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {20000, 20000};
    setrlimit(RLIMIT_FSIZE, &limit);
  });
  EXPECT_EQ(run.exitCode, -4);
  EXPECT_EQ(run.console, std::string(kBanner) + kWriteMessage);
  EXPECT_FALSE(FileExists("DeviceCaps.html"));
  EXPECT_EQ(ReadFileBytes("error.txt"),
            "Error writing DeviceCaps.html\r\n\r\n");
}

TEST_F(FileSystemFaults, AWorkingDirectoryThatCannotBeWrittenIsAFailure) {
  if (geteuid() != 0) {
    std::filesystem::permissions(directory_,
                                 std::filesystem::perms::owner_read |
                                     std::filesystem::perms::owner_exec);
  }
  Script script = MakeSampleScript(1);
  // Root writes anywhere: the run goes on as nobody.
  const RunOutcome run = RunReportInChild(script, [] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(99);
  });
  std::filesystem::permissions(directory_, std::filesystem::perms::owner_all);
  ASSERT_NE(run.exitCode, 99) << "could not become nobody";
  EXPECT_EQ(run.exitCode, -4);
  EXPECT_EQ(run.console, std::string(kBanner) + kWriteMessage);
  EXPECT_TRUE(std::filesystem::is_empty(directory_));
}

#endif

}  // namespace
