# Cross-compiling the Windows x86 build with Debian's MinGW-w64.
# kelvane.exe loads on Windows 98 SE, ME (whose loader takes subsystem 4.10 at
# most) and NT 4 / 2000 on; kelvane-compare needs Windows 2000 (NT 5.0) for
# hard links and 64-bit file sizes.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KELVANE_MINGW_TRIPLET i686-w64-mingw32)
set(KELVANE_PROGRAM_WINDOWS 4.0)
set(KELVANE_TOOL_WINDOWS 5.0)
# kelvane.exe runs on a Pentium (P5) and its kin (K6-2, 6x86, WinChip, C3):
# no CMOV or FCOMI, which the Pentium Pro brought (cmake/PentiumProgram.cmake).
set(KELVANE_PROGRAM_CPU i586)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
