# kelvane.exe for the Pentium (P5), on x86 (KELVANE_PROGRAM_CPU, set by the
# toolchain file). Debian builds all of MinGW-w64's i686 runtime for the
# Pentium Pro, so besides compiling for the Pentium:
# - the C runtime pieces the program links are rebuilt for it from Debian's
#   own source of the installed version (scripts/build-i586-crt.sh), kept in
#   KELVANE_I586_CRT_CACHE by version, and found before Debian's;
# - the program links no C++ runtime library: it is compiled without
#   exceptions, so a throw fails to compile, and the few pieces it uses are
#   its own (src/driver/MinimalRuntime.cpp). Linking with the C driver leaves
#   libstdc++ off the link, and an unmet reference fails it.
# kelvane-compare and the tests are built as before.
if(NOT KELVANE_PROGRAM_CPU)
  return()
endif()
enable_language(C)
set(KELVANE_I586_CRT_CACHE ${CMAKE_BINARY_DIR}/i586-crt CACHE PATH
  "Where the C runtime rebuilt for the Pentium is kept, by MinGW-w64 version")
execute_process(COMMAND dpkg-query -W "-f=\${Version}" mingw-w64-i686-dev
  OUTPUT_VARIABLE KELVANE_MINGW_VERSION RESULT_VARIABLE found ERROR_QUIET)
if(NOT found EQUAL 0 OR KELVANE_MINGW_VERSION STREQUAL "")
  message(FATAL_ERROR "The x86 kelvane.exe is built for the Pentium with the C "
    "runtime rebuilt from Debian's source of mingw-w64-i686-dev, which is not "
    "installed here (dpkg-query found no version).")
endif()
set(KELVANE_I586_CRT ${KELVANE_I586_CRT_CACHE}/${KELVANE_MINGW_VERSION})
set(pieces crt2.o libmingw32.a libmingwex.a libmsvcrt.a)
list(TRANSFORM pieces PREPEND ${KELVANE_I586_CRT}/ OUTPUT_VARIABLE crt_files)
add_custom_command(OUTPUT ${crt_files}
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build-i586-crt.sh
    ${KELVANE_I586_CRT_CACHE} ${KELVANE_MINGW_VERSION}
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/build-i586-crt.sh
  COMMENT "MinGW-w64 ${KELVANE_MINGW_VERSION}'s C runtime for the Pentium"
  VERBATIM)
add_custom_target(kelvane_i586_crt DEPENDS ${crt_files})

# kelvane_pentium_program(TARGET LAYER...): TARGET, an executable, compiled
# for the Pentium from its own sources and every source of the layers given
# (libraries of src/), which stay as they are for the tests and the tool.
function(kelvane_pentium_program target)
  foreach(layer ${ARGN})
    get_target_property(sources ${layer} SOURCES)
    get_target_property(folder ${layer} SOURCE_DIR)
    list(TRANSFORM sources PREPEND ${folder}/)
    target_sources(${target} PRIVATE ${sources})
    target_include_directories(${target} PRIVATE
      $<TARGET_PROPERTY:${layer},INTERFACE_INCLUDE_DIRECTORIES>)
  endforeach()
  target_link_libraries(${target} PRIVATE kelvane_build_flags kelvane_version)
  target_compile_options(${target} PRIVATE
    -march=${KELVANE_PROGRAM_CPU} -fno-exceptions -fno-rtti)
  add_dependencies(${target} kelvane_i586_crt)
  # -B for crt2.o, -L for the libraries: both found before Debian's.
  target_link_options(${target} PRIVATE -B${KELVANE_I586_CRT}/ -L${KELVANE_I586_CRT})
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C
    LINK_DEPENDS "${crt_files}")
endfunction()
