// File names as the outputs and messages show them, and as paths compare.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kelvane {

// The name as UTF-8: off Windows its bytes, U+FFFD where they are not
// UTF-8; on Windows its UTF-16, U+FFFD for a lone surrogate.
std::string ShownName(const std::filesystem::path& path);

// The name's own bytes off Windows; on Windows its UTF-16 as UTF-8.
std::string NameBytes(const std::filesystem::path& path);

// Whether two names lead to the same file, whether it exists or not: links
// are followed as a write follows them, a dangling one to where it points,
// and a standard stream's name to what the stream is.
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The descriptor that an output name means, as a shell redirection would
// take it: "-" and /dev/stdout 1, /dev/stderr 2, /dev/fd/N and
// /proc/self/fd/N N (on Windows, "-" the standard output alone).
std::optional<int> StandardStreamOf(const std::filesystem::path& path);

// The file a write to the name reaches: every link followed, a dangling one
// to the name it points at. Throws std::filesystem::filesystem_error.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

}  // namespace kelvane
