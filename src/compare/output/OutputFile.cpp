#include "compare/output/OutputFile.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <utility>

#include "compare/cli/FileNames.h"
#include "compare/cli/Interrupts.h"
#include "compare/cli/SystemReason.h"
#include "compare/output/SystemFile.h"
#include "compare/output/TerminalText.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#endif

namespace kelvane {
namespace {

namespace fs = std::filesystem;

// Flushed in pieces of this size, so a large output never sits whole in
// memory.
constexpr std::size_t kFlushSize = 1 << 16;

std::string Named(const fs::path& path) { return ShownText(ShownName(path)); }

unsigned long ProcessNumber() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
}

// A short name beside `place` that no one else uses: this process's number
// and a count. Short, so that any name the file system takes for the
// target leaves room for it. Whoever creates it tells whether it was free.
fs::path NameBeside(const fs::path& place) {
  static std::atomic<unsigned> count{0};
  fs::path name = place.parent_path();
  name /= ".kc" + std::to_string(ProcessNumber()) + "-" +
          std::to_string(count++) + ".tmp";
  return name;
}

fs::path PlaceOf(const fs::path& target) {
  try {
    return FollowLinks(target);
  } catch (const fs::filesystem_error& error) {
    throw OutputError(Named(target) +
                      ": cannot be written: " + error.code().message());
  }
}

bool RenameOver(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

bool LinkFile(const fs::path& existing, const fs::path& link) {
#ifdef _WIN32
  return CreateHardLinkW(link.c_str(), existing.c_str(), nullptr) != 0;
#else
  return ::link(existing.c_str(), link.c_str()) == 0;
#endif
}

bool NameTaken() {
#ifdef _WIN32
  return GetLastError() == ERROR_FILE_EXISTS ||
         GetLastError() == ERROR_ALREADY_EXISTS;
#else
  return errno == EEXIST;
#endif
}

void RemoveQuietly(const fs::path& path) {
  std::error_code ignored;
  fs::remove(path, ignored);
}

// A new file of its own name beside `place`, its name in `created`.
SystemFile CreateBeside(const fs::path& place, const fs::path& target,
                        fs::path& created) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path name = NameBeside(place);
#ifdef _WIN32
    // Others may delete it: an interruption removes it while it is open.
    SystemFile file(CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE,
                                nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
#else
    SystemFile file(
        open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
#endif
    if (file.IsOpen()) {
      created = std::move(name);
      return file;
    }
    if (!NameTaken()) break;
  }
  throw OutputError(Named(target) +
                    ": cannot be written: " + LastSystemReason());
}

// A copy of what the target held, to put back should a later output fail.
struct Backup {
  fs::path place;
  fs::path saved;  // empty: there was no target
};

Backup SaveTarget(const fs::path& place, const fs::path& target) {
  std::error_code error;
  if (!fs::exists(place, error)) return {place, {}};
  // A second name for the same file costs nothing, and a link is never
  // made over a file that exists; a copy where links are not to be had.
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path saved = NameBeside(place);
    if (LinkFile(place, saved)) return {place, saved};
    if (!NameTaken()) break;
  }
  fs::path saved;
  CreateBeside(place, target, saved).Close();
  if (!fs::copy_file(place, saved, fs::copy_options::overwrite_existing,
                     error)) {
    RemoveQuietly(saved);
    throw OutputError(Named(target) +
                      ": cannot be replaced safely: " + error.message());
  }
  return {place, saved};
}

// Puts back the first `count` targets, last replaced first.
void Restore(const std::vector<Backup>& backups, std::size_t count) {
  while (count-- > 0) {
    const Backup& backup = backups[count];
    if (backup.saved.empty())
      RemoveQuietly(backup.place);
    else
      RenameOver(backup.saved, backup.place);
  }
}

}  // namespace

struct PendingFile::State {
  fs::path place;  // what is replaced: the target, links followed
  SystemFile file;
  bool direct = false;   // a FIFO or a device, written as it goes
  bool unnamed = false;  // named only when it is put in place
  fs::path temporary;    // its name beside the place, once it has one
  std::optional<RemovedOnInterrupt> removed;
  std::string buffer;

