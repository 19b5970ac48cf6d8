#include "report/TextFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

std::string FormCrLfText(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 8 + 2);
  for (const char byte : text) {
    if (byte == '\n') bytes += '\r';
    bytes += byte;
  }
  return bytes;
}

namespace {

#ifdef _WIN32

// Windows 95, 98 and ME: the high bit of GetVersion.
bool IsWindows9x() { return (GetVersion() & 0x80000000u) != 0; }

HANDLE OpenForAppending(const char* name) {
  // Others may read, write or delete the file while it is open here, and
  // every write lands at the end, wherever the end is by then.
  if (!IsWindows9x())
    return CreateFileA(name, FILE_APPEND_DATA,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  // 9x knows neither append access nor shared deletion: write at the end
  // as it stands when the file is opened.
  const HANDLE file =
      CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE &&
      SetFilePointer(file, 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
      GetLastError() != NO_ERROR) {
    CloseHandle(file);
    return INVALID_HANDLE_VALUE;
  }
  return file;
}

HANDLE OpenEmptied(const char* name) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE |
                      (IsWindows9x() ? 0 : FILE_SHARE_DELETE);
  return CreateFileA(name, GENERIC_WRITE, share, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteBytes(const char* name, FileOpening opening,
                const std::string& bytes) {
  const HANDLE file = opening == FileOpening::Append ? OpenForAppending(name)
                                                     : OpenEmptied(name);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool whole = true;
  std::size_t done = 0;
  while (whole && done < bytes.size()) {
    DWORD written = 0;
    whole = WriteFile(file, bytes.data() + done,
                      static_cast<DWORD>(bytes.size() - done), &written,
                      nullptr) != 0 &&
            written > 0;
    done += written;
  }
  return CloseHandle(file) != 0 && whole;
}

#else

bool WriteBytes(const char* name, FileOpening opening,
                const std::string& bytes) {
  const int flags = O_WRONLY | O_CREAT | O_CLOEXEC |
                    (opening == FileOpening::Append ? O_APPEND : O_TRUNC);
  const int file = open(name, flags, 0666);
  if (file < 0) return false;
  bool whole = true;
  std::size_t done = 0;
  while (whole && done < bytes.size()) {
    const ssize_t written =
        write(file, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) continue;
    whole = written > 0;
    if (whole) done += static_cast<std::size_t>(written);
  }
  return close(file) == 0 && whole;
}

#endif

}  // namespace

bool WriteTextFile(const char* name, FileOpening opening,
                   const std::string& text) {
  return WriteBytes(name, opening, FormCrLfText(text));
}

bool RemoveFile(const char* name) {
#ifdef _WIN32
  return DeleteFileA(name) != 0;
#else
  return unlink(name) == 0;
#endif
}
