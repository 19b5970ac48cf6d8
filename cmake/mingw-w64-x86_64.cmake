# Cross-compiling the Windows x86-64 build with Debian's MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KELVANE_MINGW_TRIPLET x86_64-w64-mingw32)
# The POSIX thread model: GoogleTest needs std::mutex, which the win32 model of
# GCC 12 lacks. With -static nothing of it is left to ship beside the program.
set(CMAKE_C_COMPILER ${KELVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
