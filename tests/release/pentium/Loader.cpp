// pe-loader [--windows 95|nt] [--fail WHERE] PROGRAM: runs a 32-bit Windows
// console program's own machine code on Linux with no Windows and no C
// library, as Windows's loader would start it (the image at its base, its
// imports bound, TLS callbacks, then the entry point), so that QEMU's Pentium
// model (qemu-i386 -cpu pentium) runs every instruction of it. Its imports
// are bound to StandIns.cpp; it exits with the program's exit code.
// WHERE: none | no-d3d8 | create | identifier | caps | write (StandIns.h).
#include "Linux.h"
#include "StandIns.h"

namespace {

using u8 = unsigned char;
using u16 = unsigned short;
using u32 = unsigned int;

u16 Read16(const u8* at) { return static_cast<u16>(at[0] | at[1] << 8); }
u32 Read32(const u8* at) {
  return at[0] | at[1] << 8 | at[2] << 16 | static_cast<u32>(at[3]) << 24;
}

struct Image {
  u8* base;
  u32 entry;
  u32 importRva;
  u32 tlsRva;
};

// The file's sections where its headers place them, at its own base.
Image MapImage(const u8* file, Size fileSize) {
  if (fileSize < 0x40 || Read16(file) != 0x5A4D) os::Stop("not an MZ file");
  const u8* pe = file + Read32(file + 0x3C);
  if (Read32(pe) != 0x4550 || Read16(pe + 4) != 0x14C)
    os::Stop("not a PE image for x86");
  const u16 sections = Read16(pe + 6);
  const u8* optional = pe + 24;
  if (Read16(optional) != 0x10B) os::Stop("not a 32-bit PE image");
  const u32 base = Read32(optional + 28);
  const u32 imageSize = Read32(optional + 56);
  const u32 headersSize = Read32(optional + 60);
  Image image{};
  image.base =
      static_cast<u8*>(os::Map(reinterpret_cast<void*>(base), imageSize));
  if (image.base != reinterpret_cast<u8*>(base))
    os::Stop("the image cannot be placed at its base");
  memcpy(image.base, file, headersSize);
  const u8* section = optional + Read16(pe + 20);
  for (u16 i = 0; i < sections; ++i, section += 40) {
    const u32 virtualAddress = Read32(section + 12);
    const u32 rawSize = Read32(section + 16);
    const u32 rawOffset = Read32(section + 20);
    if (rawSize != 0)
      memcpy(image.base + virtualAddress, file + rawOffset, rawSize);
  }
  image.entry = Read32(optional + 16);
  image.importRva = Read32(optional + 96 + 1 * 8);
  image.tlsRva = Read32(optional + 96 + 9 * 8);
  return image;
}

// An import with no stand-in is bound to a thunk of its own that loads its
// number and jumps here, so a call of it stops the run naming it.
const char* g_unbound[64];
u32 g_unboundCount = 0;

extern "C" [[noreturn]] __attribute__((used)) void CalledWithoutStandIn(
    u32 number) {
  os::Stop("the program called an import with no stand-in: ",
           g_unbound[number]);
}
asm(".globl UnboundImport\n"
    "UnboundImport:\n"
    "  andl $-16, %esp\n"
    "  subl $12, %esp\n"
    "  pushl %eax\n"
    "  call CalledWithoutStandIn\n");
extern "C" void UnboundImport();

void* MakeUnboundThunk(const char* name) {
  if (g_unboundCount == 64) os::Stop("too many imports with no stand-in");
  static u8* thunks = nullptr;
  if (thunks == nullptr) thunks = static_cast<u8*>(os::Map(nullptr, 64 * 10));
  u8* thunk = thunks + g_unboundCount * 10;
  g_unbound[g_unboundCount] = name;
  thunk[0] = 0xB8;  // movl $number, %eax
  memcpy(thunk + 1, &g_unboundCount, 4);
  thunk[5] = 0xE9;  // jmp UnboundImport
  const u32 distance =
      reinterpret_cast<u32>(&UnboundImport) - reinterpret_cast<u32>(thunk + 10);
  memcpy(thunk + 6, &distance, 4);
  ++g_unboundCount;
  return thunk;
}

void BindImports(const Image& image) {
  for (const u8* descriptor = image.base + image.importRva;
       Read32(descriptor + 12) != 0; descriptor += 20) {
    const char* dll =
        reinterpret_cast<const char*>(image.base + Read32(descriptor + 12));
    const u32 names =
        Read32(descriptor) != 0 ? Read32(descriptor) : Read32(descriptor + 16);
    u32* slot = reinterpret_cast<u32*>(image.base + Read32(descriptor + 16));
    for (const u8* name = image.base + names; Read32(name) != 0;
         name += 4, ++slot) {
      if ((Read32(name) & 0x80000000u) != 0)
        os::Stop("an import by ordinal from ", dll);
      const char* function =
          reinterpret_cast<const char*>(image.base + Read32(name) + 2);
      void* address = FindStandIn(dll, function);
      if (address == nullptr) {
        // Imported is not called: only a call of it stops the run.
        address = MakeUnboundThunk(function);
      }
      *slot = reinterpret_cast<u32>(address);
    }
  }
}

// A thread's block as the program reads it through %fs: itself at 0x18, its
// stack's top at 0x04, its TLS blocks at 0x2C.
void MakeThreadBlock(const Image& image) {
  u32* block = static_cast<u32*>(os::Allocate(0x1000));
  block[0x18 / 4] = reinterpret_cast<u32>(block);
  block[0x04 / 4] = reinterpret_cast<u32>(block) + 0x1000;
  if (image.tlsRva != 0) {
    const u8* tls = image.base + image.tlsRva;
    const u32 start = Read32(tls), end = Read32(tls + 4);
    const u32 size = end - start + Read32(tls + 16);
    u8* data = static_cast<u8*>(os::Allocate(size));
    memset(data, 0, size);
    memcpy(data, reinterpret_cast<const void*>(start), end - start);
    u32* slots = static_cast<u32*>(os::Allocate(64 * 4));
    memset(slots, 0, 64 * 4);
    slots[0] = reinterpret_cast<u32>(data);
    block[0x2C / 4] = reinterpret_cast<u32>(slots);
    *reinterpret_cast<u32*>(Read32(tls + 8)) = 0;  // the program's TLS index
  }
  if (!os::SetFsBase(block)) os::Stop("%fs cannot be set");
}

using TlsCallback = void(__attribute__((stdcall)) *)(void*, u32, void*);

void RunTlsCallbacks(const Image& image) {
  if (image.tlsRva == 0) return;
  constexpr u32 kProcessAttach = 1;
  for (const u32* callback =
           reinterpret_cast<const u32*>(Read32(image.base + image.tlsRva + 12));
       callback != nullptr && *callback != 0; ++callback)
    reinterpret_cast<TlsCallback> (*callback)(image.base, kProcessAttach,
                                              nullptr);
}

[[noreturn]] void Usage() {
  os::Stop(
      "usage: pe-loader [--windows 95|nt] [--fail none|no-d3d8|"
      "create|identifier|caps|write] PROGRAM");
}

}  // namespace

