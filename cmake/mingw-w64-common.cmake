# Shared by the MinGW-w64 toolchain files, which set KELVANE_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)

# The POSIX thread model: GoogleTest needs std::mutex, which the win32 model of
# GCC 12 lacks. With -static nothing of it is left to ship beside the program.
set(CMAKE_C_COMPILER ${KELVANE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVANE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
