// The C++ runtime pieces kelvane.exe uses, where it links no C++ runtime
// library: Debian builds libstdc++ and libgcc_eh for the Pentium Pro, and the
// x86 program runs on a Pentium. The program throws nothing (it is compiled
// without exceptions), so every failure here ends the run as an uncaught
// exception would.
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

// Every std::string member, compiled here for the program's processor rather
// than taken from the library.
template class std::basic_string<char>;

namespace {
[[noreturn]] void Stop(const char* what) {
  std::fputs(what, stderr);
  std::fputs("\n", stderr);
  std::abort();
}
}  // namespace

void* operator new(std::size_t size) {
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  Stop("kelvane: out of memory");
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

namespace std {
void __throw_logic_error(const char* what) { Stop(what); }
void __throw_length_error(const char* what) { Stop(what); }
void __throw_out_of_range_fmt(const char* format, ...) { Stop(format); }
}  // namespace std
