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
# A filter that matches nothing ends the suite as failed, not as passed with no test run.
add_test(NAME web_no_test_matched COMMAND ${web_suite} $<TARGET_FILE:vantaro_tests> 1
                                          --gtest_filter=NoSuchSuite.*)
set_tests_properties(web_no_test_matched PROPERTIES TIMEOUT 120
  PASS_REGULAR_EXPRESSION "no test matches the filter.*the suite ended with 1\n"
  ENVIRONMENT "VANTARO_E2E_LIMIT=90;NODE_PATH=${VANTARO_NODE_MODULES}")

# The game once more as the version before this one, for the page's update test: the same game
# with only its version older. Its page is staged under this version's number, as a rebuild that
# forgot the bump would be: the worker must tell the two builds apart by their files alone.
add_library(vantaro_version_older OBJECT ${CMAKE_SOURCE_DIR}/src/version.cpp)
target_link_libraries(vantaro_version_older PRIVATE Qt6::Core)
target_compile_definitions(vantaro_version_older PRIVATE VANTARO_VERSION_MAJOR=${older_major}
  VANTARO_VERSION_MINOR=${older_minor} VANTARO_VERSION_REVISION=${older_patch})
qt_add_executable(vantaro_older ${CMAKE_SOURCE_DIR}/src/main.cpp
                  $<TARGET_OBJECTS:vantaro_version_older>)
vantaro_web_executable(vantaro_older)
target_link_libraries(vantaro_older PRIVATE vantaro_lib)
set(older_page ${CMAKE_BINARY_DIR}/older-page)
add_custom_command(OUTPUT ${older_page}/sw.js
  COMMAND ${CMAKE_SOURCE_DIR}/tools/web/stage.sh ${PROJECT_VERSION} $<TARGET_FILE:vantaro_older>
          ${older_page}
  DEPENDS vantaro_older ${VANTARO_PAGE_DEPENDS} VERBATIM)
add_custom_target(vantaro_older_page ALL DEPENDS ${older_page}/sw.js)

# The zip the build packs, unpacked and served, played and listened to.
add_test(NAME e2e_web COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/web.sh ${VANTARO_WEB_ZIP}
                              ${CMAKE_CURRENT_SOURCE_DIR}/pictures ${older_page}
                              $<TARGET_FILE_DIR:vantaro>/vantaro.wasm)
# Alone: what it hears must not break up beside a suite drawing in another browser.
set_tests_properties(e2e_web PROPERTIES TIMEOUT 480 RUN_SERIAL ON
                     ENVIRONMENT "VANTARO_E2E_LIMIT=450;NODE_PATH=${VANTARO_NODE_MODULES}")
