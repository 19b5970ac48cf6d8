#include "StandIns.h"

#include "Linux.h"
#include "support/SampleAdapter.h"

Run g_run;

namespace {

#define WINAPI __attribute__((stdcall))
using BOOL = int;
using DWORD_ = unsigned int;

// Files: a handle is its descriptor plus this, so none is null or -1.
constexpr unsigned kHandleBias = 0x100;
void* const kInvalidHandle = reinterpret_cast<void*>(-1);
constexpr char kReport[] = "DeviceCaps.html";
DWORD_ g_lastError = 0;
int g_reportFile = -1;
int g_reportWrites = 0;
// How many writes to the report succeed when the run is to fail writing:
// enough for the report to begin.
constexpr int kReportWritesBeforeFailure = 20;

int FileOf(void* handle) {
  return static_cast<int>(reinterpret_cast<unsigned>(handle) - kHandleBias);
}

const char* SystemDirectory() {
  return g_run.windows == Windows::k95 ? "C:\\WINDOWS\\SYSTEM"
                                       : "C:\\WINNT\\system32";
}

// msvcrt's FILE, of which the program reads nothing but passes &_iob[N].
struct File {
  char* next;
  int count;
  char* base;
  int flags;
  int descriptor;
  int pushedBack;
  int bufferSize;
  char* temporaryName;
};
File g_iob[3] = {{}, {}, {}};

// Console streams are in text mode, as msvcrt's are: LF becomes CR LF.
void WriteText(File* stream, const char* text, Size size) {
  const int descriptor = stream == &g_iob[2] ? 2 : 1;
  Size start = 0;
  for (Size i = 0; i < size; ++i)
    if (text[i] == '\n') {
      os::Write(descriptor, text + start, i - start);
      os::Write(descriptor, "\r\n", 2);
      start = i + 1;
    }
  os::Write(descriptor, text + start, size - start);
}

// ---- KERNEL32.dll

WINAPI void* CreateFileA(const char* name, DWORD_ access, DWORD_ share, void*,
                         DWORD_ disposition, DWORD_, void*) {
  constexpr DWORD_ kAppendData = 4, kShareDelete = 4,
                   kGenericWrite = 0x40000000;
  // Windows 95 knows neither append access nor shared deletion, and refuses
  // them: the program must take its 9x way there.
  if (g_run.windows == Windows::k95 &&
      ((share & kShareDelete) != 0 || (access & ~kGenericWrite) != 0)) {
    g_lastError = 87;
    return kInvalidHandle;
  }
  int flags = (access & (kGenericWrite | kAppendData)) != 0 ? os::kWriteOnly
                                                            : os::kReadOnly;
  if (access == kAppendData) flags |= os::kAppend;
  switch (disposition) {
    case 1:
      flags |= os::kCreate | os::kExclusive;
      break;
    case 2:
      flags |= os::kCreate | os::kTruncate;
      break;
    case 4:
      flags |= os::kCreate;
      break;
    case 5:
      flags |= os::kTruncate;
      break;
    default:
      break;
  }
  const int file = os::Open(name, flags);
  if (file < 0) {
    g_lastError = 5;
    return kInvalidHandle;
  }
  if (os::SameText(name, kReport)) g_reportFile = file;
  return reinterpret_cast<void*>(file + kHandleBias);
}

WINAPI BOOL WriteFile(void* handle, const void* bytes, DWORD_ size,
                      DWORD_* written, void*) {
  *written = 0;
  const int file = FileOf(handle);
  if (file == g_reportFile && g_run.failure == Failure::kWrite &&
      ++g_reportWrites > kReportWritesBeforeFailure) {
    g_lastError = 112;  // the disk is full
    return 0;
  }
  const long done = os::Write(file, bytes, size);
  if (done < 0) return 0;
  *written = static_cast<DWORD_>(done);
  return 1;
}

WINAPI DWORD_ SetFilePointer(void* handle, long distance, long* high,
                             DWORD_ method) {
  if (high != nullptr && *high != 0) return 0xFFFFFFFF;
  const long at = os::Seek(FileOf(handle), distance, static_cast<int>(method));
  return at < 0 ? 0xFFFFFFFF : static_cast<DWORD_>(at);
}

WINAPI BOOL CloseHandle(void* handle) {
  if (FileOf(handle) == g_reportFile) g_reportFile = -1;
  return os::Close(FileOf(handle)) == 0;
}

WINAPI BOOL DeleteFileA(const char* name) {
  if (os::Unlink(name) == 0) return 1;
  g_lastError = 2;
  return 0;
}

WINAPI DWORD_ GetVersion() {
  // Windows 95 (4.0, the high bit for 9x); Windows NT 4.0, build 1381.
  return g_run.windows == Windows::k95 ? 0xC0000004u : 0x05650004u;
}

WINAPI unsigned GetSystemDirectoryA(char* buffer, unsigned size) {
  const char* directory = SystemDirectory();
  const Size length = os::TextLength(directory);
  if (size <= length) return static_cast<unsigned>(length + 1);
  memcpy(buffer, directory, length + 1);
  return static_cast<unsigned>(length);
}

char g_d3d8Module;  // its address is d3d8.dll's handle

WINAPI void* LoadLibraryA(const char* path) {
  // Only the system directory's d3d8.dll exists here, by its full path.
  char expected[64];
  const Size length = os::TextLength(SystemDirectory());
  memcpy(expected, SystemDirectory(), length);
  memcpy(expected + length, "\\d3d8.dll", 10);
  if (g_run.failure != Failure::kNoD3d8 &&
      os::SameTextIgnoringCase(path, expected))
    return &g_d3d8Module;
  g_lastError = 126;
  return nullptr;
}

WINAPI BOOL FreeLibrary(void*) { return 1; }

WINAPI void* Direct3DCreate8(unsigned sdkVersion);

WINAPI void* GetProcAddress(void* module, const char* name) {
  if (module == &g_d3d8Module && reinterpret_cast<unsigned>(name) > 0xFFFF &&
      os::SameText(name, "Direct3DCreate8"))
    return reinterpret_cast<void*>(&Direct3DCreate8);
  g_lastError = 127;
  return nullptr;
}

WINAPI void* GetModuleHandle(const void* name) {
  if (name == nullptr) return g_run.image;
  g_lastError = 126;
  return nullptr;
}

WINAPI DWORD_ GetLastError() { return g_lastError; }
WINAPI void SetLastError(DWORD_ error) { g_lastError = error; }
WINAPI unsigned SetErrorMode(unsigned mode) {
  static unsigned previous = 0;
  const unsigned was = previous;
  previous = mode;
  return was;
}
WINAPI void CriticalSection(void*) {}
WINAPI BOOL IsDBCSLeadByteEx(unsigned, unsigned char) { return 0; }

// Code pages do not matter to the program's texts: bytes map to themselves.
WINAPI int MultiByteToWideChar(unsigned, DWORD_, const char* text, int size,
                               unsigned short* wide, int room) {
  if (size < 0) size = static_cast<int>(os::TextLength(text)) + 1;
  if (room == 0) return size;
  if (room < size) return 0;
  for (int i = 0; i < size; ++i) wide[i] = static_cast<unsigned char>(text[i]);
  return size;
}

WINAPI int WideCharToMultiByte(unsigned, DWORD_, const unsigned short* wide,
                               int size, char* text, int room, const char*,
                               BOOL* defaultUsed) {
  if (size < 0) {
    size = 1;
    while (wide[size - 1] != 0) ++size;
  }
  if (defaultUsed != nullptr) *defaultUsed = 0;
  if (room == 0) return size;
  if (room < size) return 0;
  for (int i = 0; i < size; ++i)
    text[i] = wide[i] < 256 ? static_cast<char>(wide[i]) : '?';
  return size;
}

WINAPI void GetStartupInfoA(DWORD_* info) {
  memset(info, 0, 68);
  info[0] = 68;
}
WINAPI void* SetUnhandledExceptionFilter(void*) { return nullptr; }
WINAPI void Sleep(DWORD_) {}
// One thread: a slot array, and synchronisation that never waits.
void* g_tlsSlots[64];
DWORD_ g_tlsSlotsUsed = 1;
WINAPI DWORD_ TlsAlloc() {
  return g_tlsSlotsUsed < 64 ? g_tlsSlotsUsed++ : ~0u;
}
WINAPI BOOL TlsFree(DWORD_) { return 1; }
WINAPI void* TlsGetValue(DWORD_ slot) {
  return slot < 64 ? g_tlsSlots[slot] : nullptr;
}
WINAPI BOOL TlsSetValue(DWORD_ slot, void* value) {
  if (slot >= 64) return 0;
  g_tlsSlots[slot] = value;
  return 1;
}
WINAPI DWORD_ GetCurrentThreadId() { return 1; }
WINAPI void* CreateSemaphore(void*, long, long, const void*) {
  return &g_tlsSlots;
}
WINAPI BOOL ReleaseSemaphore(void*, long, long* previous) {
  if (previous != nullptr) *previous = 0;
  return 1;
}
WINAPI DWORD_ WaitForSingleObject(void*, DWORD_) { return 0; }

// The image is mapped writable and executable whole.
WINAPI BOOL VirtualProtect(void*, Size, DWORD_, DWORD_* old) {
  *old = 0x40;
  return 1;
}

WINAPI Size VirtualQuery(const void* address, DWORD_* info, Size) {
  const DWORD_ page = reinterpret_cast<DWORD_>(address) & ~0xFFFu;
  const DWORD_ fields[7] = {page,     reinterpret_cast<DWORD_>(g_run.image),
                            0x40,     0x1000,
                            0x1000,   0x40,
                            0x1000000};
  memcpy(info, fields, sizeof fields);
  return sizeof fields;
}

// ---- d3d8.dll: one adapter, the sample's, and its failures on demand.

constexpr long kInvalidCall = static_cast<long>(0x8876086C);
bool g_created = false, g_released = false;

WINAPI long QueryInterface(void*, const void*, void** object) {
  *object = nullptr;
  return static_cast<long>(0x80004002);
}
WINAPI unsigned long AddRef(void*) { return 2; }
WINAPI unsigned long Release(void*) {
  g_released = true;
  return 0;
}
WINAPI unsigned GetAdapterCount(void*) { return 1; }
WINAPI long GetAdapterIdentifier(void*, unsigned adapter, DWORD_,
                                 D3DADAPTER_IDENTIFIER8* identifier) {
  if (adapter != 0 || g_run.failure == Failure::kIdentifier)
    return kInvalidCall;
  FillSampleIdentifier(adapter, *identifier);
  return 0;
}
WINAPI long GetDeviceCaps(void*, unsigned adapter, unsigned type,
                          D3DCAPS8* caps) {
  if (adapter != 0 || type != D3DDEVTYPE_HAL || g_run.failure == Failure::kCaps)
    return kInvalidCall;
  FillSampleCaps(adapter, *caps);
  return 0;
}
// Any other method: the program asks what the stand-in cannot answer.
WINAPI void Unexpected(void*) {
  os::Stop("kelvane.exe called an IDirect3D8 method with no stand-in");
}

void* const g_direct3dMethods[16] = {
    reinterpret_cast<void*>(&QueryInterface),
    reinterpret_cast<void*>(&AddRef),
    reinterpret_cast<void*>(&Release),
    reinterpret_cast<void*>(&Unexpected),  // RegisterSoftwareDevice
    reinterpret_cast<void*>(&GetAdapterCount),
    reinterpret_cast<void*>(&GetAdapterIdentifier),
    reinterpret_cast<void*>(&Unexpected),
    reinterpret_cast<void*>(&Unexpected),
    reinterpret_cast<void*>(&Unexpected),
    reinterpret_cast<void*>(&Unexpected),
    reinterpret_cast<void*>(&Unexpected),
    reinterpret_cast<void*>(&Unexpected),
    reinterpret_cast<void*>(&Unexpected),
    reinterpret_cast<void*>(&GetDeviceCaps),
    reinterpret_cast<void*>(&Unexpected),
    reinterpret_cast<void*>(&Unexpected)};
struct {
  void* const* methods;
} g_direct3d = {g_direct3dMethods};

WINAPI void* Direct3DCreate8(unsigned sdkVersion) {
  if (sdkVersion != 120) os::Stop("Direct3DCreate8 was not given 120");
  if (g_run.failure == Failure::kCreate) return nullptr;
  g_created = true;
  return &g_direct3d;
}

// ---- msvcrt.dll

using Function = void (*)();
Function g_atExit[32];
int g_atExitCount = 0;
int g_errno = 0;
int g_fmode = 0, g_commode = 0, g_mbCurMax = 1;
char g_programName[] = "kelvane.exe";
char* g_commandLine = g_programName;
char* g_arguments[] = {g_programName, nullptr};
char* g_environment[] = {nullptr};
char** g_initenv = g_environment;

[[noreturn]] void Exit(int code) {
  while (g_atExitCount > 0) g_atExit[--g_atExitCount]();
  // Whoever created the Direct3D object must let it go, on every way out.
  if (g_created && !g_released)
    os::Stop("the Direct3D object was not released");
  os::Exit(code);
}

int GetMainArguments(int* count, char*** arguments, char*** environment, int,
                     void*) {
  *count = 1;
  *arguments = g_arguments;
  *environment = g_environment;
  return 0;
}
char** CommandLine() { return &g_commandLine; }
int* Commode() { return &g_commode; }
int* Fmode() { return &g_fmode; }
int* Errno() { return &g_errno; }
void Nothing() {}
void Ignore(int) {}
void IgnorePointer(void*) {}
[[noreturn]] void RuntimeError(int) {
  os::Say("runtime error\n");
  Exit(255);
}
void InitTerm(Function* begin, Function* end) {
  for (; begin < end; ++begin)
    if (*begin != nullptr) (*begin)();
}
Function OnExit(Function function) {
  if (g_atExitCount == 32) return nullptr;
  g_atExit[g_atExitCount++] = function;
  return function;
}
[[noreturn]] void Abort() {
  os::Say("\r\nabnormal program termination\r\n");
  os::Exit(3);
}
int ToInteger(const char* text) {
  int sign = 1, value = 0;
  if (*text == '-') sign = -1, ++text;
  while (*text >= '0' && *text <= '9') value = value * 10 + (*text++ - '0');
  return sign * value;
}
void* Calloc(Size count, Size size) {
  void* memory = os::Allocate(count * size);
  return memset(memory, 0, count * size);
}
void* Malloc(Size size) { return os::Allocate(size); }
void Free(void*) {}
// The C runtime's own complaints only: their arguments are left out.
int Fprintf(File* stream, const char* format, ...) {
  WriteText(stream, format, os::TextLength(format));
  return 0;
}
int Vfprintf(File* stream, const char* format, void*) {
  return Fprintf(stream, format);
}
int Fputc(int c, File* stream) {
  const char byte = static_cast<char>(c);
  WriteText(stream, &byte, 1);
  return c & 0xFF;
}
int Fputs(const char* text, File* stream) {
  WriteText(stream, text, os::TextLength(text));
  return 0;
}
Size Fwrite(const void* bytes, Size size, Size count, File* stream) {
  WriteText(stream, static_cast<const char*>(bytes), size * count);
  return count;
}
char g_point[] = ".", g_empty[] = "";
struct {
  char* texts[10];
  char numbers[8];
} g_locale = {{g_point, g_empty, g_empty, g_empty, g_empty, g_point, g_empty,
               g_empty, g_empty, g_empty},
              {127, 127, 127, 127, 127, 127, 127, 127}};
void* LocaleConventions() { return &g_locale; }
char g_cLocale[] = "C";
char* SetLocale(int, const char*) { return g_cLocale; }
void* Signal(int, void*) { return nullptr; }
char g_error[] = "error";
char* StrError(int) { return g_error; }
const void* FindByte(const void* bytes, int byte, Size size) {
  const auto* b = static_cast<const unsigned char*>(bytes);
  for (; size > 0; --size, ++b)
    if (*b == static_cast<unsigned char>(byte)) return b;
  return nullptr;
}
const char* FindChar(const char* text, int c) {
  for (;; ++text) {
    if (*text == static_cast<char>(c)) return text;
    if (*text == '\0') return nullptr;
  }
}
Size Length(const char* text) { return os::TextLength(text); }
int CompareN(const char* a, const char* b, Size size) {
  for (; size > 0; --size, ++a, ++b) {
    if (*a != *b)
      return static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b)
                 ? -1
                 : 1;
    if (*a == '\0') return 0;
  }
  return 0;
}
Size WideLength(const unsigned short* text) {
  Size length = 0;
  while (text[length] != 0) ++length;
  return length;
}

