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
TEST_F(FileNames, NamesThatAreNotUtf8StayApartAndComeBackAsTheirBytes) {
  // Two names alike but for a byte that begins no UTF-8 character.
  fs::copy_file("one.html", "c\xFF.html");
  fs::copy_file("other.html", "c\xFE.html");
  const CompareOutcome files =
      Compare({"--files", "--json", "parsed.json", "c\xFE.html", "c\xFF.html"});
  ASSERT_EQ(files.exitCode, 0) << files.err;
  EXPECT_EQ(files.out, "c\xFE.html\nc\xFF.html\n");
  const auto json = nlohmann::json::parse(ReadFileBytes("parsed.json"));
  std::vector<std::pair<std::string, std::string> > names;
  for (const auto& record : json["records"])
    if (record.contains("file"))
      names.emplace_back(record["file"], record["file_hex"]);
  EXPECT_EQ(names, (std::vector<std::pair<std::string, std::string> >{
                       {"c\xEF\xBF\xBD.html", "63fe2e68746d6c"},
                       {"c\xEF\xBF\xBD.html", "63ff2e68746d6c"}}));
  const std::string text = Compare({"c\xFE.html", "c\xFF.html"}).out;
  EXPECT_NE(text.find("\"c\\xfe.html\" #0"), std::string::npos) << text;
  EXPECT_NE(text.find("\"c\\xff.html\" #0"), std::string::npos) << text;
}

TEST_F(FileNames, NullEndsEachNameForXargs) {
  fs::copy_file("one.html", "two\nlines.html");
  for (const char* null : {"--null", "-0"}) {
    const CompareOutcome run = Compare({"--files", null, "two\nlines.html"});
    EXPECT_EQ(run.out, std::string("two\nlines.html\0", 15)) << null;
    EXPECT_EQ(run.err, "");
  }
  // Without it the name is still its bytes, and a line says what to use.
  const CompareOutcome run = Compare({"--files", "two\nlines.html"});
  EXPECT_EQ(run.out, "two\nlines.html\n");
  EXPECT_NE(run.err.find("--null"), std::string::npos) << run.err;
}
#endif

}  // namespace
