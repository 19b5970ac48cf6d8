#include "compare/cli/Progress.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace kelvane {
namespace {

// A few times a second: often enough to be alive, rarely enough to cost
// nothing.
constexpr std::chrono::milliseconds kInterval(250);

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

void ProgressLine::Show(const std::string& text) {
  if (terminal_ == nullptr) return;
  const auto now = std::chrono::steady_clock::now();
  if (now < next_) return;
  next_ = now + kInterval;
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