  ~State() {
    file.Close();
    if (!temporary.empty()) RemoveQuietly(temporary);
  }

  void SetTemporary(fs::path name) {
    temporary = std::move(name);
    removed.emplace(temporary);
  }
};

namespace {

#ifdef _WIN32
// A device (NUL, CON) or a pipe is written to directly; for a disk file, or
// none, the answer is no.
bool OpenDirect(PendingFile::State& state, const fs::path& target) {
  if (StandardStreamOf(target)) {
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_OUTPUT_HANDLE),
                         GetCurrentProcess(), &copy, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
      throw OutputError(Named(target) +
                        ": cannot be written: " + LastSystemReason());
    state.file = SystemFile(copy);
    return true;
  }
  const DWORD attributes = GetFileAttributesW(state.place.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY))
    throw OutputError(Named(target) + ": is a directory");
  SystemFile file(CreateFileW(state.place.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen() || GetFileType(file.Get()) == FILE_TYPE_DISK) return false;
  state.file = std::move(file);
  return true;
}

void CreateTemporary(PendingFile::State& state, const fs::path& target) {
  fs::path name;
  state.file = CreateBeside(state.place, target, name);
  state.SetTemporary(std::move(name));
}
#else
// What a replaced file keeps: its owner and group where this run may give
// them, and its permissions but for set-user-ID and set-group-ID, as editors
// keep them.
struct Keep {
  mode_t mode = 0;
  uid_t owner = 0;
  gid_t group = 0;
  bool any = false;
};

bool OpenDirect(PendingFile::State& state, const fs::path& target, Keep& keep) {
  // The run's own stream, whatever it is, as a shell redirection would:
  // never a name to replace.
  if (const std::optional<int> stream = StandardStreamOf(target)) {
    state.file = SystemFile(fcntl(*stream, F_DUPFD_CLOEXEC, 3));
    if (!state.file.IsOpen())
      throw OutputError(Named(target) +
                        ": cannot be written: " + LastSystemReason());
    return true;
  }
  struct stat status {};
  if (stat(state.place.c_str(), &status) != 0) return false;
  if (S_ISDIR(status.st_mode))
    throw OutputError(Named(target) + ": is a directory");
  if (S_ISREG(status.st_mode)) {
    keep = {static_cast<mode_t>(status.st_mode & 01777), status.st_uid,
            status.st_gid, true};
    return false;
  }
  if (!S_ISFIFO(status.st_mode) && !S_ISCHR(status.st_mode))
    throw OutputError(Named(target) +
                      ": is neither a file, a FIFO nor a character device");
  // As a shell redirection opens it: a FIFO waits for its reader.
  state.file = SystemFile(open(state.place.c_str(), O_WRONLY | O_CLOEXEC));
  if (!state.file.IsOpen())
    throw OutputError(Named(target) +
                      ": cannot be written: " + LastSystemReason());
  return true;
}

void CreateTemporary(PendingFile::State& state, const fs::path& target,
                     const Keep& keep) {
  const fs::path folder =
      state.place.has_parent_path() ? state.place.parent_path() : ".";
  // Unnamed until it is put in place, so a killed run leaves nothing; it is
  // named through /proc, which a chroot or a small container may lack.
  if (access("/proc/self/fd", X_OK) == 0)
    state.file = SystemFile(
        open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  else
    errno = EOPNOTSUPP;
  if (state.file.IsOpen()) {
    state.unnamed = true;
  } else if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) {
    // A file system, or a kernel, without unnamed files.
    fs::path name;
    state.file = CreateBeside(state.place, target, name);
    state.SetTemporary(std::move(name));
  } else {
    throw OutputError(Named(target) +
                      ": cannot be written: " + LastSystemReason());
  }
  if (!keep.any) return;
  // The owner first: a change of owner clears the mode's special bits.
  if (geteuid() == 0)
    (void)fchown(state.file.Get(), keep.owner, keep.group);
  else if (keep.group != getegid())
    (void)fchown(state.file.Get(), static_cast<uid_t>(-1), keep.group);
  fchmod(state.file.Get(), keep.mode);
}

