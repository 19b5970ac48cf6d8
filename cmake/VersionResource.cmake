# kelvane_version_resource(TARGET DESCRIPTION): a VERSIONINFO resource for a
# Windows program, from the one project version, so Explorer's Details tab
# says what the file is.
set(KELVANE_COPYRIGHT "Copyright (C) 2026 the Kelvane developers")

function(kelvane_version_resource target description)
  if(NOT WIN32)
    return()
  endif()
  set(KELVANE_RC_NAME ${target})
  set(KELVANE_RC_DESCRIPTION "${description}")
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(KELVANE_RC_${part} ${PROJECT_VERSION_${part}})
    if("${KELVANE_RC_${part}}" STREQUAL "")
      set(KELVANE_RC_${part} 0)
    endif()
  endforeach()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
