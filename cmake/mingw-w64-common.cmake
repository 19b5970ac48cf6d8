# Shared by the MinGW-w64 toolchain files, which set KELVANE_MINGW_TRIPLET and
# the oldest Windows each program loads on: KELVANE_PROGRAM_WINDOWS for
# kelvane.exe, KELVANE_TOOL_WINDOWS for kelvane-compare (MAJOR.MINOR).
set(CMAKE_SYSTEM_NAME Windows)

# The shipped programs use the win32 thread model: the POSIX model links
# winpthreads, which imports GetTickCount64, and Windows XP refuses to load
# such a program. GoogleTest needs std::mutex, which GCC 12's win32 model
# lacks, so the test builds keep the POSIX model.
set(KELVANE_MINGW_THREADS posix CACHE STRING "MinGW-w64 thread model: posix or win32")
set_property(CACHE KELVANE_MINGW_THREADS PROPERTY STRINGS posix win32)

set(CMAKE_C_COMPILER ${KELVANE_MINGW_TRIPLET}-gcc-${KELVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${KELVANE_MINGW_TRIPLET}-g++-${KELVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${KELVANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