extern "C" [[noreturn]] void LoaderMain(int argc, char** argv) {
  const char* program = nullptr;
  for (int i = 1; i < argc; ++i) {
    const char* option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : "";
    if (os::SameText(option, "--windows")) {
      if (os::SameText(value, "95"))
        g_run.windows = Windows::k95;
      else if (os::SameText(value, "nt"))
        g_run.windows = Windows::kNt;
      else
        Usage();
      ++i;
    } else if (os::SameText(option, "--fail")) {
      const struct {
        const char* name;
        Failure failure;
      } places[] = {
          {"none", Failure::kNone},     {"no-d3d8", Failure::kNoD3d8},
          {"create", Failure::kCreate}, {"identifier", Failure::kIdentifier},
          {"caps", Failure::kCaps},     {"write", Failure::kWrite}};
      bool known = false;
      for (const auto& place : places)
        if (os::SameText(value, place.name)) {
          g_run.failure = place.failure;
          known = true;
        }
      if (!known) Usage();
      ++i;
    } else if (program == nullptr && option[0] != '-') {
      program = option;
    } else {
      Usage();
    }
  }
  if (program == nullptr) Usage();

  Size size = 0;
  const u8* file =
      reinterpret_cast<const u8*>(os::ReadWholeFile(program, &size));
  if (file == nullptr) os::Stop("cannot read ", program);
  const Image image = MapImage(file, size);
  g_run.image = image.base;
  BindImports(image);
  MakeThreadBlock(image);
  RunTlsCallbacks(image);
  const auto entry = reinterpret_cast<int (*)()>(image.base + image.entry);
  os::Exit(entry());
}

// The process's first instruction: argc and argv from the stack, as Linux
// leaves them, to LoaderMain.
asm(".globl _start\n"
    "_start:\n"
    "  xorl %ebp, %ebp\n"
    "  movl %esp, %eax\n"
    "  andl $-16, %esp\n"
    "  subl $8, %esp\n"
    "  leal 4(%eax), %edx\n"
    "  pushl %edx\n"
    "  pushl (%eax)\n"
    "  call LoaderMain\n"
    "  hlt\n");
