// Stand-ins for what kelvane.exe imports from KERNEL32.dll and msvcrt.dll,
// and for the system's d3d8.dll, serving the tests' sample adapter: as much
// of Windows as the program reaches, and no more.
#pragma once

enum class Windows { k95, kNt };
// Where the stand-ins make the program fail, one place a run.
enum class Failure { kNone, kNoD3d8, kCreate, kIdentifier, kCaps, kWrite };

struct Run {
  Windows windows = Windows::kNt;
  Failure failure = Failure::kNone;
  void* image = nullptr;  // the program's module handle
};
extern Run g_run;

// The address a DLL!name import binds to, or null when there is no stand-in.
void* FindStandIn(const char* dll, const char* name);
