#include "compare/cli/Utf8.h"

#include <cstdint>

namespace kelvane {
namespace {

// Windows-1252's 0x80-0x9F; its five unassigned bytes map to the C1
// controls of the same number, as the WHATWG encoding standard has it.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

Utf8Character DecodeUtf8At(std::string_view text, std::size_t at) {
  const auto byte = static_cast<unsigned char>(text[at]);
  const Utf8Character single{byte, 1, byte < 0x80};
  std::size_t length = 0;
  std::uint32_t code = 0, least = 0;
  if ((byte & 0xE0) == 0xC0) {
    length = 2, code = byte & 0x1F, least = 0x80;
  } else if ((byte & 0xF0) == 0xE0) {
    length = 3, code = byte & 0x0F, least = 0x800;
  } else if ((byte & 0xF8) == 0xF0) {
    length = 4, code = byte & 0x07, least = 0x10000;
  } else {
    return single;
  }
  if (text.size() - at < length) return {byte, 1, false};
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return {byte, 1, false};
    code = code << 6 | (next & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
    return {byte, 1, false};
  return {code, length, true};
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const Utf8Character character = DecodeUtf8At(text, i);
    if (!character.valid) return false;
    i += character.length;
  }
  return true;
}

std::string NameToUtf8(std::string_view name) {
  if (IsValidUtf8(name)) return std::string(name);
  std::string out;
  for (std::size_t i = 0; i < name.size();) {
    const Utf8Character character = DecodeUtf8At(name, i);
    if (character.valid)
      out.append(name.substr(i, character.length));
    else
      AppendUtf8(out, 0xFFFD);
    i += character.length;
  }
  return out;
}

std::string ToUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80]
                                                : std::uint32_t{byte});
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::uint32_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
        text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (text[++i] - 0xDC00));
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendUtf8(out, 0xFFFD);  // a lone surrogate
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

}  // namespace kelvane
