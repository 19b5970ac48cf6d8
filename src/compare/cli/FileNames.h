// File names as the outputs and messages show them, and as paths compare.
#pragma once

#include <filesystem>
#include <string>

namespace kelvane {

// The name as UTF-8: off Windows its bytes, U+FFFD where they are not
// UTF-8; on Windows its UTF-16, U+FFFD for a lone surrogate.
std::string ShownName(const std::filesystem::path& path);

// Whether two names lead to the same file, whether it exists or not.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace kelvane
