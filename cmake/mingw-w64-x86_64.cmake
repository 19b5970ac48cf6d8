# Cross-compiling the Windows x86-64 build with Debian's MinGW-w64.
# 64-bit Windows begins with XP x64 and Server 2003 SP1, NT 5.2.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KELVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(KELVANE_PROGRAM_WINDOWS 5.2)
set(KELVANE_TOOL_WINDOWS 5.2)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
