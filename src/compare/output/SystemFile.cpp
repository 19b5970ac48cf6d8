#include "compare/output/SystemFile.h"

#include <algorithm>

#ifndef _WIN32
#include <unistd.h>

#include <cerrno>
#endif

namespace kelvane {

bool WriteAll(NativeFile file, std::string_view bytes) {
  while (!bytes.empty()) {
#ifdef _WIN32
    DWORD written = 0;
    const auto chunk =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) ||
        written == 0)
      return false;
#else
    const ssize_t written = write(file, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
#endif
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool SystemFile::Flush() {
#ifdef _WIN32
  return FlushFileBuffers(native_) != 0;
#else
  return fsync(native_) == 0;
#endif
}

bool SystemFile::Close() {
  if (!IsOpen()) return true;
#ifdef _WIN32
  const bool closed = CloseHandle(native_) != 0;
#else
  const bool closed = close(native_) == 0;
#endif
  native_ = kNoFile;
  return closed;
}

}  // namespace kelvane
