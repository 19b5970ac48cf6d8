#include "Linux.h"

namespace os {
namespace {

// i386 system call numbers.
constexpr long kExitGroup = 252, kReadCall = 3, kWriteCall = 4, kOpenCall = 5,
               kCloseCall = 6, kUnlinkCall = 10, kSeekCall = 19, kOldMmap = 90,
               kSetThreadArea = 243;

long Call(long number, long a = 0, long b = 0, long c = 0) {
  long result;
  asm volatile("int $0x80"
               : "=a"(result)
               : "a"(number), "b"(a), "c"(b), "d"(c)
               : "memory");
  return result;
}

char* g_heap = nullptr;
Size g_heapLeft = 0;

}  // namespace

int Open(const char* path, int flags) {
  return static_cast<int>(
      Call(kOpenCall, reinterpret_cast<long>(path), flags, 0644));
}

long Read(int file, void* buffer, Size size) {
  return Call(kReadCall, file, reinterpret_cast<long>(buffer),
              static_cast<long>(size));
}

long Write(int file, const void* buffer, Size size) {
  return Call(kWriteCall, file, reinterpret_cast<long>(buffer),
              static_cast<long>(size));
}

long Seek(int file, long offset, int whence) {
  return Call(kSeekCall, file, offset, whence);
}

int Close(int file) { return static_cast<int>(Call(kCloseCall, file)); }

int Unlink(const char* path) {
  return static_cast<int>(Call(kUnlinkCall, reinterpret_cast<long>(path)));
}

void Exit(int code) {
  for (;;) Call(kExitGroup, code);
}

void* Map(void* address, Size size) {
  constexpr long kRwx = 7, kPrivate = 0x02, kFixed = 0x10, kAnonymous = 0x20;
  const long arguments[6] = {reinterpret_cast<long>(address),
                             static_cast<long>(size),
                             kRwx,
                             kPrivate | kAnonymous | (address ? kFixed : 0),
                             -1,
                             0};
  const long result = Call(kOldMmap, reinterpret_cast<long>(arguments));
  // -4095..-1 are errors.
  return result < 0 && result > -4096 ? nullptr
                                      : reinterpret_cast<void*>(result);
}

bool SetFsBase(void* base) {
  struct {
    unsigned entry, base, limit, flags;
  } descriptor = {~0u, reinterpret_cast<unsigned>(base), 0xFFFFF,
                  // 32-bit data segment, limit in pages, usable
                  1u | 1u << 4 | 1u << 6};
  if (Call(kSetThreadArea, reinterpret_cast<long>(&descriptor)) != 0)
    return false;
  const unsigned short selector =
      static_cast<unsigned short>(descriptor.entry * 8 + 3);
  asm volatile("movw %0, %%fs" : : "r"(selector));
  return true;
}

char* ReadWholeFile(const char* path, Size* size) {
  const int file = Open(path, kReadOnly);
  if (file < 0) return nullptr;
  const long length = Seek(file, 0, 2);
  if (length <= 0 || Seek(file, 0, 0) != 0) return nullptr;
  char* bytes = static_cast<char*>(Allocate(static_cast<Size>(length)));
  long done = 0;
  while (done < length) {
    const long got = Read(file, bytes + done, static_cast<Size>(length - done));
    if (got <= 0) return nullptr;
    done += got;
  }
  Close(file);
  *size = static_cast<Size>(length);
  return bytes;
}

void* Allocate(Size size) {
  size = (size + 15) & ~Size{15};
  if (size > g_heapLeft) {
    const Size region = size > (16u << 20) ? size : (16u << 20);
    g_heap = static_cast<char*>(Map(nullptr, region));
    if (g_heap == nullptr) Stop("out of memory");
    g_heapLeft = region;
  }
  void* memory = g_heap;
  g_heap += size;
  g_heapLeft -= size;
  return memory;
}

void Say(const char* text) { Write(2, text, TextLength(text)); }

void Stop(const char* text, const char* detail) {
  Say("pe-loader: ");
  Say(text);
  Say(detail);
  Say("\n");
  Exit(70);
}

Size TextLength(const char* text) {
  Size length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

bool SameText(const char* a, const char* b) {
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

bool SameTextIgnoringCase(const char* a, const char* b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  while (*a != '\0' && lower(*a) == lower(*b)) ++a, ++b;
  return lower(*a) == lower(*b);
}

}  // namespace os

// What the compiler may call for copies and zeroing, and what kelvane.exe
// imports from msvcrt.dll under the same names.
extern "C" {
void* memcpy(void* to, const void* from, Size size) {
  auto* t = static_cast<unsigned char*>(to);
  const auto* f = static_cast<const unsigned char*>(from);
  while (size-- > 0) *t++ = *f++;
  return to;
}

void* memmove(void* to, const void* from, Size size) {
  auto* t = static_cast<unsigned char*>(to);
  const auto* f = static_cast<const unsigned char*>(from);
  if (t < f) return memcpy(to, from, size);
  while (size-- > 0) t[size] = f[size];
  return to;
}

void* memset(void* to, int byte, Size size) {
  auto* t = static_cast<unsigned char*>(to);
  while (size-- > 0) *t++ = static_cast<unsigned char>(byte);
  return to;
}

int memcmp(const void* a, const void* b, Size size) {
  const auto* x = static_cast<const unsigned char*>(a);
  const auto* y = static_cast<const unsigned char*>(b);
  for (; size > 0; --size, ++x, ++y)
    if (*x != *y) return *x < *y ? -1 : 1;
  return 0;
}
}
