#include "compare/OutputFile.h"

#include <fstream>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kelvane {
namespace {

// Replaces the target in one step, as rename does on POSIX systems.
bool Replace(const std::filesystem::path& from,
             const std::filesystem::path& to) {
#ifdef _WIN32
  return MoveFileExW(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  std::error_code error;
  std::filesystem::rename(from, to, error);
  return !error;
#endif
}

}  // namespace

PendingFile::PendingFile(std::filesystem::path target, const std::string& bytes)
    : target_(std::move(target)) {
  temporary_ = target_;
  temporary_ += ".kelvane-tmp";
  std::ofstream file(temporary_, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::error_code ignored;
    std::filesystem::remove(temporary_, ignored);
    temporary_.clear();
    throw OutputError(target_.string() + ": cannot be written");
  }
}

PendingFile::PendingFile(PendingFile&& other) noexcept
    : target_(std::move(other.target_)),
      temporary_(std::move(other.temporary_)) {
  other.temporary_.clear();
}

PendingFile::~PendingFile() {
  if (temporary_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
}

void PendingFile::Commit() {
  if (!Replace(temporary_, target_))
    throw OutputError(target_.string() + ": cannot be replaced");
  temporary_.clear();
}

}  // namespace kelvane
