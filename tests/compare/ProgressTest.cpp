// A long run shows a sign of life on a terminal, and nothing anywhere else.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CompareFixture.h"

namespace {

class Progress : public CompareTest {
 protected:
  void SetUp() override {
    CompareTest::SetUp();
    WriteSampleAndOther();
  }

  // The program's stderr on `err`, its stdout in a file; what it wrote to
  // stdout.
  static std::string Run(int err) {
    const pid_t child = fork();
    if (child == 0) {
      const int out = open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(out, STDOUT_FILENO);
      dup2(err, STDERR_FILENO);
      execl(KELVANE_COMPARE_PROGRAM, KELVANE_COMPARE_PROGRAM, "one.html",
            "other.html", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);
    return ReadFileBytes("out.txt");
  }
};

// What the terminal was shown, once its other end is closed; closes it.
std::string ReadAllOf(int terminal) {
  std::string shown;
  char piece[4096];
  for (ssize_t got; (got = read(terminal, piece, sizeof piece)) > 0;)
    shown.append(piece, static_cast<std::size_t>(got));
  close(terminal);
  return shown;
}

TEST_F(Progress, ATerminalSeesHowFarTheReadingIsThenTheLineErased) {
  int terminal = -1, line = -1;
  ASSERT_EQ(openpty(&terminal, &line, nullptr, nullptr, nullptr), 0);
  const std::string out = Run(line);
  close(line);
  const std::string shown = ReadAllOf(terminal);
  const std::string progress = "\rread 0 of 2 reports";
  EXPECT_EQ(shown.rfind(progress, 0), 0u) << shown;
  // Erased, blank for blank, before the result.
  EXPECT_EQ(shown.substr(shown.size() - progress.size() - 1),
            "\r" + std::string(progress.size() - 1, ' ') + "\r")
      << shown;
  EXPECT_NE(out.find(" in 2 reports\n"), std::string::npos) << out;
}

TEST_F(Progress, ANarrowTerminalGetsALineThatNeverWraps) {
  const winsize narrow{1, 12, 0, 0};
  int terminal = -1, line = -1;
  ASSERT_EQ(openpty(&terminal, &line, nullptr, nullptr, &narrow), 0);
  Run(line);
  close(line);
  const std::string shown = ReadAllOf(terminal);
  EXPECT_EQ(shown.rfind("\rread 0 of ", 0), 0u) << shown;
  std::size_t start = 0;
  for (std::size_t end;
       (end = shown.find('\r', start + 1)) != std::string::npos; start = end)
    EXPECT_LT(end - start - 1, 12u) << shown;
}

TEST_F(Progress, ARedirectedStderrGetsNothingButTrouble) {
  const int err = open("err.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ASSERT_GE(err, 0);
  Run(err);
  close(err);
  EXPECT_EQ(ReadFileBytes("err.txt"), "");
}

}  // namespace
#endif
