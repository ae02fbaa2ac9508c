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

# The zip and the setup program as a player gets them, and what a player hears: `cpack` in this
# folder makes both (tools/windows/build.sh does), and the sound test plays their game into a
# private PulseAudio.
set(package ${CMAKE_BINARY_DIR}/package/vantaro-${PROJECT_VERSION}-win64)
# An upgrade from the version before this one: a setup of the same files under that number, and
# with a folder more (a small one of the source tree) that the upgrade has to take away.
add_test(NAME windows_older_setup
         COMMAND ${CMAKE_CPACK_COMMAND} -G NSIS --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
                 -B ${CMAKE_CURRENT_BINARY_DIR}/older -D CPACK_PACKAGE_VERSION=${older}
                 -D CPACK_PACKAGE_FILE_NAME=vantaro-${older}-win64
                 -D CPACK_INSTALLED_DIRECTORIES=${CMAKE_SOURCE_DIR}/assets/windows$<SEMICOLON>Extras)
set_tests_properties(windows_older_setup PROPERTIES FIXTURES_SETUP older_setup)
add_test(NAME e2e_windows
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/windows.sh ${package}.zip
                 ${CMAKE_CURRENT_SOURCE_DIR}/pictures ${package}-setup.exe
                 ${CMAKE_CURRENT_BINARY_DIR}/older/vantaro-${older}-win64-setup.exe)
set_tests_properties(e2e_windows PROPERTIES TIMEOUT 300 FIXTURES_REQUIRED older_setup
                     ENVIRONMENT "VANTARO_E2E_LIMIT=270")
set(sound ${CMAKE_CURRENT_SOURCE_DIR}/e2e/sound.sh)
add_test(NAME e2e_sound_wine_pulseaudio COMMAND ${sound} ${package}.zip pulseaudio)
add_test(NAME e2e_sound_wine_none COMMAND ${sound} ${package}.zip none)
# The installed game, started from its Start menu shortcut.
add_test(NAME e2e_sound_wine_setup COMMAND ${sound} ${package}-setup.exe pulseaudio)
set_tests_properties(e2e_sound_wine_pulseaudio e2e_sound_wine_none e2e_sound_wine_setup PROPERTIES
                     TIMEOUT 210 SKIP_RETURN_CODE 77 ENVIRONMENT "VANTARO_E2E_LIMIT=180")
