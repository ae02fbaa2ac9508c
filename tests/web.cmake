# The browser build, proven in Debian's headless Chromium: the whole suite against the same
# pictures and captions as on Linux, at both scales, and the zip as a player gets it.
# The suite finds its references in its page's own file system, where they are packed for it.
target_compile_definitions(vantaro_tests PRIVATE VANTARO_PICTURES_DIR="/pictures"
                                                 VANTARO_CAPTIONS_FILE="/captions.txt")
target_link_options(vantaro_tests PRIVATE ${VANTARO_WEB_TEST_LINK} "SHELL:-s EXIT_RUNTIME=1"
  "SHELL:--preload-file ${CMAKE_CURRENT_SOURCE_DIR}/pictures@/pictures"
  "SHELL:--preload-file ${CMAKE_CURRENT_SOURCE_DIR}/captions.txt@/captions.txt"
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/assets/Sound@/Sound")
set_property(TARGET vantaro_tests APPEND PROPERTY LINK_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/captions.txt ${VANTARO_SOUNDS})

# The browser's driver, installed by tools/web/node-deps.sh.
set(VANTARO_NODE_MODULES "" CACHE PATH "node_modules folder that holds playwright-core")
set(web_suite ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web_suite.sh)
add_test(NAME web_unit_tests COMMAND ${web_suite} $<TARGET_FILE:vantaro_tests> 1)
add_test(NAME web_screens_at_scale_2 COMMAND ${web_suite} $<TARGET_FILE:vantaro_tests> 2
                                             --gtest_filter=Screens.*)
set_tests_properties(web_unit_tests PROPERTIES TIMEOUT 900 ENVIRONMENT "VANTARO_E2E_LIMIT=870;NODE_PATH=${VANTARO_NODE_MODULES}")
set_tests_properties(web_screens_at_scale_2 PROPERTIES TIMEOUT 600
                     ENVIRONMENT "VANTARO_E2E_LIMIT=570;NODE_PATH=${VANTARO_NODE_MODULES}")

# The game once more as the version before this one, for the page's update test: the same game
# with only its version older. tools/web/build.sh stages its page beside the zip.
add_library(vantaro_version_older OBJECT ${CMAKE_SOURCE_DIR}/src/version.cpp)
target_link_libraries(vantaro_version_older PRIVATE Qt6::Core)
target_compile_definitions(vantaro_version_older PRIVATE VANTARO_VERSION_MAJOR=${older_major}
  VANTARO_VERSION_MINOR=${older_minor} VANTARO_VERSION_REVISION=${older_patch})
qt_add_executable(vantaro_older ${CMAKE_SOURCE_DIR}/src/main.cpp
                  $<TARGET_OBJECTS:vantaro_version_older>)
vantaro_web_executable(vantaro_older)
target_link_libraries(vantaro_older PRIVATE vantaro_lib)
set(VANTARO_OLDER_VERSION ${older} CACHE INTERNAL "The version the update test starts from")

# The zip tools/web/build.sh packs in this folder, unpacked and served, played and listened to.
set(package ${CMAKE_BINARY_DIR}/package/vantaro-${PROJECT_VERSION}-web.zip)
add_test(NAME e2e_web COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web.sh ${package}
                              ${CMAKE_CURRENT_SOURCE_DIR}/pictures ${CMAKE_BINARY_DIR}/older-page)
# Alone: what it hears must not break up beside a suite drawing in another browser.
set_tests_properties(e2e_web PROPERTIES TIMEOUT 330 RUN_SERIAL ON
                     ENVIRONMENT "VANTARO_E2E_LIMIT=300;NODE_PATH=${VANTARO_NODE_MODULES}")
