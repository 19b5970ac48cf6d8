#include "compare/output/TerminalText.h"

#include <cstdint>
#include <cstdio>

#include "compare/cli/Utf8.h"

namespace kelvane {
namespace {

// The character at `at`, decoded strictly: a byte that begins no whole
// sequence is one character of its own, always escaped, so a lead byte can
// never hide an ESC behind it.
struct Character {
  std::uint32_t code;
  bool valid;
};

Character CodeAt(std::string_view text, std::size_t at, std::size_t& length) {
  const Utf8Character character = DecodeUtf8At(text, at);
  length = character.length;
  return {character.code, character.valid};
}

// What moves the cursor or turns the line, and what prints like something
// else or like nothing: no-break spaces, the soft hyphen, zero-width and
// joining characters, the line and paragraph separators, every bidi control
// and the tag characters.
bool IsControl(Character character) {
  const std::uint32_t code = character.code;
  return !character.valid || code < 0x20 || (code >= 0x7F && code <= 0x9F) ||
         code == 0xA0 || code == 0xAD || code == 0x061C || code == 0x2007 ||
         (code >= 0x200B && code <= 0x200F) ||
         (code >= 0x2028 && code <= 0x202F) ||
         (code >= 0x2060 && code <= 0x2069) || code == 0xFEFF ||
         (code >= 0xE0000 && code <= 0xE007F);
}

bool NeedsEscape(Character character) {
  return IsControl(character) ||
         (character.valid && (character.code == '\\' || character.code == '"'));
}

std::string Escape(Character character) {
  const std::uint32_t code = character.code;
  char escaped[16];
  if (!character.valid) {
    std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
    return escaped;
  }
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
  if (code < 0x80)
    std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
  else
    std::snprintf(escaped, sizeof escaped,
                  code > 0xFFFF ? "\\U%08x" : "\\u%04x", code);
  return escaped;
}

}  // namespace

std::string EscapeControls(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    std::size_t length = 1;
    const Character character = CodeAt(text, at, length);
    if (NeedsEscape(character))
      shown += Escape(character);
    else
      shown.append(text.substr(at, length));
    at += length;
  }
  return shown;
}

std::string ControlEscapeAt(std::string_view text, std::size_t at,
                            std::size_t& length) {
  const Character character = CodeAt(text, at, length);
  return IsControl(character) ? Escape(character) : std::string();
}

std::string ShownText(std::string_view text) {
  // A blank at either end, or the text output's column separator inside,
  // would make two texts print alike: the quotes show where it ends.
  bool plain = text.empty() || (text.front() != '"' && text.front() != ' ' &&
                                text.back() != ' ' &&
                                text.find(" | ") == std::string_view::npos);
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
