#include "compare/read/InputFile.h"

#include "compare/cli/SystemReason.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace kelvane {

#ifdef _WIN32

namespace {

FileIdentity IdentityOfHandle(HANDLE handle, bool& known) {
  BY_HANDLE_FILE_INFORMATION information{};
  known = GetFileInformationByHandle(handle, &information) != 0;
  return {information.dwVolumeSerialNumber,
          std::uint64_t{information.nFileIndexHigh} << 32 |
              information.nFileIndexLow};
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
  // No access asked: a folder's identity, and any file's, while others
  // hold it open.
  const HANDLE handle = CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  bool known = false;
  const FileIdentity identity = IdentityOfHandle(handle, known);
  CloseHandle(handle);
  if (!known) return std::nullopt;
  return identity;
}

InputFile::InputFile(const std::filesystem::path& path,
                     const std::string& shown, Readable readable)
    : shown_(shown), handle_(INVALID_HANDLE_VALUE) {
  const bool pipes = readable == Readable::FilesAndPipes;
  if (pipes && path.native() == L"-") {
    if (!DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_INPUT_HANDLE),
                         GetCurrentProcess(), &handle_, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
      throw InputError(shown + ": cannot be read: " + LastSystemReason());
  } else {
    handle_ =
        CreateFileW(path.c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  }
  if (handle_ == INVALID_HANDLE_VALUE) {
    // A folder is not opened this way: say so rather than "access denied".
    const std::string reason = LastSystemReason();
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
      throw InputError(shown + ": is a folder, not a file");
    throw InputError(shown + ": cannot be read: " + reason);
  }
  const DWORD type = GetFileType(handle_);
  if (type != FILE_TYPE_DISK && !(pipes && type == FILE_TYPE_PIPE)) {
    CloseHandle(handle_);
    throw InputError(shown + (type == FILE_TYPE_PIPE
                                  ? ": is a pipe, not a file"
                                  : ": is a device, not a file"));
  }
  bool known = false;
  identity_ = IdentityOfHandle(handle_, known);
}

InputFile::~InputFile() { CloseHandle(handle_); }

std::size_t InputFile::Read(char* into, std::size_t most) {
  DWORD read = 0;
  const DWORD asked = static_cast<DWORD>(most < (1u << 30) ? most : 1u << 30);
  if (!ReadFile(handle_, into, asked, &read, nullptr))
    throw InputError(shown_ + ": cannot be read: " + LastSystemReason());
  return read;
}

#else

namespace {

FileIdentity IdentityOfStat(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev),
          static_cast<std::uint64_t>(status.st_ino)};
}

const char* WhatIsNotAFile(mode_t mode) {
  if (S_ISDIR(mode)) return ": is a folder, not a file";
  if (S_ISFIFO(mode)) return ": is a FIFO, not a file";
  if (S_ISSOCK(mode)) return ": is a socket, not a file";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return ": is a device, not a file";
  return ": is not a regular file";
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::filesystem::path& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return IdentityOfStat(status);
}

InputFile::InputFile(const std::filesystem::path& path,
                     const std::string& shown, Readable readable)
    : shown_(shown) {
  const bool pipes = readable == Readable::FilesAndPipes;
  const char* name =
      pipes && path.native() == "-" ? "/dev/stdin" : path.c_str();
  // Non-blocking: opening a FIFO for reading would wait for a writer.
  descriptor_ = open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor_ < 0)
    throw InputError(shown + ": cannot be read: " + LastSystemReason());
  struct stat status {};
  bool known = fstat(descriptor_, &status) == 0;
  if (known && pipes && S_ISFIFO(status.st_mode)) {
    // Waits for its writer, then reads what comes as it comes.
    close(descriptor_);
    descriptor_ = open(name, O_RDONLY | O_CLOEXEC);
    if (descriptor_ < 0)
      throw InputError(shown + ": cannot be read: " + LastSystemReason());
    known = fstat(descriptor_, &status) == 0;
  }
  if (!known ||
      !(S_ISREG(status.st_mode) || (pipes && S_ISFIFO(status.st_mode)))) {
    const std::string what = known ? WhatIsNotAFile(status.st_mode)
                                   : ": cannot be read: " + LastSystemReason();
    close(descriptor_);
    throw InputError(shown + what);
  }
  // O_NONBLOCK stays: it changes nothing for a regular file.
  identity_ = IdentityOfStat(status);
}

InputFile::~InputFile() { close(descriptor_); }

std::size_t InputFile::Read(char* into, std::size_t most) {
  for (;;) {
    const ssize_t got = read(descriptor_, into, most);
    if (got >= 0) return static_cast<std::size_t>(got);
    if (errno != EINTR)
      throw InputError(shown_ + ": cannot be read: " + LastSystemReason());
  }
}

#endif

}  // namespace kelvane
