# The Windows build, proven under Wine: the whole suite against the same pictures and captions as
# on Linux, at both scales.
find_program(WINE wine REQUIRED)
find_program(XVFB Xvfb REQUIRED)
set(wine_suite ${CMAKE_CURRENT_SOURCE_DIR}/e2e/wine_suite.sh)
add_test(NAME wine_unit_tests COMMAND ${wine_suite} $<TARGET_FILE:vantaro_tests>)
add_test(NAME wine_screens_at_scale_2 COMMAND ${wine_suite} $<TARGET_FILE:vantaro_tests>
                                              --gtest_filter=Screens.*)
set_tests_properties(wine_unit_tests PROPERTIES TIMEOUT 900 ENVIRONMENT "VANTARO_E2E_LIMIT=870")
set_tests_properties(wine_screens_at_scale_2 PROPERTIES TIMEOUT 600
  ENVIRONMENT "VANTARO_E2E_LIMIT=570;QT_SCALE_FACTOR=2")

# The zip as a player gets it, and what a player hears: `cpack` in this folder makes the zip
# (tools/windows/build.sh does), and the sound test plays its game into a private PulseAudio.
set(zip ${CMAKE_BINARY_DIR}/package/vantaro-${PROJECT_VERSION}-win64.zip)
add_test(NAME e2e_windows COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/windows.sh ${zip}
                                  ${CMAKE_CURRENT_SOURCE_DIR}/pictures)
set_tests_properties(e2e_windows PROPERTIES TIMEOUT 210 ENVIRONMENT "VANTARO_E2E_LIMIT=180")
foreach(server pulseaudio none)
  add_test(NAME e2e_sound_wine_${server}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/sound.sh ${zip} ${server})
  set_tests_properties(e2e_sound_wine_${server} PROPERTIES TIMEOUT 210 SKIP_RETURN_CODE 77
                       ENVIRONMENT "VANTARO_E2E_LIMIT=180")
endforeach()
