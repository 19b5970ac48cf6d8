// Driver texts are bytes in the reporting machine's ANSI code page; file
// names are the bytes of the local file system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kelvane {

// The character at `at`: a whole, well-formed UTF-8 sequence (no overlong
// form, no surrogate, nothing past U+10FFFF), or else the one byte there,
// not valid, with the next byte left to be read on its own.
struct Utf8Character {
  std::uint32_t code;  // the byte itself where not valid
  std::size_t length;
  bool valid;
};
Utf8Character DecodeUtf8At(std::string_view text, std::size_t at);

bool IsValidUtf8(std::string_view text);

// Valid UTF-8 as it is; anything else read as Windows-1252.
std::string ToUtf8(std::string_view text);

// A file name, whose bytes are no code page's: valid UTF-8 as it is, and
// U+FFFD for every byte that begins no UTF-8 sequence.
std::string NameToUtf8(std::string_view name);

// UTF-16 as Windows names files: U+FFFD for a lone surrogate.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace kelvane
