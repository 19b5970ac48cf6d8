// Tests that touch files run in a fresh temporary directory of their own,
// which is the working directory while the test runs.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/Files.h"

class InTempDirectory : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path directory_;

 private:
  std::filesystem::path previous_;
};

// The report's lines; a failure is recorded if any line lacks its CR LF.
std::vector<std::string> ReadReportLines();

// Makes the file system refuse to remove the file until AllowRemoval; false
// where this machine cannot be made to refuse.
bool RefuseRemoval(const std::string& name);
void AllowRemoval(const std::string& name);
