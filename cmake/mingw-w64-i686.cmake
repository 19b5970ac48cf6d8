# Cross-compiling the Windows x86 (32-bit) build with Debian's MinGW-w64.
# Windows XP is NT 5.1.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KELVANE_MINGW_TRIPLET i686-w64-mingw32)
set(KELVANE_NT5_MINOR 1)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
