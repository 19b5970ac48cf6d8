// Reports written by the real driver from scripted records, in the test's
// own directory, for kelvane-compare to read back.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "compare/cli/CompareRun.h"
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
    std::filesystem::rename("DeviceCaps.html", std::filesystem::u8path(name));
  }

  // A name as the system shows it: "\\" between folders on Windows.
  static std::string Native(const std::string& name) {
    return std::filesystem::path(name).make_preferred().string();
  }

  CompareOutcome Compare(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int exitCode =
        kelvane::RunCompare(kelvane::ArgumentsOf(arguments), out, err);
    return {exitCode, out.str(), err.str()};
  }

  // The sample adapter, and one that differs from it in its description,
  // a limit and a flag group.
  void WriteSampleAndOther() {
    WriteReport(MakeSampleScript(1), "one.html");
    Script other = MakeSampleScript(1);
    other.adapters[0].caps.MaxTextureHeight = 8192;
    other.adapters[0].caps.Caps2 = 0;
    SetText(other.adapters[0].identifier.Description, "Other Adapter");
    WriteReport(other, "other.html");
  }
};

// The names in the working directory that an output left beside its place:
// temporary files and saved copies.
inline std::vector<std::string> OutputLeftovers() {
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator("."))
    if (entry.path().filename().string().rfind(".kc", 0) == 0)
      left.push_back(entry.path().filename().string());
  return left;
}

// The number of the line of the bytes that holds `text`, from 1.
inline std::size_t LineOf(const std::string& bytes, const std::string& text) {
  const std::size_t at = bytes.find(text);
  EXPECT_NE(at, std::string::npos) << text;
  return static_cast<std::size_t>(
             std::count(bytes.begin(), bytes.begin() + at, '\n')) +
         1;
}
