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
  # The headers offer nothing newer than the oldest Windows that
  # kelvane-compare runs on. kelvane.exe reaches further back (Windows 98 on
  # x86), which the NT version macros cannot express: the import checks of
  # tests/release hold it there.
  string(REPLACE "." ";" kelvane_tool_windows ${KELVANE_TOOL_WINDOWS})
  list(GET kelvane_tool_windows 0 kelvane_major)
  list(GET kelvane_tool_windows 1 kelvane_minor)
  math(EXPR kelvane_winnt "${kelvane_major} * 256 + ${kelvane_minor}"
    OUTPUT_FORMAT HEXADECIMAL)
  target_compile_definitions(kelvane_build_flags INTERFACE
    _WIN32_WINNT=${kelvane_winnt} WINVER=${kelvane_winnt})
  target_link_options(kelvane_build_flags INTERFACE
    # No MinGW DLL beside the programs.
    -static
    # No time stamp in the header.
    -Wl,--no-insert-timestamp)
endif()

# kelvane_oldest_windows(TARGET MAJOR.MINOR): the PE subsystem and OS version
# of a Windows program, the oldest Windows whose loader takes it. Windows 98
# and ME take at most 4.10; NT takes nothing newer than itself.
function(kelvane_oldest_windows target version)
  if(NOT MINGW)
    return()
  endif()
  string(REPLACE "." ";" parts ${version})
  list(GET parts 0 major)
  list(GET parts 1 minor)
  target_link_options(${target} PRIVATE
    -Wl,--major-subsystem-version=${major},--minor-subsystem-version=${minor}
    -Wl,--major-os-version=${major},--minor-os-version=${minor})
endfunction()

# kelvane_layer(TARGET LAYER): the target of a folder of src/ whose headers
# are included as "LAYER/Name.h". It exposes that folder alone, so a header
# of a layer it does not link is not found: the layers hold for includes as
# they do for links. Every layer names the build flags.
function(kelvane_layer target layer)
  set(root ${PROJECT_BINARY_DIR}/layers/${layer})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${layer} ${root}/${layer} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL INTERFACE_LIBRARY)
    target_include_directories(${target} INTERFACE ${root})
    target_link_libraries(${target} INTERFACE kelvane_build_flags)
  else()
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC kelvane_build_flags)
  endif()
endfunction()
