// What a text looks like on disk: every line feed stored as CR LF.
#pragma once

#include <string>

inline std::string CrLf(const std::string& text) {
  std::string bytes;
  for (const char c : text) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  return bytes;
}
