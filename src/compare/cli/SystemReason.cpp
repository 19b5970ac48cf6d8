#include "compare/cli/SystemReason.h"

#ifdef _WIN32
#include <windows.h>

#include "compare/cli/Utf8.h"
#else
#include <cerrno>
#include <cstring>
#endif

namespace kelvane {

std::string LastSystemReason() {
#ifdef _WIN32
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
          FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  std::string reason =
      length ? Utf16ToUtf8(std::u16string_view(
                   reinterpret_cast<const char16_t*>(text), length))
             : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == '.' || reason.back() == ' '))
    reason.pop_back();
  return reason;
#else
  return std::strerror(errno);
#endif
}

}  // namespace kelvane
