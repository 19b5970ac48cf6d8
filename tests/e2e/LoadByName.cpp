// Loads d3d8.dll by name, through the default search order: what kelvane.exe
// must never do. Shows that a planted d3d8.dll would be noticed.
#include <windows.h>

int main() {
  HMODULE module = LoadLibraryA("d3d8.dll");
  if (module != nullptr) FreeLibrary(module);
  return 0;
}
