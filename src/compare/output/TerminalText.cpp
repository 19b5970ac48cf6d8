#include "compare/output/TerminalText.h"

#include <cstdint>
#include <cstdio>

namespace kelvane {
namespace {

// The code point of the UTF-8 sequence at `at`, and its length; a byte that
// begins none stands for itself (the texts here are valid UTF-8).
std::uint32_t CodeAt(std::string_view text, std::size_t at,
                     std::size_t& length) {
  const auto byte = static_cast<unsigned char>(text[at]);
  length = byte < 0xC0 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
  if (length > text.size() - at) length = 1;
  if (length == 1) return byte;
  std::uint32_t code = byte & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k)
    code = code << 6 | (static_cast<unsigned char>(text[at + k]) & 0x3F);
  return code;
}

bool IsControl(std::uint32_t code) {
  return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x200E ||
         code == 0x200F || (code >= 0x202A && code <= 0x202E) ||
         (code >= 0x2066 && code <= 0x2069);
}

bool NeedsEscape(std::uint32_t code) {
  return IsControl(code) || code == '\\' || code == '"';
}

std::string Escape(std::uint32_t code) {
  switch (code) {
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    case '\\':
      return "\\\\";
    case '"':
      return "\\\"";
  }
  char escaped[12];
  if (code < 0x80)
    std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
  else
    std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
  return escaped;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 1;
    const std::uint32_t code = CodeAt(text, at, length);
    if (NeedsEscape(code))
      shown += Escape(code);
    else
      shown.append(text.substr(at, length));
    at += length;
  }
  return shown;
}

std::string ControlEscapeAt(std::string_view text, std::size_t at,
                            std::size_t& length) {
  const std::uint32_t code = CodeAt(text, at, length);
  return IsControl(code) ? Escape(code) : std::string();
}

std::string ShownText(std::string_view text) {
  bool plain = text.empty() || text.front() != '"';
  for (std::size_t at = 0; plain && at < text.size();) {
    std::size_t length = 1;
    plain = !IsControl(CodeAt(text, at, length));
    at += length;
  }
  if (plain) return std::string(text);
  return "\"" + EscapeControls(text) + "\"";
}

std::string_view CutUtf8(std::string_view text, std::size_t most) {
  if (text.size() <= most) return text;
  std::size_t end = most;
  // Back to the first byte of the character that the cut falls in.
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
    --end;
  return text.substr(0, end);
}

}  // namespace kelvane
