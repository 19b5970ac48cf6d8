// An output file appears whole or not at all: its bytes go to a temporary
// file of its own beside it, and every output replaces its target only once
// all of them are ready.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace kelvane {

class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class PendingFile {
 public:
  // Creates the temporary file, exclusively and under a name no one else
  // has; throws OutputError, with the system's reason, when it cannot.
  explicit PendingFile(std::filesystem::path target);
  PendingFile(PendingFile&& other) noexcept;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  PendingFile& operator=(PendingFile&&) = delete;
  // A file never committed leaves nothing behind.
  ~PendingFile();

  void Write(std::string_view bytes);
  // Writes what is left and closes the temporary file.
  void Finish();

  const std::filesystem::path& Target() const { return target_; }

 private:
  friend void CommitAll(std::vector<PendingFile>& files);
  void Close() noexcept;

  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::string buffer_;
#ifdef _WIN32
  void* handle_;
#else
  int descriptor_;
#endif
};

// Puts every finished file in place, or none: every target is checked
// before the first is replaced, and what was replaced is restored when a
// later one fails. Throws OutputError.
void CommitAll(std::vector<PendingFile>& files);

}  // namespace kelvane
