// A d3d8.dll for planting beside kelvane.exe and in its working directory.
// Loading it leaves a marker in the working directory and fails the load, so
// a program that picked it up cannot go unnoticed.
#include <windows.h>

#include <cstdio>

extern "C" __declspec(dllexport) void* WINAPI Direct3DCreate8(UINT) {
  return nullptr;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  if (std::FILE* marker = std::fopen("planted-d3d8-loaded.txt", "w"))
    std::fclose(marker);
  std::fputs("planted d3d8.dll was loaded\n", stderr);
  return FALSE;
}
