#include "compare/cli/FileNames.h"

#include <string>
#include <string_view>
#include <system_error>

#include "compare/cli/Utf8.h"
#include "compare/read/InputFile.h"

namespace kelvane {

namespace fs = std::filesystem;

std::string ShownName(const fs::path& path) {
#ifdef _WIN32
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  const std::wstring& name = path.native();
  return Utf16ToUtf8(std::u16string_view(
      reinterpret_cast<const char16_t*>(name.data()), name.size()));
#else
  return NameToUtf8(path.string());
#endif
}

std::string NameBytes(const fs::path& path) {
#ifdef _WIN32
  return ShownName(path);
#else
  return path.native();
#endif
}

namespace {
// A stream by the name the system gives its descriptor, so that it compares
// with any other name of the same file.
fs::path Reached(const fs::path& path) {
  if (const std::optional<int> stream = StandardStreamOf(path)) {
#ifdef _WIN32
    return "CON";
#else
    return "/dev/fd/" + std::to_string(*stream);
#endif
  }
  try {
    return FollowLinks(path);
  } catch (const fs::filesystem_error&) {
    return path;
  }
}
}  // namespace

bool IsSameFile(const fs::path& a, const fs::path& b) {
  const fs::path first = Reached(a), second = Reached(b);
  // By identity: the library's own test refuses pipes and devices.
  const std::optional<FileIdentity> one = IdentityOf(first);
  const std::optional<FileIdentity> other = IdentityOf(second);
  if (one && other) return *one == *other;
  std::error_code error;
  return fs::weakly_canonical(fs::absolute(first, error), error) ==
         fs::weakly_canonical(fs::absolute(second, error), error);
}

std::optional<int> StandardStreamOf(const fs::path& path) {
  const auto& name = path.native();
#ifdef _WIN32
  if (name == L"-") return 1;
  return std::nullopt;
#else
  if (name == "-" || name == "/dev/stdout") return 1;
  if (name == "/dev/stderr") return 2;
  for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
    if (name.compare(0, folder.size(), folder) != 0) continue;
    const std::string number = name.substr(folder.size());
    if (number.empty() || number.size() > 9 ||
        number.find_first_not_of("0123456789") != std::string::npos)
      return std::nullopt;
    return std::stoi(number);
  }
  return std::nullopt;
#endif
}

fs::path FollowLinks(const fs::path& target) {
  fs::path path = target;
  for (int hops = 0; hops < 40; ++hops) {
    if (!fs::is_symlink(path)) return path;
    const fs::path to = fs::read_symlink(path);
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  throw fs::filesystem_error(
      "too many links", target,
      std::make_error_code(std::errc::too_many_symbolic_link_levels));
}

}  // namespace kelvane
