// A sign of life on a terminal: how many reports were found, then read, of
// how many, refreshed a few times a second and erased before the result.
// Nothing at all where stderr is a file or a pipe.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace kelvane {

// Whether stderr is a terminal (a console on Windows).
bool StandardErrorIsTerminal();

class ProgressLine {
 public:
  // `terminal` null: shows nothing.
  explicit ProgressLine(std::ostream* terminal) : terminal_(terminal) {}
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;
  ~ProgressLine() { Erase(); }

  void Found(std::size_t reports);
  void Read(std::size_t read, std::size_t of);
  void Erase();

 private:
  void Show(std::string text);

  std::ostream* terminal_;
  std::chrono::steady_clock::time_point next_{};
  std::size_t shown_ = 0;  // the width of the line on the terminal
};

}  // namespace kelvane
