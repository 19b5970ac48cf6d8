#include "compare/cli/FileNames.h"

#include "compare/cli/Utf8.h"

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

bool IsSameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error))
    return fs::equivalent(a, b, error);
  const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
  const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
  return first == second;
}

}  // namespace kelvane
