// One open file of the system's, a handle or a descriptor, and the one
// loop that writes all of a text to such a file.
#pragma once

#include <string_view>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kelvane {

#ifdef _WIN32
using NativeFile = HANDLE;
inline const NativeFile kNoFile = INVALID_HANDLE_VALUE;
#else
using NativeFile = int;
inline constexpr NativeFile kNoFile = -1;
#endif

// Writes every byte, however few the system takes at once; false when it
// takes none.
bool WriteAll(NativeFile file, std::string_view bytes);

// Closed when it goes.
class SystemFile {
 public:
  SystemFile() = default;
  explicit SystemFile(NativeFile native) : native_(native) {}
  SystemFile(SystemFile&& other) noexcept
      : native_(std::exchange(other.native_, kNoFile)) {}
  SystemFile& operator=(SystemFile&& other) noexcept {
    if (this != &other) {
      Close();
      native_ = std::exchange(other.native_, kNoFile);
    }
    return *this;
  }
  SystemFile(const SystemFile&) = delete;
  SystemFile& operator=(const SystemFile&) = delete;
  ~SystemFile() { Close(); }

  bool IsOpen() const { return native_ != kNoFile; }
  NativeFile Get() const { return native_; }
  bool WriteAll(std::string_view bytes) {
    return kelvane::WriteAll(native_, bytes);
  }
  // To the disk, before the file is put in place.
  bool Flush();
  bool Close();

 private:
  NativeFile native_ = kNoFile;
};

}  // namespace kelvane
