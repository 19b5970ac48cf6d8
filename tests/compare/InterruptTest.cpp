// An interrupted run leaves nothing behind and changes no output: Ctrl-C, a
// hung-up terminal, kill, every other signal that ends a process; a reader
// that closed the pipe (`| head`) only ends the text.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "CompareFixture.h"
#include "compare/cli/Interrupts.h"

namespace {

namespace fs = std::filesystem;

struct Interruption {
  const char* name;
  int number;
};

const Interruption kInterruptions[] = {
    {"SIGHUP", SIGHUP},   {"SIGINT", SIGINT},       {"SIGQUIT", SIGQUIT},
    {"SIGPIPE", SIGPIPE}, {"SIGALRM", SIGALRM},     {"SIGTERM", SIGTERM},
    {"SIGUSR1", SIGUSR1}, {"SIGUSR2", SIGUSR2},     {"SIGXCPU", SIGXCPU},
    {"SIGXFSZ", SIGXFSZ}, {"SIGVTALRM", SIGVTALRM}, {"SIGPROF", SIGPROF}};

// How the child ended: the signal that ended it, or -1.
int EndingSignal(pid_t child) {
  int status = 0;
  if (waitpid(child, &status, 0) != child) return -1;
  return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
}

class Interrupts : public CompareTest {
 protected:
  void SetUp() override {
    CompareTest::SetUp();
    WriteSampleAndOther();
    WriteFileBytes("page.html", "old page");
  }

  // kelvane-compare itself, its standard output on `out`.
  static pid_t Start(std::vector<std::string> arguments, int out) {
    const pid_t child = fork();
    if (child != 0) return child;
    dup2(out, STDOUT_FILENO);
    std::vector<char*> argv{const_cast<char*>(KELVANE_COMPARE_PROGRAM)};
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
};

TEST_F(Interrupts, ARegisteredFileIsRemovedAndTheSignalEndsTheProcess) {
  for (const Interruption& interruption : kInterruptions) {
    SCOPED_TRACE(interruption.name);
    const pid_t child = fork();
    if (child == 0) {
      kelvane::RemoveFilesOnInterrupt();
      WriteFileBytes("temporary", "half");
      kelvane::RemovedOnInterrupt removed("temporary");
      raise(interruption.number);
      _exit(0);
    }
    EXPECT_EQ(EndingSignal(child), interruption.number);
    EXPECT_FALSE(FileExists("temporary"));
  }
}

TEST_F(Interrupts, AnInterruptionWaitsWhileFilesArePutInPlace) {
  const pid_t child = fork();
  if (child == 0) {
    kelvane::RemoveFilesOnInterrupt();
    {
      const kelvane::InterruptionsHeld held;
      raise(SIGINT);
      WriteFileBytes("put in place", "whole");
    }
    _exit(0);
  }
  EXPECT_EQ(EndingSignal(child), SIGINT);
  EXPECT_EQ(ReadFileBytes("put in place"), "whole");
}

TEST_F(Interrupts, AReaderThatClosedThePipeStillGetsTheFilesWritten) {
  // `| head`: the reader gone, the text ends and the files are written.
  int pipe_[2];
  ASSERT_EQ(pipe(pipe_), 0);
  close(pipe_[0]);
  const pid_t child = Start({"--html", "page.html", "--json", "parsed.json",
                             "one.html", "other.html"},
                            pipe_[1]);
  close(pipe_[1]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(ReadFileBytes("page.html").rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_TRUE(FileExists("parsed.json"));
  EXPECT_TRUE(OutputLeftovers().empty());
}

TEST_F(Interrupts, ASignalMidRunLeavesNothingBehindEvenAKill) {
  // The run waits on opening a FIFO that no one reads, its page begun.
  ASSERT_EQ(mkfifo("pipe", 0600), 0);
  for (const int number : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
    SCOPED_TRACE(number);
    const pid_t child = Start(
        {"--html", "page.html", "--jsonl", "pipe", "one.html"}, STDOUT_FILENO);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(child, number);
    EXPECT_EQ(EndingSignal(child), number);
    EXPECT_EQ(ReadFileBytes("page.html"), "old page");
    EXPECT_TRUE(fs::is_fifo("pipe"));
    EXPECT_TRUE(OutputLeftovers().empty());
  }
}

}  // namespace
#endif
