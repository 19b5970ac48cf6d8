// Runs the whole program over a script and keeps what the user would see.
#pragma once

#include <string>

#include "support/ScriptedSource.h"

struct RunOutcome {
  int exitCode;
  std::string console;
};

RunOutcome RunReport(Script& script);
