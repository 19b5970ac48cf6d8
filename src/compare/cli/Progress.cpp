#include "compare/cli/Progress.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace kelvane {
namespace {

// A few times a second: often enough to be alive, rarely enough to cost
// nothing.
constexpr std::chrono::milliseconds kInterval(250);

// Columns of the terminal on stderr, 0 where unknown.
std::size_t TerminalWidth() {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info))
    return 0;
  return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0) return 0;
  return size.ws_col;
#endif
}

}  // namespace

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

void ProgressLine::Found(std::size_t reports) {
  Show("found " + std::to_string(reports) + " reports");
}

void ProgressLine::Read(std::size_t read, std::size_t of) {
  Show("read " + std::to_string(read) + " of " + std::to_string(of) +
       " reports");
}

void ProgressLine::Show(std::string text) {
  if (terminal_ == nullptr) return;
  const auto now = std::chrono::steady_clock::now();
  if (now < next_) return;
  next_ = now + kInterval;
  // A line that wrapped could not be erased by a carriage return.
  const std::size_t width = TerminalWidth();
  if (width > 1 && text.size() >= width) text.resize(width - 1);
  // Over what was there, blanks over the rest of a longer line.
  std::string line = "\r" + text;
  if (text.size() < shown_) line += std::string(shown_ - text.size(), ' ');
  *terminal_ << line << std::flush;
  shown_ = text.size();
}

void ProgressLine::Erase() {
  if (terminal_ == nullptr || shown_ == 0) return;
  *terminal_ << "\r" << std::string(shown_, ' ') << "\r" << std::flush;
  shown_ = 0;
}

}  // namespace kelvane
