// Driver texts are bytes in the reporting machine's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace kelvane {

bool IsValidUtf8(std::string_view text);

// Valid UTF-8 as it is; anything else read as Windows-1252.
std::string ToUtf8(std::string_view text);

}  // namespace kelvane
