// Reading the files that the command line leads to, as a hostile world has
// them: a name may be a FIFO, a device or a folder, and a file may be of any
// size. Only regular files are read, in pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace kelvane {

// Which file a name leads to, whatever the name: device and inode, or the
// volume and file index on Windows.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t file = 0;
  bool operator==(const FileIdentity& other) const {
    return device == other.device && file == other.file;
  }
};

struct FileIdentityHash {
  std::size_t operator()(const FileIdentity& identity) const {
    return std::hash<std::uint64_t>()(identity.file * 31 + identity.device);
  }
};

// The identity of what the name leads to, links followed; none when there is
// nothing there or it cannot be asked.
std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path);

// "FILE: why": a name that cannot be read, or is not a file to read.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a name may lead to: a report is a regular file; a list may also come
// through a pipe or a FIFO ("@-", @<(find ...)), read as it comes.
enum class Readable { Files, FilesAndPipes };

class InputFile {
 public:
  // Opens a regular file for reading without waiting on anyone: a FIFO, a
  // device or a folder is refused at once (with FilesAndPipes, a pipe or a
  // FIFO is opened and waited on, as a shell would). "-" is the standard
  // input, with FilesAndPipes. Throws InputError, naming the file as
  // `shown`.
  InputFile(const std::filesystem::path& path, const std::string& shown,
            Readable readable = Readable::Files);
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  const FileIdentity& Identity() const { return identity_; }
  // Up to `most` bytes into `into`; 0 at the end. Throws InputError.
  std::size_t Read(char* into, std::size_t most);

 private:
  std::string shown_;
  FileIdentity identity_;
#ifdef _WIN32
  void* handle_;
#else
  int descriptor_;
#endif
};

}  // namespace kelvane
