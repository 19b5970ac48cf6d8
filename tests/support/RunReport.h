// Runs the whole program over a script and keeps what the user would see.
#pragma once

#include <string>

#include "support/ScriptedSource.h"

struct RunOutcome {
  int exitCode;
  std::string console;
};

RunOutcome RunReport(Script& script);

#ifndef _WIN32
// Runs the program in a child process, after `prepare` has changed what the
// child may do (its user, its file size limit), so the test process keeps
// its own rights.
RunOutcome RunReportInChild(Script& script, void (*prepare)());
#endif
