#include <gtest/gtest.h>

#include <filesystem>

#include "driver/DriverState.h"
#include "driver/FailureExit.h"
#include "support/ScriptedSource.h"
#include "support/WorkingDirectory.h"

namespace {

class FailureExit : public InTempDirectory {
 protected:
  void Hold() {
    g_capabilitySource = &UseScript(script_);
    g_direct3d = &script_;
  }

  int Fail(int code) {
    testing::internal::CaptureStdout();
    const int result = FailAndExit("Something failed\n\n", code);
    console_ = testing::internal::GetCapturedStdout();
    return result;
  }

  Script script_;
  std::string console_;
};

TEST_F(FailureExit, ReportsRemovesReleasesAndReturnsTheCode) {
  Hold();
  WriteFileBytes("DeviceCaps.html", "<html>\r\n");
  EXPECT_EQ(Fail(-2), -2);
  EXPECT_EQ(console_, "Something failed\n\n");
  EXPECT_EQ(ReadFileBytes("error.txt"), "Something failed\r\n\r\n");
  EXPECT_FALSE(FileExists("DeviceCaps.html"));
  EXPECT_EQ(script_.releaseCount, 1);
  EXPECT_EQ(g_direct3d, nullptr);
}

TEST_F(FailureExit, AFailedRemovalIsAddedToErrorTxtWithoutALineEnd) {
  g_direct3d = nullptr;
  EXPECT_EQ(Fail(-1), -1);
  EXPECT_EQ(ReadFileBytes("error.txt"),
            "Something failed\r\n\r\nError deleting DeviceCaps.html");
}

TEST_F(FailureExit, NeverRemovesADirectoryNamedLikeTheReport) {
  std::filesystem::create_directory("DeviceCaps.html");
  EXPECT_EQ(Fail(-3), -3);
  EXPECT_TRUE(std::filesystem::is_directory("DeviceCaps.html"));
  EXPECT_EQ(ReadFileBytes("error.txt"),
            "Something failed\r\n\r\nError deleting DeviceCaps.html");
}

TEST_F(FailureExit, ReplacesAnEarlierErrorTxt) {
  WriteFileBytes("error.txt", std::string(5000, 'e'));
  WriteFileBytes("DeviceCaps.html", "");
  Fail(-2);
  EXPECT_EQ(ReadFileBytes("error.txt"), "Something failed\r\n\r\n");
}

TEST_F(FailureExit, GoesOnWhenErrorTxtCannotBeWritten) {
  Hold();
  std::filesystem::create_directory("error.txt");
  WriteFileBytes("DeviceCaps.html", "<html>\r\n");
  EXPECT_EQ(Fail(-2), -2);
  EXPECT_EQ(console_, "Something failed\n\n");
  EXPECT_FALSE(FileExists("DeviceCaps.html"));
  EXPECT_EQ(script_.releaseCount, 1);
  EXPECT_EQ(g_direct3d, nullptr);
}

TEST_F(FailureExit, ReleaseDirect3DReleasesOnceAndOnlyWhatIsHeld) {
  g_direct3d = nullptr;
  ReleaseDirect3D();
  EXPECT_EQ(script_.releaseCount, 0);

  Hold();
  ReleaseDirect3D();
  ReleaseDirect3D();
  EXPECT_EQ(script_.releaseCount, 1);
  EXPECT_EQ(g_direct3d, nullptr);
}

}  // namespace
