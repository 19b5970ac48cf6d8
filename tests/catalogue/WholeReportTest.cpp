// A whole one-adapter report from fixed records, byte for byte against the
// one committed expected file: the same bytes on every build.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/RunReport.h"
#include "support/SampleRecords.h"
#include "support/WorkingDirectory.h"

namespace {

using WholeReport = InTempDirectory;

TEST_F(WholeReport, MatchesTheExpectedFileByteForByte) {
  const std::string expected = ReadFileBytes(std::string(KELVANE_EXPECTED_DIR) +
                                             "/DeviceCaps-one-adapter.html");
  ASSERT_FALSE(expected.empty())
      << "cannot read the expected report from " << KELVANE_EXPECTED_DIR;

  Script script;
  script.adapters.push_back({MakeSampleIdentifier(0), MakeSampleCaps(0)});
  ASSERT_EQ(RunReport(script).exitCode, 0);

  const std::string actual = ReadFileBytes("DeviceCaps.html");
  if (actual != expected) {
    // Kept for a look, or for replacing the expected file after a change
    // that is meant.
    const auto kept = std::filesystem::temp_directory_path() /
                      "kelvane-actual-DeviceCaps.html";
    std::filesystem::copy_file(
        "DeviceCaps.html", kept,
        std::filesystem::copy_options::overwrite_existing);
    std::size_t at = 0;
    while (at < actual.size() && at < expected.size() &&
           actual[at] == expected[at])
      ++at;
    ADD_FAILURE() << "the report differs from byte " << at << ": \""
                  << actual.substr(at > 40 ? at - 40 : 0, 80)
                  << "\"; written to " << kept.string();
  }
}

}  // namespace
