# The user's readme beside the exe, and the two downloads of a Windows user:
# `cmake --build build/win32 --target package` makes dovane_clip-<version>-win64.zip with
# dovane_clip.exe and readme.txt at its top level, and dovane_clip-<version>-setup.exe, the
# per-user installer (cmake/nsis/NSIS.template.in) made from the same two files.
set(readme_source ${CMAKE_BINARY_DIR}/readme.utf8.txt)
set(readme_file ${CMAKE_BINARY_DIR}/readme.txt)
add_custom_command(OUTPUT ${readme_file}
  COMMAND ${CMAKE_SOURCE_DIR}/tools/sjis_crlf.sh ${readme_source} ${readme_file}
  DEPENDS ${readme_source} ${CMAKE_SOURCE_DIR}/tools/sjis_crlf.sh VERBATIM)
add_custom_target(readme ALL DEPENDS ${readme_file})
# The program carries the same readme as a resource, found by its name in the build folder,
# as are the manifest and the version header made from the project's version.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/res/dovane_clip.rc APPEND PROPERTY OBJECT_DEPENDS ${readme_file})
set_property(SOURCE ${CMAKE_SOURCE_DIR}/app/res/dovane_clip.rc APPEND PROPERTY INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR})
add_dependencies(dovane_clip readme)
add_dependencies(win32_tests readme)

install(TARGETS dovane_clip RUNTIME DESTINATION .)
install(FILES ${readme_file} DESTINATION .)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME dovane_clip)
set(CPACK_PACKAGE_VERSION ${dovane_version})
set(CPACK_PACKAGE_VENDOR dovane_clip)
set(CPACK_PACKAGE_FILE_NAME dovane_clip-${dovane_version}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# The installer's script replaces CPack's own, and its name is set per generator.
set(CPACK_MODULE_PATH ${CMAKE_SOURCE_DIR}/cmake/nsis)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/cmake/nsis/cpack_names.cmake)
set(CPACK_DOVANE_VERSION_NUMBERS ${dovane_version_numbers_dotted})
set(CPACK_DOVANE_COPYRIGHT "${dovane_copyright}")
set(CPACK_DOVANE_ICON ${CMAKE_SOURCE_DIR}/app/res/dovane_clip.ico)
include(CPack)
