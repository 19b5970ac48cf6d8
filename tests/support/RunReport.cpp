#include "support/RunReport.h"

#include <gtest/gtest.h>

#include "driver/DeviceCapsReport.h"

RunOutcome RunReport(Script& script) {
  testing::internal::CaptureStdout();
  const int exitCode = WriteDeviceCapsReport(UseScript(script));
  return {exitCode, testing::internal::GetCapturedStdout()};
}

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

RunOutcome RunReportInChild(Script& script, void (*prepare)()) {
  int console[2];
  if (pipe(console) != 0) return {-100, "no pipe"};
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    close(console[0]);
    dup2(console[1], STDOUT_FILENO);
    prepare();
    const int exitCode = WriteDeviceCapsReport(UseScript(script));
    std::fflush(stdout);
    _exit(exitCode & 0xFF);
  }
  close(console[1]);
  std::string output;
  char buffer[4096];
  for (ssize_t got; (got = read(console[0], buffer, sizeof buffer)) > 0;)
    output.append(buffer, static_cast<std::size_t>(got));
  close(console[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status)) return {-100, output};
  return {static_cast<signed char>(WEXITSTATUS(status)), output};
}
#endif
