// An output file appears whole or not at all: its bytes go to a temporary
// file of its own beside it (on Linux one without a name, so that even a
// killed run leaves nothing), and every output replaces its target only
// once all of them are ready. A link is written through, and a FIFO or a
// character device (/dev/null) is written to directly, as is the run's own
// standard output or error by any of its names ("-", /dev/stdout,
// /dev/fd/N), as a shell redirection would.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "compare/read/InputFile.h"

namespace kelvane {

class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class PendingFile {
 public:
  // Creates the temporary file, exclusively, or opens the FIFO or device;
  // throws OutputError, with the system's reason, when it cannot.
  explicit PendingFile(std::filesystem::path target);
  PendingFile(PendingFile&& other) noexcept;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  PendingFile& operator=(PendingFile&&) = delete;
  // A file never committed leaves nothing behind.
  ~PendingFile();

  void Write(std::string_view bytes);
  // Writes what is left and flushes it to the disk.
  void Finish();

  const std::filesystem::path& Target() const { return target_; }
  // The file that the target is now, links followed, if there is one.
  const std::optional<FileIdentity>& Replaces() const { return replaces_; }
  // Whether it goes to the run's own standard output.
  bool IsStandardOutput() const;

  // Its open file and names, kept out of this header.
  struct State;

 private:
  friend void CommitAll(std::vector<PendingFile>& files);
  std::filesystem::path target_;
  std::optional<FileIdentity> replaces_;
  std::unique_ptr<State> state_;
};

// Puts every finished file in place, or none: every target is checked
// before the first is replaced, and what was replaced is restored when a
// later one fails. An interruption waits until it is done. Throws
// OutputError.
void CommitAll(std::vector<PendingFile>& files);

}  // namespace kelvane
