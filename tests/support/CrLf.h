// What a text looks like on disk, every line feed stored as CR LF, and
// back.
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

// Every CR LF back to a line feed; a CR on its own stays.
inline std::string LfOnly(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (!(bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n'))
      text += bytes[i];
  return text;
}
