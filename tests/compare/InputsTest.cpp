// What the command line leads to, as other people's folders and careless
// habits have it: an output never replaces an input, each file is read once,
// anything that is not a regular file is refused at once, and a folder walk
// goes on past what it cannot read.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <thread>

#include "CompareFixture.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

class Inputs : public CompareTest {
 protected:
  void SetUp() override {
    CompareTest::SetUp();
    WriteSampleAndOther();
  }
};

struct OverInput {
  const char* what;
  std::function<void()> prepare;
  std::vector<std::string> arguments;
  const char* error;
  const char* kept;  // the input that must keep its bytes
};

TEST_F(Inputs, NoOutputReplacesAnInputHoweverItWasReached) {
  fs::create_directory("reports");
  fs::copy_file("one.html", "reports/DeviceCaps.html");
  WriteFileBytes("list.txt", "other.html\nlisted.html\n");
  fs::copy_file("one.html", "listed.html");
  WriteFileBytes("fleet.txt", "one.html\n");
  fs::create_hard_link("one.html", "twin.html");
  const OverInput cases[] = {
      {"a report found in a folder",
       [] {},
       {"--html", Native("reports/DeviceCaps.html"), "reports"},
       "--html names the report ",
       "reports/DeviceCaps.html"},
      {"a report named in a list",
       [] {},
       {"--json", "listed.html", "@list.txt"},
       "--json names the report listed.html",
       "listed.html"},
      {"the list file itself",
       [] {},
       {"--jsonl", "fleet.txt", "@fleet.txt"},
       "--jsonl names the list file @fleet.txt",
       "fleet.txt"},
      {"a second name of the report",
       [] {},
       {"--html", "twin.html", "one.html"},
       "--html names the report one.html",
       "one.html"},
  };
  for (const OverInput& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string before = ReadFileBytes(c.kept);
    const CompareOutcome run = Compare(c.arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFileBytes(c.kept), before);
  }
}

TEST_F(Inputs, APageKeptInTheFolderItComparesIsNeverReadAsAReport) {
  fs::create_directory("rep");
  fs::copy_file("one.html", "rep/pc1.html");
  fs::copy_file("other.html", "rep/pc2.html");
  const CompareOutcome first =
      Compare({"--html", Native("rep/index.html"), "rep"});
  const CompareOutcome second =
      Compare({"--html", Native("rep/index.html"), "rep"});
  EXPECT_EQ(first.exitCode, 1) << first.err;
  EXPECT_EQ(second.exitCode, 1) << second.err;
  EXPECT_EQ(second.out, first.out);
  EXPECT_NE(second.out.find(" in 2 reports\n"), std::string::npos);

  // A page of an earlier run kept under another name is told once and left
  // out; the run compares what it compared.
  const CompareOutcome renamed = Compare({"--html", "page.html", "rep"});
  EXPECT_EQ(renamed.exitCode, 1) << renamed.err;
  EXPECT_EQ(renamed.err,
            Native("rep/index.html") + ": a kelvane-compare page, left out\n");
  EXPECT_NE(renamed.out.find(" in 2 reports\n"), std::string::npos);
}

