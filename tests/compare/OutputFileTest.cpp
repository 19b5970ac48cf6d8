// Outputs appear whole or not at all, and never touch a file of anyone
// else's.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "CompareFixture.h"
#include "compare/output/OutputFile.h"

namespace {

namespace fs = std::filesystem;

class Outputs : public CompareTest {
 protected:
  void SetUp() override {
    CompareTest::SetUp();
    WriteSampleAndOther();
    WriteFileBytes("page.html", "old page");
  }
};

struct OutputFault {
  const char* what;
  std::vector<std::string> arguments;
  const char* error;  // in what stderr says
};

TEST_F(Outputs, ATroubleWithAnyOutputChangesNoFile) {
  fs::create_directory("folder");
  const OutputFault cases[] = {
      {"a later output is a directory",
       {"--html", "page.html", "--json", "folder", "one.html"},
       "folder: is a directory"},
      {"a later output's folder is missing",
       {"--html", "page.html", "--jsonl", "no-such-dir/lines.jsonl",
        "one.html"},
       "no-such-dir/lines.jsonl: cannot be written: "},
  };
  for (const OutputFault& c : cases) {
    SCOPED_TRACE(c.what);
    const CompareOutcome run = Compare(c.arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFileBytes("page.html"), "old page");
    EXPECT_TRUE(OutputLeftovers().empty());
  }
}

TEST_F(Outputs, AMessageGivesTheSystemsReason) {
  const CompareOutcome run =
      Compare({"--json", "no-such-dir/parsed.json", "one.html"});
  EXPECT_EQ(run.exitCode, 2);
  const std::string written = "no-such-dir/parsed.json: cannot be written: ";
  const std::size_t at = run.err.find(written);
  ASSERT_NE(at, std::string::npos) << run.err;
#ifdef _WIN32
  // The system's own words, whatever its language.
  EXPECT_GT(run.err.size(), at + written.size() + 2) << run.err;
#else
  EXPECT_EQ(run.err.substr(at + written.size()),
            std::error_code(ENOENT, std::generic_category()).message() + "\n");
#endif
}

TEST_F(Outputs, OutputsReplaceEarlierOnesWholeAndLeaveNothingBeside) {
  WriteFileBytes("parsed.json", std::string(100000, 'x'));
  ASSERT_EQ(Compare({"--html", "page.html", "--json", "parsed.json", "one.html",
                     "other.html"})
                .exitCode,
            1);
  EXPECT_EQ(ReadFileBytes("page.html").rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_EQ(ReadFileBytes("parsed.json").rfind("{\"records\": [", 0), 0u);
  EXPECT_TRUE(OutputLeftovers().empty());
}

TEST_F(Outputs, TemporaryFilesAreOfTheirOwnAndShortlyNamed) {
  // Two pending outputs for one target never share a file; on Linux they
  // have no name at all until they are put in place.
  std::vector<kelvane::PendingFile> files;
  files.emplace_back("page.html");
  kelvane::PendingFile second("page.html");
  files[0].Write("first");
  second.Write("second");
  files[0].Finish();
  second.Finish();
  const std::vector<std::string> pending = OutputLeftovers();
#ifdef _WIN32
  ASSERT_EQ(pending.size(), 2u);
  EXPECT_NE(pending[0], pending[1]);
  for (const std::string& name : pending) EXPECT_LT(name.size(), 24u) << name;
#else
  EXPECT_TRUE(pending.empty());
#endif
  EXPECT_EQ(ReadFileBytes("page.html"), "old page");
  kelvane::CommitAll(files);
  EXPECT_EQ(ReadFileBytes("page.html"), "first");
}

TEST_F(Outputs, AFailedReplacementPutsBackWhatWasReplaced) {
  fs::create_directory("gone");
  std::vector<kelvane::PendingFile> files;
  files.emplace_back("page.html");
  files.emplace_back("gone/parsed.json");
  files[0].Write("new page");
  files[1].Write("new json");
  for (auto& file : files) file.Finish();
  // The second target's folder vanishes after its file was written.
  fs::rename("gone", "moved");
  EXPECT_THROW(kelvane::CommitAll(files), kelvane::OutputError);
  EXPECT_EQ(ReadFileBytes("page.html"), "old page");
  EXPECT_TRUE(OutputLeftovers().empty());
}

TEST_F(Outputs, AnyNameTheFileSystemTakesWorksAsAnOutput) {
  // 255 bytes is the usual limit of one name; a temporary name beside it
  // must not need more.
  const std::string names[] = {
      std::string(250, 'p') + ".html",
      // 78 CJK characters, 239 bytes.
      [] {
        std::string cjk;
        for (int i = 0; i < 78; ++i) cjk += "\xE6\xAF\x94";
        return cjk + ".html";
      }(),
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name.size());
    const CompareOutcome run = Compare({"--html", name, "one.html"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::ifstream page(fs::u8path(name), std::ios::binary);
    std::string start(15, ' ');
    page.read(start.data(), 15);
    EXPECT_EQ(start, "<!DOCTYPE html>");
  }
  EXPECT_TRUE(OutputLeftovers().empty());
}

#ifdef _WIN32
TEST_F(Outputs, ADeviceIsWrittenToAsItIs) {
  const CompareOutcome run = Compare({"--html", "NUL", "one.html"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(OutputLeftovers().empty());
}
#else
TEST_F(Outputs, ALinkIsWrittenThroughAndADeviceOrFifoWrittenDirectly) {
  fs::create_symlink("page.html", "link.html");
  fs::create_symlink("new/page.html", "dangling.html");
  fs::create_directory("new");
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  std::string piped;
  std::thread reader([&piped] { piped = ReadFileBytes("pipe"); });
  const CompareOutcome run =
      Compare({"--html", "link.html", "--json", "pipe", "--jsonl",
               "dangling.html", "--", "one.html"});
  reader.join();
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_TRUE(fs::is_symlink("link.html"));
  EXPECT_EQ(ReadFileBytes("page.html").rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_TRUE(fs::is_symlink("dangling.html"));
  EXPECT_EQ(ReadFileBytes("new/page.html").rfind("{\"configuration\":", 0), 0u);
  EXPECT_TRUE(fs::is_fifo("pipe"));
  EXPECT_EQ(piped.rfind("{\"records\": [", 0), 0u) << piped;

  EXPECT_EQ(Compare({"--html", "/dev/null", "one.html"}).exitCode, 0);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(OutputLeftovers().empty());
}

TEST_F(Outputs, AReplacedFileKeepsItsPermissions) {
  fs::permissions("page.html", fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_EQ(Compare({"--html", "page.html", "one.html"}).exitCode, 0);
  EXPECT_EQ(fs::status("page.html").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(Outputs, AStandardOutputThatCannotBeWrittenIsTrouble) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  std::ofstream full("/dev/full");
  full.rdbuf()->pubsetbuf(nullptr, 0);
  std::ostringstream err;
  const int exitCode = kelvane::RunCompare(
      kelvane::ArgumentsOf({"--html", "page.html", "one.html", "other.html"}),
      full, err);
  EXPECT_EQ(exitCode, 2);
  EXPECT_EQ(err.str(),
            "kelvane-compare: the standard output cannot be written\n");
  EXPECT_EQ(ReadFileBytes("page.html"), "old page");
}
#endif

}  // namespace
