// An interrupted run leaves nothing behind: Ctrl-C or Ctrl-\, a terminal
// hung up, a reader that closed the pipe (`| head`), kill, timeout, a CPU or
// file size limit; on Windows Ctrl-C,
// Ctrl-Break and a closed console. Files registered here are removed before
// the process ends as the interruption would have ended it.
#pragma once

#include <filesystem>

namespace kelvane {

// Once, at the start of the program.
void RemoveFilesOnInterrupt();

// While it lives, its file is removed should the run be interrupted.
class RemovedOnInterrupt {
 public:
  explicit RemovedOnInterrupt(const std::filesystem::path& path);
  RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
  RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;
  ~RemovedOnInterrupt();

 private:
  int slot_;
};

// While it lives, a reader that closed the standard output's pipe
// (`| head`) ends no run: the write fails instead, and ReaderWentAway()
// says so. A SIGPIPE sent at any other time still interrupts.
class PipeSignalIgnored {
 public:
  PipeSignalIgnored();
  PipeSignalIgnored(const PipeSignalIgnored&) = delete;
  PipeSignalIgnored& operator=(const PipeSignalIgnored&) = delete;
  ~PipeSignalIgnored();
};

// Whether the last failed write failed because its reader was gone.
bool ReaderWentAway();

// While it lives, an interruption waits: files are put in place, or put
// back, whole. It takes effect once this is gone.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;
  ~InterruptionsHeld();
};

}  // namespace kelvane