// Gives an unnamed file its name beside its place.
void NameUnnamed(PendingFile::State& state, const fs::path& target) {
  const std::string self = "/proc/self/fd/" + std::to_string(state.file.Get());
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path name = NameBeside(state.place);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(),
               AT_SYMLINK_FOLLOW) == 0) {
      state.SetTemporary(std::move(name));
      state.unnamed = false;
      state.file.Close();
      return;
    }
    if (errno != EEXIST) break;
  }
  throw OutputError(Named(target) +
                    ": cannot be written: " + LastSystemReason());
}
#endif

}  // namespace

PendingFile::PendingFile(fs::path target)
    : target_(std::move(target)), state_(std::make_unique<State>()) {
  state_->place = PlaceOf(target_);
#ifdef _WIN32
  state_->direct = OpenDirect(*state_, target_);
  if (!state_->direct) {
    replaces_ = IdentityOf(state_->place);
    CreateTemporary(*state_, target_);
  }
#else
  Keep keep;
  state_->direct = OpenDirect(*state_, target_, keep);
  if (!state_->direct) {
    replaces_ = IdentityOf(state_->place);
    CreateTemporary(*state_, target_, keep);
  }
#endif
}

PendingFile::PendingFile(PendingFile&& other) noexcept = default;

bool PendingFile::IsStandardOutput() const {
  return StandardStreamOf(target_) == 1;
}
PendingFile::~PendingFile() = default;

void PendingFile::Write(std::string_view bytes) {
  state_->buffer.append(bytes);
  if (state_->buffer.size() < kFlushSize) return;
  if (!state_->file.WriteAll(state_->buffer))
    throw OutputError(Named(target_) +
                      ": cannot be written: " + LastSystemReason());
  state_->buffer.clear();
}

void PendingFile::Finish() {
  State& state = *state_;
  bool done = state.file.WriteAll(state.buffer);
  state.buffer.clear();
  if (done && !state.direct) done = state.file.Flush();
  // An unnamed file stays open: it is named through its descriptor.
  if (done && !state.unnamed) done = state.file.Close();
  if (!done)
    throw OutputError(Named(target_) +
                      ": cannot be written: " + LastSystemReason());
}

void CommitAll(std::vector<PendingFile>& files) {
  const InterruptionsHeld held;
  // A commit that fails leaves no temporary file behind either.
  struct Discard {
    std::vector<PendingFile>& files;
    bool done = false;
    ~Discard() {
      if (done) return;
      for (PendingFile& file : files) {
        if (!file.state_->temporary.empty())
          RemoveQuietly(file.state_->temporary);
        file.state_->temporary.clear();
      }
    }
  } discard{files};
  std::vector<PendingFile::State*> replaced;
  for (PendingFile& file : files) {
    if (file.state_->direct) continue;
    std::error_code error;
    if (fs::is_directory(file.state_->place, error))
      throw OutputError(Named(file.target_) + ": is a directory");
#ifndef _WIN32
    if (file.state_->unnamed) NameUnnamed(*file.state_, file.target_);
#endif
    replaced.push_back(file.state_.get());
  }
  // The last rename needs no way back: nothing after it can fail.
  std::vector<Backup> backups;
  struct Cleanup {
    std::vector<Backup>& backups;
    ~Cleanup() {
      for (const Backup& backup : backups)
        if (!backup.saved.empty()) RemoveQuietly(backup.saved);
    }
  } cleanup{backups};
  std::vector<const fs::path*> targets;
  for (PendingFile& file : files)
    if (!file.state_->direct) targets.push_back(&file.target_);
  for (std::size_t i = 0; i + 1 < replaced.size(); ++i)
    backups.push_back(SaveTarget(replaced[i]->place, *targets[i]));

  for (std::size_t i = 0; i < replaced.size(); ++i) {
    if (!RenameOver(replaced[i]->temporary, replaced[i]->place)) {
      const std::string reason = LastSystemReason();
      Restore(backups, i);
      throw OutputError(Named(*targets[i]) + ": cannot be replaced: " + reason);
    }
    replaced[i]->temporary.clear();
  }
  discard.done = true;
}

}  // namespace kelvane
