// What the loader asks of Linux, through its i386 system calls alone: the
// loader runs where no C library may (QEMU's Pentium model), so it has none.
#pragma once

using Size = decltype(sizeof 0);

namespace os {

constexpr int kReadOnly = 0, kWriteOnly = 1, kReadWrite = 2;
constexpr int kCreate = 0100, kExclusive = 0200, kTruncate = 01000,
              kAppend = 02000;

int Open(const char* path, int flags);
long Read(int file, void* buffer, Size size);
long Write(int file, const void* buffer, Size size);
long Seek(int file, long offset, int whence);
int Close(int file);
int Unlink(const char* path);
[[noreturn]] void Exit(int code);
// Read, write and execute, at ADDRESS when it is not null.
void* Map(void* address, Size size);
// %fs selects BASE, as a Windows thread's does its own block.
bool SetFsBase(void* base);

// A whole file, or null.
char* ReadWholeFile(const char* path, Size* size);
// Memory from a region that is never given back: the runs are short.
void* Allocate(Size size);

void Say(const char* text);  // to stderr
[[noreturn]] void Stop(const char* text, const char* detail = "");

Size TextLength(const char* text);
bool SameText(const char* a, const char* b);
bool SameTextIgnoringCase(const char* a, const char* b);

}  // namespace os

extern "C" {
void* memcpy(void* to, const void* from, Size size);
void* memmove(void* to, const void* from, Size size);
void* memset(void* to, int byte, Size size);
int memcmp(const void* a, const void* b, Size size);
}
