// An output file appears only whole: its bytes go to a temporary file beside
// it, which replaces it only once every output is ready.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace kelvane {

class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class PendingFile {
 public:
  // Writes the temporary file; throws OutputError when it cannot.
  PendingFile(std::filesystem::path target, const std::string& bytes);
  PendingFile(PendingFile&& other) noexcept;
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;
  PendingFile& operator=(PendingFile&&) = delete;
  // A file never committed leaves nothing behind.
  ~PendingFile();

  // Puts the file in place; throws OutputError when it cannot.
  void Commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
};

}  // namespace kelvane
