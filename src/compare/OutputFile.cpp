#include "compare/OutputFile.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>

#include "compare/FileNames.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace kelvane {
namespace {

namespace fs = std::filesystem;

// Flushed in pieces of this size, so a large output never sits whole in
// memory.
constexpr std::size_t kFlushSize = 1 << 16;

#ifdef _WIN32
using Handle = HANDLE;
Handle NoFile() { return INVALID_HANDLE_VALUE; }

std::string LastReason() {
  const DWORD code = GetLastError();
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason =
      length ? std::string(text, length) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == '.'))
    reason.pop_back();
  return reason;
}

Handle CreateExclusive(const fs::path& path, bool& exists) {
  const Handle handle = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  exists = handle == INVALID_HANDLE_VALUE &&
           (GetLastError() == ERROR_FILE_EXISTS ||
            GetLastError() == ERROR_ALREADY_EXISTS);
  return handle;
}

bool WriteAll(Handle handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
    if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) ||
        written == 0)
      return false;
    bytes.remove_prefix(written);
  }
  return true;
}

bool CloseFile(Handle handle) { return CloseHandle(handle) != 0; }

bool ReplaceFile(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool LinkFile(const fs::path& existing, const fs::path& link) {
  return CreateHardLinkW(link.c_str(), existing.c_str(), nullptr) != 0;
}

unsigned long ProcessNumber() { return GetCurrentProcessId(); }
#else
using Handle = int;
Handle NoFile() { return -1; }

std::string LastReason() { return std::strerror(errno); }

Handle CreateExclusive(const fs::path& path, bool& exists) {
  const int descriptor =
      open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  exists = descriptor < 0 && errno == EEXIST;
  return descriptor;
}

bool WriteAll(Handle descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool CloseFile(Handle descriptor) { return close(descriptor) == 0; }

bool ReplaceFile(const fs::path& from, const fs::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool LinkFile(const fs::path& existing, const fs::path& link) {
  return ::link(existing.c_str(), link.c_str()) == 0;
}

unsigned long ProcessNumber() { return static_cast<unsigned long>(getpid()); }
#endif

// A name beside the target that no one else uses: this process's number, a
// count and the time. Whoever creates it tells whether it was free.
fs::path NameBeside(const fs::path& target, const char* purpose) {
  static std::atomic<unsigned> count{0};
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  fs::path name = target.parent_path();
  name /= target.filename();
  name += "." + std::to_string(ProcessNumber()) + "-" +
          std::to_string(count++) + "-" +
          std::to_string(now.count() % 1000000) + "." + purpose;
  return name;
}

Handle CreateBeside(const fs::path& target, const char* purpose,
                    fs::path& created) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path name = NameBeside(target, purpose);
    bool exists = false;
    const Handle handle = CreateExclusive(name, exists);
    if (handle != NoFile()) {
      created = std::move(name);
      return handle;
    }
    if (!exists) break;
  }
  throw OutputError(ShownName(target) + ": cannot be written: " + LastReason());
}

void RemoveQuietly(const fs::path& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

// A copy of what the target held, to put back should a later output fail.
struct Backup {
  fs::path target;
  fs::path saved;  // empty: there was no target
};

Backup SaveTarget(const fs::path& target) {
  std::error_code error;
  if (!fs::exists(target, error)) return {target, {}};
  // A second name for the same file costs nothing, and a link is never
  // made over a file that exists; a copy where links are not to be had.
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path saved = NameBeside(target, "kelvane-old");
    if (LinkFile(target, saved)) return {target, saved};
    if (!fs::exists(saved, error)) break;
  }
  fs::path saved;
  CloseFile(CreateBeside(target, "kelvane-old", saved));
  if (!fs::copy_file(target, saved, fs::copy_options::overwrite_existing,
                     error)) {
    RemoveQuietly(saved);
    throw OutputError(ShownName(target) +
                      ": cannot be replaced safely: " + error.message());
  }
  return {target, saved};
}

// Puts back the first `count` targets, last replaced first.
void Restore(const std::vector<Backup>& backups, std::size_t count) {
  while (count-- > 0) {
    const Backup& backup = backups[count];
    if (backup.saved.empty())
      RemoveQuietly(backup.target);
    else
      ReplaceFile(backup.saved, backup.target);
  }
}

}  // namespace

PendingFile::PendingFile(fs::path target) : target_(std::move(target)) {
  std::error_code error;
  if (fs::is_directory(target_, error))
    throw OutputError(ShownName(target_) + ": is a directory");
  Handle handle = CreateBeside(target_, "kelvane-new", temporary_);
#ifdef _WIN32
  handle_ = handle;
#else
  descriptor_ = handle;
#endif
}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)),
      buffer_(std::move(other.buffer_)) {
#ifdef _WIN32
  handle_ = other.handle_;
  other.handle_ = INVALID_HANDLE_VALUE;
#else
  descriptor_ = other.descriptor_;
  other.descriptor_ = -1;
#endif
  other.temporary_.clear();
}

PendingFile::~PendingFile() {
  Close();
  if (!temporary_.empty()) RemoveQuietly(temporary_);
}

void PendingFile::Close() noexcept {
#ifdef _WIN32
  if (handle_ != INVALID_HANDLE_VALUE) CloseFile(handle_);
  handle_ = INVALID_HANDLE_VALUE;
#else
  if (descriptor_ >= 0) CloseFile(descriptor_);
  descriptor_ = -1;
#endif
}

void PendingFile::Write(std::string_view bytes) {
  buffer_.append(bytes);
  if (buffer_.size() < kFlushSize) return;
#ifdef _WIN32
  const bool written = WriteAll(handle_, buffer_);
#else
  const bool written = WriteAll(descriptor_, buffer_);
#endif
  if (!written)
    throw OutputError(ShownName(target_) +
                      ": cannot be written: " + LastReason());
  buffer_.clear();
}

void PendingFile::Finish() {
#ifdef _WIN32
  Handle& handle = handle_;
#else
  Handle& handle = descriptor_;
#endif
  const bool written = WriteAll(handle, buffer_);
  buffer_.clear();
  const bool closed = CloseFile(handle);
  handle = NoFile();
  if (!written || !closed)
    throw OutputError(ShownName(target_) +
                      ": cannot be written: " + LastReason());
}

void CommitAll(std::vector<PendingFile>& files) {
  std::error_code error;
  for (const PendingFile& file : files)
    if (fs::is_directory(file.target_, error))
      throw OutputError(ShownName(file.target_) + ": is a directory");
  // The last rename needs no way back: nothing after it can fail.
  std::vector<Backup> backups;
  struct Cleanup {
    std::vector<Backup>& backups;
    ~Cleanup() {
      for (const Backup& backup : backups)
        if (!backup.saved.empty()) RemoveQuietly(backup.saved);
    }
  } cleanup{backups};
  for (std::size_t i = 0; i + 1 < files.size(); ++i)
    backups.push_back(SaveTarget(files[i].target_));

  for (std::size_t i = 0; i < files.size(); ++i) {
    if (!ReplaceFile(files[i].temporary_, files[i].target_)) {
      const std::string reason = LastReason();
      Restore(backups, i);
      throw OutputError(ShownName(files[i].target_) +
                        ": cannot be replaced: " + reason);
    }
    files[i].temporary_.clear();
  }
}

}  // namespace kelvane
