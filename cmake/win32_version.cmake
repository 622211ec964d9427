# The one version of the program: the project's version in CMakeLists.txt. It reaches the
# version resource and the version dialog (through dovane_version.h), the manifest, the
# readme and the names of the zip and the installer, as the copyright reaches the version
# resources of the program and of the installer.
set(dovane_version ${PROJECT_VERSION})
set(dovane_copyright "Copyright (C) 2004 dovane_clip")
set(dovane_version_numbers)
foreach(part MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${part}}" STREQUAL "")
    list(APPEND dovane_version_numbers 0)
  else()
    list(APPEND dovane_version_numbers ${PROJECT_VERSION_${part}})
  endif()
endforeach()
list(JOIN dovane_version_numbers "," dovane_version_numbers_comma)
list(JOIN dovane_version_numbers "." dovane_version_numbers_dotted)

configure_file(${CMAKE_SOURCE_DIR}/app/res/dovane_version.h.in ${CMAKE_BINARY_DIR}/dovane_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/app/res/dovane_clip.manifest.in ${CMAKE_BINARY_DIR}/dovane_clip.manifest @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/app/res/readme.utf8.txt ${CMAKE_BINARY_DIR}/readme.utf8.txt @ONLY)