WINAPI void ExitProcess(unsigned code) { Exit(static_cast<int>(code)); }

struct StandIn {
  const char* dll;
  const char* name;
  void* address;
};

#define STAND_IN(dll, name, function) \
  { dll, name, reinterpret_cast<void*>(function) }
const StandIn kStandIns[] = {
    STAND_IN("kernel32", "CloseHandle", &CloseHandle),
    STAND_IN("kernel32", "CreateFileA", &CreateFileA),
    STAND_IN("kernel32", "DeleteCriticalSection", &CriticalSection),
    STAND_IN("kernel32", "DeleteFileA", &DeleteFileA),
    STAND_IN("kernel32", "EnterCriticalSection", &CriticalSection),
    STAND_IN("kernel32", "ExitProcess", &ExitProcess),
    STAND_IN("kernel32", "FreeLibrary", &FreeLibrary),
    STAND_IN("kernel32", "GetLastError", &GetLastError),
    STAND_IN("kernel32", "GetModuleHandleA", &GetModuleHandle),
    STAND_IN("kernel32", "GetModuleHandleW", &GetModuleHandle),
    STAND_IN("kernel32", "GetProcAddress", &GetProcAddress),
    STAND_IN("kernel32", "GetStartupInfoA", &GetStartupInfoA),
    STAND_IN("kernel32", "GetSystemDirectoryA", &GetSystemDirectoryA),
    STAND_IN("kernel32", "GetVersion", &GetVersion),
    STAND_IN("kernel32", "InitializeCriticalSection", &CriticalSection),
    STAND_IN("kernel32", "IsDBCSLeadByteEx", &IsDBCSLeadByteEx),
    STAND_IN("kernel32", "LeaveCriticalSection", &CriticalSection),
    STAND_IN("kernel32", "LoadLibraryA", &LoadLibraryA),
    STAND_IN("kernel32", "MultiByteToWideChar", &MultiByteToWideChar),
    STAND_IN("kernel32", "SetErrorMode", &SetErrorMode),
    STAND_IN("kernel32", "SetLastError", &SetLastError),
    STAND_IN("kernel32", "SetFilePointer", &SetFilePointer),
    STAND_IN("kernel32", "SetUnhandledExceptionFilter",
             &SetUnhandledExceptionFilter),
    STAND_IN("kernel32", "Sleep", &Sleep),
    STAND_IN("kernel32", "TlsAlloc", &TlsAlloc),
    STAND_IN("kernel32", "TlsFree", &TlsFree),
    STAND_IN("kernel32", "TlsGetValue", &TlsGetValue),
    STAND_IN("kernel32", "TlsSetValue", &TlsSetValue),
    STAND_IN("kernel32", "GetCurrentThreadId", &GetCurrentThreadId),
    STAND_IN("kernel32", "CreateSemaphoreW", &CreateSemaphore),
    STAND_IN("kernel32", "ReleaseSemaphore", &ReleaseSemaphore),
    STAND_IN("kernel32", "WaitForSingleObject", &WaitForSingleObject),
    STAND_IN("kernel32", "VirtualProtect", &VirtualProtect),
    STAND_IN("kernel32", "VirtualQuery", &VirtualQuery),
    STAND_IN("kernel32", "WideCharToMultiByte", &WideCharToMultiByte),
    STAND_IN("kernel32", "WriteFile", &WriteFile),
    STAND_IN("msvcrt", "__getmainargs", &GetMainArguments),
    STAND_IN("msvcrt", "__initenv", &g_initenv),
    STAND_IN("msvcrt", "__mb_cur_max", &g_mbCurMax),
    STAND_IN("msvcrt", "__p__acmdln", &CommandLine),
    STAND_IN("msvcrt", "__p__commode", &Commode),
    STAND_IN("msvcrt", "__p__fmode", &Fmode),
    STAND_IN("msvcrt", "__set_app_type", &Ignore),
    STAND_IN("msvcrt", "__setusermatherr", &IgnorePointer),
    STAND_IN("msvcrt", "_amsg_exit", &RuntimeError),
    STAND_IN("msvcrt", "_cexit", &Nothing),  // nothing to flush
    STAND_IN("msvcrt", "_errno", &Errno),
    STAND_IN("msvcrt", "_initterm", &InitTerm),
    STAND_IN("msvcrt", "_iob", &g_iob),
    STAND_IN("msvcrt", "_onexit", &OnExit),
    STAND_IN("msvcrt", "abort", &Abort),
    STAND_IN("msvcrt", "atoi", &ToInteger),
    STAND_IN("msvcrt", "calloc", &Calloc),
    STAND_IN("msvcrt", "exit", &Exit),
    STAND_IN("msvcrt", "fprintf", &Fprintf),
    STAND_IN("msvcrt", "fputc", &Fputc),
    STAND_IN("msvcrt", "fputs", &Fputs),
    STAND_IN("msvcrt", "free", &Free),
    STAND_IN("msvcrt", "fwrite", &Fwrite),
    STAND_IN("msvcrt", "localeconv", &LocaleConventions),
    STAND_IN("msvcrt", "malloc", &Malloc),
    STAND_IN("msvcrt", "memchr", &FindByte),
    STAND_IN("msvcrt", "memcmp", &memcmp),
    STAND_IN("msvcrt", "memcpy", &memcpy),
    STAND_IN("msvcrt", "memmove", &memmove),
    STAND_IN("msvcrt", "memset", &memset),
    STAND_IN("msvcrt", "setlocale", &SetLocale),
    STAND_IN("msvcrt", "signal", &Signal),
    STAND_IN("msvcrt", "strchr", &FindChar),
    STAND_IN("msvcrt", "strerror", &StrError),
    STAND_IN("msvcrt", "strlen", &Length),
    STAND_IN("msvcrt", "strncmp", &CompareN),
    STAND_IN("msvcrt", "vfprintf", &Vfprintf),
    STAND_IN("msvcrt", "wcslen", &WideLength),
};
#undef STAND_IN

}  // namespace

void* FindStandIn(const char* dll, const char* name) {
  // "KERNEL32.dll" names the stand-ins' "kernel32".
  char bare[16] = {};
  for (Size i = 0; i + 1 < sizeof bare && dll[i] != '\0' && dll[i] != '.'; ++i)
    bare[i] = dll[i];
  for (const StandIn& standIn : kStandIns)
    if (os::SameTextIgnoringCase(bare, standIn.dll) &&
        os::SameText(name, standIn.name))
      return standIn.address;
  return nullptr;
}
