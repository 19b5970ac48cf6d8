#include "compare/cli/WindowsConsole.h"

#ifdef _WIN32
#include <windows.h>

#include "compare/output/SystemFile.h"
#include "report/TextFile.h"

namespace kelvane {
namespace {

// Where the text can be cut without splitting a UTF-8 sequence.
std::size_t WholeSequences(const std::string& text) {
  std::size_t end = text.size();
  std::size_t back = 0;
  while (back < 4 && back < end &&
         (static_cast<unsigned char>(text[end - 1 - back]) & 0xC0) == 0x80)
    ++back;
  if (back < end) {
    const auto lead = static_cast<unsigned char>(text[end - 1 - back]);
    const std::size_t length = lead >= 0xF0   ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 1;
    if (length > back + 1) end -= back + 1;
  }
  return end;
}

}  // namespace

ConsoleBuffer::ConsoleBuffer(unsigned long standardHandle)
    : handle_(GetStdHandle(standardHandle)) {
  DWORD mode = 0;
  console_ = GetConsoleMode(handle_, &mode) != 0;
}

ConsoleBuffer::~ConsoleBuffer() { Flush(); }

ConsoleBuffer::int_type ConsoleBuffer::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return 0;
  pending_ += traits_type::to_char_type(c);
  if (pending_.size() >= 4096 && !Flush()) return traits_type::eof();
  return c;
}

int ConsoleBuffer::sync() { return Flush() ? 0 : -1; }

bool ConsoleBuffer::Flush() {
  if (pending_.empty()) return true;
  if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return false;
  const std::size_t whole = WholeSequences(pending_);
  std::string text = pending_.substr(0, whole);
  pending_.erase(0, whole);
  if (console_) {
    std::wstring wide;
    const int length = MultiByteToWideChar(
        CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    wide.resize(static_cast<std::size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                        wide.data(), length);
    std::size_t at = 0;
    while (at < wide.size()) {
      DWORD written = 0;
      if (!WriteConsoleW(handle_, wide.data() + at,
                         static_cast<DWORD>(wide.size() - at), &written,
                         nullptr) ||
          written == 0)
        return false;
      at += written;
    }
    return true;
  }
  // Redirected: UTF-8, with the line ends of Windows text.
  return WriteAll(handle_, FormCrLfText(text));
}

}  // namespace kelvane
#endif
