#include "compare/cli/Interrupts.h"

#include <atomic>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#endif

namespace kelvane {
namespace {

// A run has a few outputs, each with a temporary file and a saved copy.
constexpr int kSlots = 32;

#ifdef _WIN32
using NativeChar = wchar_t;
#else
using NativeChar = char;
#endif

// Names as the system takes them, read by a handler that may allocate
// nothing: each slot holds its own copy, published once complete.
std::atomic<NativeChar*> g_slots[kSlots];

NativeChar* CopyOf(const std::filesystem::path& path) {
  const auto& name = path.native();
  auto* copy = new NativeChar[name.size() + 1];
  name.copy(copy, name.size());
  copy[name.size()] = 0;
  return copy;
}

void RemoveRegistered() {
  for (auto& slot : g_slots) {
    NativeChar* name = slot.exchange(nullptr);
    if (name == nullptr) continue;
#ifdef _WIN32
    DeleteFileW(name);
#else
    unlink(name);
#endif
  }
}

#ifdef _WIN32
CRITICAL_SECTION g_held;

BOOL WINAPI OnConsoleEvent(DWORD) {
  // Waits for files being put in place, then ends the process as Windows
  // ends it on Ctrl-C.
  EnterCriticalSection(&g_held);
  RemoveRegistered();
  ExitProcess(STATUS_CONTROL_C_EXIT);
}

struct HeldLock {
  HeldLock() { InitializeCriticalSection(&g_held); }
} g_heldLock;
#else
// Every signal that ends a process by default and that a user, a shell or
// a limit sends.
constexpr int kSignals[] = {SIGHUP,  SIGINT,  SIGQUIT,   SIGPIPE,
                            SIGALRM, SIGTERM, SIGUSR1,   SIGUSR2,
                            SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF};

void OnSignal(int number) {
  RemoveRegistered();
  // Ends as the signal would have, so a shell sees it.
  signal(number, SIG_DFL);
  raise(number);
}

sigset_t Interruptions() {
  sigset_t set;
  sigemptyset(&set);
  for (const int number : kSignals) sigaddset(&set, number);
  return set;
}

sigset_t g_previousMask;
#endif

}  // namespace

void RemoveFilesOnInterrupt() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  for (const int number : kSignals) sigaddset(&action.sa_mask, number);
  for (const int number : kSignals) {
    struct sigaction previous {};
    sigaction(number, nullptr, &previous);
    // What the caller chose to ignore, such as nohup's SIGHUP, stays so.
    if (previous.sa_handler != SIG_IGN) sigaction(number, &action, nullptr);
  }
#endif
}

RemovedOnInterrupt::RemovedOnInterrupt(const std::filesystem::path& path)
    : slot_(-1) {
  NativeChar* copy = CopyOf(path);
  for (int i = 0; i < kSlots; ++i) {
    NativeChar* empty = nullptr;
    if (g_slots[i].compare_exchange_strong(empty, copy)) {
      slot_ = i;
      return;
    }
  }
  delete[] copy;
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
  if (slot_ >= 0) delete[] g_slots[slot_].exchange(nullptr);
}

#ifdef _WIN32
PipeSignalIgnored::PipeSignalIgnored() = default;
PipeSignalIgnored::~PipeSignalIgnored() = default;

bool ReaderWentAway() {
  const DWORD error = GetLastError();
  return error == ERROR_NO_DATA || error == ERROR_BROKEN_PIPE;
}
#else
namespace {
struct sigaction g_pipeAction;
}

PipeSignalIgnored::PipeSignalIgnored() {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &g_pipeAction);
}

PipeSignalIgnored::~PipeSignalIgnored() {
  sigaction(SIGPIPE, &g_pipeAction, nullptr);
}

bool ReaderWentAway() { return errno == EPIPE; }
#endif

InterruptionsHeld::InterruptionsHeld() {
#ifdef _WIN32
  EnterCriticalSection(&g_held);
#else
  const sigset_t set = Interruptions();
  sigprocmask(SIG_BLOCK, &set, &g_previousMask);
#endif
}

InterruptionsHeld::~InterruptionsHeld() {
#ifdef _WIN32
  LeaveCriticalSection(&g_held);
#else
  sigprocmask(SIG_SETMASK, &g_previousMask, nullptr);
#endif
}

}  // namespace kelvane
