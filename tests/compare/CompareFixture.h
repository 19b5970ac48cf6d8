// Reports written by the real driver from scripted records, in the test's
// own directory, for kelvane-compare to read back.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "compare/CompareRun.h"
#include "support/RunReport.h"
#include "support/SampleRecords.h"
#include "support/WorkingDirectory.h"

struct CompareOutcome {
  int exitCode;
  std::string out;
  std::string err;
};

class CompareTest : public InTempDirectory {
 protected:
  // Runs the program over the script and keeps its report under `name`.
  void WriteReport(Script script, const std::string& name) {
    ASSERT_EQ(RunReport(script).exitCode, 0) << name;
    std::filesystem::rename("DeviceCaps.html", name);
  }

  CompareOutcome Compare(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int exitCode = kelvane::RunCompare(arguments, out, err);
    return {exitCode, out.str(), err.str()};
  }
};
