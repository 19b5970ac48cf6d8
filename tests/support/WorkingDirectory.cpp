#include "support/WorkingDirectory.h"

#include <cctype>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

void InTempDirectory::SetUp() {
  std::string name =
      testing::UnitTest::GetInstance()->current_test_info()->name();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  std::random_device random;
  previous_ = fs::current_path();
  directory_ = fs::temp_directory_path() / ("kelvane-" + name.substr(0, 40) +
                                            "-" + std::to_string(random()));
  fs::create_directories(directory_);
  fs::current_path(directory_);
}

void InTempDirectory::TearDown() {
  fs::current_path(previous_);
  std::error_code ignored;
  fs::remove_all(directory_, ignored);
}

std::vector<std::string> ReadReportLines() {
  const std::string bytes = ReadFileBytes("DeviceCaps.html");
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "the report's last line has no CR LF: "
                    << bytes.substr(start);
      lines.push_back(bytes.substr(start));
      break;
    }
    const std::string line = bytes.substr(start, end - start);
    if (line.find('\n') != std::string::npos)
      ADD_FAILURE() << "a line feed without CR in: " << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

#ifdef _WIN32

namespace {
HANDLE g_heldOpen = INVALID_HANDLE_VALUE;
}

// Held open without FILE_SHARE_DELETE, the file cannot be deleted.
bool RefuseRemoval(const std::string& name) {
  g_heldOpen = CreateFileA(name.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  return g_heldOpen != INVALID_HANDLE_VALUE;
}

void AllowRemoval(const std::string&) {
  if (g_heldOpen != INVALID_HANDLE_VALUE) CloseHandle(g_heldOpen);
  g_heldOpen = INVALID_HANDLE_VALUE;
}

#else

namespace {
bool SetImmutable(const std::string& name, bool immutable) {
  const int file = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return false;
  int flags = 0;
  bool done = ioctl(file, FS_IOC_GETFLAGS, &flags) == 0;
  if (done) {
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = ioctl(file, FS_IOC_SETFLAGS, &flags) == 0;
  }
  close(file);
  return done;
}
}  // namespace

// Root removes files from any directory; only an immutable file stops it.
bool RefuseRemoval(const std::string& name) { return SetImmutable(name, true); }

void AllowRemoval(const std::string& name) { SetImmutable(name, false); }

#endif
