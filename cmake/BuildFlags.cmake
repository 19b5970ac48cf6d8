# kelvane_build_flags: what every target of the project compiles and links
# with. Warnings are errors only where a preset or CI asks for it
# (CMAKE_COMPILE_WARNING_AS_ERROR), so a newer compiler's new warning does not
# stop a user's build.
add_library(kelvane_build_flags INTERFACE)
if(MSVC)
  target_compile_options(kelvane_build_flags INTERFACE /W4)
  set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreaded)
else()
  target_compile_options(kelvane_build_flags INTERFACE -Wall -Wextra)
  # No build path inside a binary: the same source gives the same bytes
  # wherever it is checked out.
  target_compile_options(kelvane_build_flags INTERFACE
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
    -ffile-prefix-map=${PROJECT_BINARY_DIR}=build)
endif()

if(KELVANE_SANITIZE)
  target_compile_options(kelvane_build_flags INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(kelvane_build_flags INTERFACE -fsanitize=address,undefined)
endif()
if(KELVANE_FUZZ)
  target_compile_options(kelvane_build_flags INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  target_link_options(kelvane_build_flags INTERFACE -fsanitize=address,undefined)
endif()

if(MINGW)
  # MinGW's own printf: the C runtime's gives other digits for large floats.
  target_compile_definitions(kelvane_build_flags INTERFACE __USE_MINGW_ANSI_STDIO=1)
  # The headers then offer nothing newer than the oldest Windows we run on.
  math(EXPR kelvane_winnt "0x0500 + ${KELVANE_NT5_MINOR}" OUTPUT_FORMAT HEXADECIMAL)
  target_compile_definitions(kelvane_build_flags INTERFACE
    _WIN32_WINNT=${kelvane_winnt} WINVER=${kelvane_winnt})
  target_link_options(kelvane_build_flags INTERFACE
    # No MinGW DLL beside the programs.
    -static
    # Loadable from Windows XP / Server 2003 on; no time stamp in the header.
    -Wl,--major-subsystem-version=5,--minor-subsystem-version=${KELVANE_NT5_MINOR}
    -Wl,--major-os-version=5,--minor-os-version=${KELVANE_NT5_MINOR}
    -Wl,--no-insert-timestamp)
endif()
