# End-to-end: the built exe under Wine, driven from outside.
add_executable(e2e_driver tests/e2e/driver.cpp tests/e2e/driver_install.cpp app/single_instance.cpp text/sjis.cpp)
target_link_libraries(e2e_driver PRIVATE ole32 uuid version shell32)
file(GLOB e2e_scripts ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
list(FILTER e2e_scripts EXCLUDE REGEX "_lib\\.sh$")
foreach(script ${e2e_scripts})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e.${name} COMMAND bash ${script} $<TARGET_FILE:dovane_clip> $<TARGET_FILE:e2e_driver>)
  set_tests_properties(e2e.${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 120)
endforeach()
# Four desktops, each started afresh.
set_tests_properties(e2e.dpi_screens PROPERTIES TIMEOUT 300)
# Two desktops, twenty openings in each.
set_tests_properties(e2e.clip_list PROPERTIES TIMEOUT 300)
# The screens, the windows' places and what Linux copies, again under the English code
# page 1252, each on a display of its own; the screenshots are kept under that LANG's name.
foreach(name dpi_screens text_windows unicode_clip)
  add_test(NAME en_US.e2e.${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/${name}.sh $<TARGET_FILE:dovane_clip>
                                          $<TARGET_FILE:e2e_driver>)
  set_tests_properties(en_US.e2e.${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 200
                                                    ENVIRONMENT "DOVANE_LANG=en_US.UTF-8;DOVANE_DPIS=96 144;DISPLAY=")
endforeach()