TEST_F(Inputs, AReportIsNeverReplacedWhereItsOutputFileWasForgotten) {
  // --html pc1.html pc2.html: FILE forgotten, the first report taken for it.
  const std::string before = ReadFileBytes("one.html");
  const CompareOutcome run = Compare({"--html", "one.html", "other.html"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_EQ(run.err,
            "kelvane-compare: --html would replace one.html, a Kelvane "
            "report: name another FILE, or remove the report first to "
            "replace it\n");
  EXPECT_EQ(ReadFileBytes("one.html"), before);
  EXPECT_TRUE(OutputLeftovers().empty());
}

TEST_F(Inputs, AReportReachedTwiceIsReadOnce) {
  fs::create_directory("folder");
  fs::copy_file("one.html", "folder/one.html");
  fs::create_hard_link("folder/one.html", "same.html");
  WriteFileBytes("list.txt", "same.html\none.html\n");
  const CompareOutcome run =
      Compare({"one.html", "folder", "@list.txt", "same.html", "./one.html"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("across 2 adapters (1 configuration) in 2 reports\n"),
            std::string::npos)
      << run.out;
}

TEST_F(Inputs, ListsTakeAByteOrderMarkAndNameTheirLineInEveryError) {
  WriteFileBytes("bom.txt", "\xEF\xBB\xBFone.html\r\nother.html\r\n");
  const CompareOutcome bom = Compare({"@bom.txt"});
  EXPECT_EQ(bom.exitCode, 1) << bom.err;
  EXPECT_NE(bom.out.find("in 2 reports\n"), std::string::npos);

  WriteFileBytes("bad.html", "<html>\r\n<body>\r\n");
  WriteFileBytes("list.txt", std::string("one.html\nmissing.html\nbad.html\n"
                                         "one\0.html\n",
                                         41) +
                                 std::string(200000, 'x') + "\nother.html\n");
  const CompareOutcome run = Compare({"--skip-bad", "@list.txt"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  for (const char* error :
       {"@list.txt:2: missing.html: cannot be read: ",
        "@list.txt:3: bad.html:2: expected \"<head>\", found \"<body>\"",
        "@list.txt:4: a path cannot hold NUL",
        "@list.txt:5: a line longer than any path"})
    EXPECT_NE(run.err.find(error), std::string::npos) << error << run.err;
  // A line past any path ends the list: what follows may be anything.
  EXPECT_NE(run.out.find("in 1 report; 4 reports left out\n"),
            std::string::npos)
      << run.out;
}

#ifndef _WIN32
// A list comes through a pipe as it comes: the standard input ("@-"), a
// FIFO, a shell's @<(find ...).
TEST_F(Inputs, AListComesThroughAPipe) {
  int through[2];
  ASSERT_EQ(pipe(through), 0);
  const std::string names = "one.html\nother.html\n";
  ASSERT_EQ(write(through[1], names.data(), names.size()),
            static_cast<ssize_t>(names.size()));
  close(through[1]);
  const int input = dup(STDIN_FILENO);
  dup2(through[0], STDIN_FILENO);
  close(through[0]);
  const CompareOutcome fromStdin = Compare({"--files", "@-"});
  dup2(input, STDIN_FILENO);
  close(input);
  EXPECT_EQ(fromStdin.out, "one.html\nother.html\n") << fromStdin.err;

  ASSERT_EQ(mkfifo("names", 0600), 0);
  std::thread writer([&names] { WriteFileBytes("names", names); });
  const CompareOutcome fromFifo = Compare({"--files", "@names"});
  writer.join();
  EXPECT_EQ(fromFifo.out, "one.html\nother.html\n") << fromFifo.err;
}
#endif

// Inputs that are no regular file are refused at once: nothing waits on a
// FIFO's writer or reads a device without end. A list may be a pipe (above).
TEST_F(Inputs, WhatIsNoRegularFileIsRefusedAtOnce) {
  fs::create_directory("folder");
  const struct {
    std::vector<std::string> arguments;
    const char* error;
  } cases[] = {
      {{"@folder"}, "@folder: is a folder, not a file"},
#ifdef _WIN32
      {{"NUL"}, "NUL: is a device, not a file"},
      {{"@NUL"}, "@NUL: is a device, not a file"},
#else
      {{"pipe.html"}, "pipe.html: is a FIFO, not a file"},
      {{"@list.txt"}, "@list.txt:1: pipe.html: is a FIFO, not a file"},
      {{"@/dev/zero"}, "@/dev/zero: is a device, not a file"},
      {{"/dev/null"}, "/dev/null: is a device, not a file"},
#endif
  };
#ifndef _WIN32
  ASSERT_EQ(mkfifo("pipe.html", 0600), 0);
  WriteFileBytes("list.txt", "pipe.html\n");
#endif
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back("one.html");
    const CompareOutcome run = Compare(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
  }
}

#ifndef _WIN32
// A file of any size is read in the memory of a report.
std::size_t PeakMemoryKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::size_t>(usage.ru_maxrss);
}

TEST_F(Inputs, JunkOfAnySizeFailsAtItsFirstBadLine) {
  // 8 GB with no line end at all, and 64 MB of short lines inside a text.
  { std::ofstream sparse("huge.html", std::ios::binary); }
  fs::resize_file("huge.html", std::uintmax_t{8} << 30);
  const std::string report = ReadFileBytes("one.html");
  const std::size_t cell = report.find("<td>kelvane0.dll");
  std::string lines = report.substr(0, cell) + "<td>";
  lines.reserve(lines.size() + (64 << 20));
  while (lines.size() < (64u << 20)) lines += "x\r\n";
  WriteFileBytes("endless.html", lines);
  lines = std::string();
  const std::size_t before = PeakMemoryKb();

  const CompareOutcome huge = Compare({"huge.html"});
  EXPECT_EQ(huge.exitCode, 2);
  EXPECT_EQ(huge.err,
            "huge.html:1: expected \"<html>\", found a line of more than "
            "1024 bytes (not a Kelvane report); --skip-bad leaves out what "
            "cannot be read\n");
  const CompareOutcome endless = Compare({"endless.html"});
  EXPECT_EQ(endless.exitCode, 2);
  EXPECT_NE(endless.err.find("found a text of more than 512 bytes"),
            std::string::npos)
      << endless.err;
  EXPECT_LT(PeakMemoryKb() - before, 16u * 1024);
}

// A run in a child process, limited by `limit` first: exit 99 where it
// cannot be.
CompareOutcome CompareInChild(const std::vector<std::string>& arguments,
                              const std::function<bool()>& limit) {
  int out[2], err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return {-1, "", "no pipe"};
  const pid_t child = fork();
  if (child == 0) {
    if (!limit()) _exit(99);
    std::ostringstream outText, errText;
    const int code =
        kelvane::RunCompare(kelvane::ArgumentsOf(arguments), outText, errText);
    const std::string o = outText.str(), e = errText.str();
    if (write(out[1], o.data(), o.size()) < 0 ||
        write(err[1], e.data(), e.size()) < 0)
      _exit(98);
    _exit(code);
  }
  close(out[1]);
  close(err[1]);
  auto drain = [](int from) {
    std::string text;
    char piece[4096];
    for (ssize_t got; (got = read(from, piece, sizeof piece)) > 0;)
      text.append(piece, static_cast<std::size_t>(got));
    close(from);
    return text;
  };
  CompareOutcome outcome{0, drain(out[0]), drain(err[0])};
  int status = 0;
  waitpid(child, &status, 0);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

// What root can read, a user cannot: the walk meets a folder without
// permission.
CompareOutcome CompareAsUser(const std::vector<std::string>& arguments) {
  return CompareInChild(arguments, [] {
    return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
  });
}

TEST_F(Inputs, ATreeDeeperThanTheOpenFilesAllowedIsWalkedWhole) {
  fs::path deep = "deep";
  for (int level = 0; level < 64; ++level) deep /= "d";
  fs::create_directories(deep);
  fs::copy_file("other.html", deep / "pc.html");
  const CompareOutcome run = CompareInChild({"deep", "one.html"}, [] {
    const rlimit few{16, 16};
    return setrlimit(RLIMIT_NOFILE, &few) == 0;
  });
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.out.find("in 2 reports\n"), std::string::npos) << run.out;
}

TEST_F(Inputs, TheFolderWalkGoesOnPastWhatItCannotRead) {
  fs::create_directories("fleet/a");
  fs::create_directories("fleet/locked");
  fs::create_directories("fleet/z");
  fs::create_directories("site");
  fs::copy_file("one.html", "fleet/a/pc.html");
  fs::copy_file("other.html", "fleet/locked/pc.html");
  fs::copy_file("other.html", "fleet/z/pc.html");
  fs::copy_file("one.html", "site/pc.html");
  // A link to another folder is followed; one back up the tree ends.
  fs::create_directory_symlink("../site", "fleet/site");
  fs::create_directory_symlink("..", "fleet/a/up");
  fs::create_symlink("nowhere.html", "fleet/gone.html");
  ASSERT_EQ(mkfifo("fleet/z/pipe.html", 0644), 0);
  fs::permissions(directory_, fs::perms::owner_all | fs::perms::group_read |
                                  fs::perms::group_exec |
                                  fs::perms::others_read |
                                  fs::perms::others_exec);
  fs::permissions("fleet/locked", fs::perms::none);

  const CompareOutcome strict = CompareAsUser({"fleet"});
  EXPECT_EQ(strict.exitCode, 2);
  const CompareOutcome skipping = CompareAsUser({"--skip-bad", "fleet"});
  fs::permissions("fleet/locked", fs::perms::owner_all);
  ASSERT_NE(skipping.exitCode, 99) << "cannot take another user";
  EXPECT_EQ(skipping.exitCode, 1) << skipping.err;
  for (const char* error : {"fleet/locked: cannot be read: ",
                            "fleet/gone.html: is a link to nothing",
                            "fleet/z/pipe.html: is a FIFO, not a report"}) {
    EXPECT_NE(strict.err.find(error), std::string::npos) << strict.err;
    EXPECT_NE(skipping.err.find(error), std::string::npos) << skipping.err;
  }
  // The walk reached what lay beyond each, the linked site once.
  EXPECT_NE(skipping.out.find("across 3 adapters (2 configurations) in 3 "
                              "reports; 3 reports left out\n"),
            std::string::npos)
      << skipping.out;
}

TEST_F(Inputs, FolderLinksAreFollowedByChoiceAndTheSystemsViewsNever) {
  fs::create_directories("fleet/a");
  fs::create_directories("site");
  fs::copy_file("one.html", "fleet/a/pc.html");
  fs::copy_file("other.html", "site/pc.html");
  fs::create_directory_symlink("../site", "fleet/site");
  // A link to the whole machine walks it, but never its views of processes,
  // kernel and devices.
  fs::create_directory_symlink("/proc", "fleet/proc");
  fs::create_directory_symlink("/sys", "fleet/sys");
  fs::create_directory_symlink("/dev", "fleet/dev");
  const CompareOutcome followed = Compare({"--files", "fleet"});
  EXPECT_EQ(followed.out, "fleet/a/pc.html\nfleet/site/pc.html\n");
  EXPECT_EQ(followed.err, "");
  for (const char* option : {"--no-follow", "-P"}) {
    const CompareOutcome kept = Compare({"--files", option, "fleet"});
    EXPECT_EQ(kept.out, "fleet/a/pc.html\n") << option;
  }
}
#endif

}  // namespace
