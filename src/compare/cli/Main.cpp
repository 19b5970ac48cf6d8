#include <iostream>
#include <string>
#include <vector>

#include "compare/cli/CompareRun.h"
#include "compare/cli/Interrupts.h"
#include "compare/cli/Progress.h"

#ifdef _WIN32
#include <windows.h>

#include <ostream>

#include "compare/cli/Utf8.h"
#include "compare/cli/WindowsConsole.h"

// Wide arguments: every name Windows allows, not only the ANSI code page's.
int wmain(int argc, wchar_t** argv) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  std::vector<kelvane::Argument> arguments;
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    arguments.push_back({kelvane::Utf16ToUtf8(std::u16string_view(
                             reinterpret_cast<const char16_t*>(argument.data()),
                             argument.size())),
                         argument});
  }
  kelvane::RemoveFilesOnInterrupt();
  kelvane::ConsoleBuffer outBuffer(STD_OUTPUT_HANDLE),
      errBuffer(STD_ERROR_HANDLE);
  std::ostream out(&outBuffer), err(&errBuffer);
  const int status = kelvane::RunCompare(arguments, out, err,
                                         kelvane::StandardErrorIsTerminal());
  err.flush();
  return status;
}
#else
#include <fcntl.h>

#include <cerrno>

int main(int argc, char** argv) {
  // A closed standard stream would be taken by the first file opened, and
  // the text or a message would land inside an output: as coreutils do,
  // each is opened on /dev/null first.
  for (int stream = 0; stream <= 2; ++stream)
    if (fcntl(stream, F_GETFD) == -1 && errno == EBADF &&
        open("/dev/null", stream == 0 ? O_RDONLY : O_WRONLY) != stream)
      return 2;
  kelvane::RemoveFilesOnInterrupt();
  return kelvane::RunCompare(
      kelvane::ArgumentsOf(std::vector<std::string>(argv + 1, argv + argc)),
      std::cout, std::cerr, kelvane::StandardErrorIsTerminal());
}
#endif
