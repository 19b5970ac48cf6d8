// Every name the system allows works as a report, a folder and an output,
// and reaches the outputs as UTF-8.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "CompareFixture.h"
#include "compare/cli/FileNames.h"

namespace {

namespace fs = std::filesystem;

class FileNames : public CompareTest {
 protected:
  void SetUp() override {
    CompareTest::SetUp();
    WriteSampleAndOther();
  }

  // As the program takes an argument: the system's name, shown as UTF-8.
  static kelvane::Argument ArgumentOf(const fs::path& path) {
    return {kelvane::ShownName(path), path};
  }

  CompareOutcome CompareNames(const std::vector<kelvane::Argument>& arguments) {
    std::ostringstream out, err;
    const int exitCode = kelvane::RunCompare(arguments, out, err);
    return {exitCode, out.str(), err.str()};
  }
};

TEST_F(FileNames, NamesInAnyScriptWorkAsReportFolderAndOutput) {
  const char* const names[] = {
      "\xE6\x8A\xA5\xE5\x91\x8A-\xC3\xA9",  // 报告-é
      "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE"
      "\xAC",                      // Ελληνικά
      "Zo\xC3\xAB",                // Zoë
      "\xE6\xAF\x94\xE8\xBC\x83",  // 比較
  };
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const std::string report = std::string(name) + ".html";
    const fs::path folder = fs::u8path(std::string(name) + "-folder");
    fs::create_directories(folder / fs::u8path(name));
    fs::copy_file("one.html", folder / fs::u8path(name) / fs::u8path(report));
    fs::copy_file("one.html", fs::u8path(report));
    const fs::path page = fs::u8path(std::string(name) + "-page.html");
    const fs::path json = fs::u8path(std::string(name) + ".json");

    const CompareOutcome run = CompareNames(
        {ArgumentOf("--html"), ArgumentOf(page), ArgumentOf("--json"),
         ArgumentOf(json), ArgumentOf(fs::u8path(report)), ArgumentOf(folder),
         ArgumentOf("other.html")});
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.out.find("[1] " + report + " #0"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find(" across 3 adapters (2 configurations) in 3 "),
              std::string::npos)
        << run.out;
    std::ifstream pageFile(page, std::ios::binary);
    const std::string pageBytes(std::istreambuf_iterator<char>(pageFile), {});
    EXPECT_NE(pageBytes.find("<li>" + report + " #0"), std::string::npos);
    std::ifstream jsonFile(json, std::ios::binary);
    const auto parsed = nlohmann::json::parse(jsonFile);
    EXPECT_EQ(parsed["records"][1]["file"], report);
  }
}

#ifdef _WIN32
TEST_F(FileNames, ALoneSurrogateIsShownAsReplacementAndOpenedByItsName) {
  const fs::path name(std::wstring(L"lone-\xD800.html"));
  EXPECT_EQ(kelvane::ShownName(name), "lone-\xEF\xBF\xBD.html");
  std::error_code error;
  fs::copy_file("one.html", name, error);
  // Wine's file system, for one, cannot hold such a name.
  if (error) GTEST_SKIP() << "this file system refuses the name";
  const CompareOutcome run = CompareNames({ArgumentOf(name)});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("[1] lone-\xEF\xBF\xBD.html #0"), std::string::npos)
      << run.out;
}
#else
TEST_F(FileNames, ANameThatIsNotUtf8IsShownAsReplacementAndOpenedByItsBytes) {
  fs::copy_file("one.html", "caf\xE9.html");
  ASSERT_EQ(Compare({"--json", "parsed.json", "caf\xE9.html"}).exitCode, 0);
  const auto json = nlohmann::json::parse(ReadFileBytes("parsed.json"));
  EXPECT_EQ(json["records"][1]["file"], "caf\xEF\xBF\xBD.html");
}
#endif

}  // namespace
