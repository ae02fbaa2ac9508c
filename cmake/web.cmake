# The browser game, built with Qt for WebAssembly and Debian's emscripten (tools/web/build.sh).

# The sound function is linked in: a page loads no modules.
add_library(vantaro_sound STATIC src/sound/web_sound.cpp)
target_link_libraries(vantaro_lib PUBLIC vantaro_sound)
target_compile_definitions(vantaro_lib PUBLIC VANTARO_SOUND_LINKED)

# The page fetches the sounds once the game runs, the click first: it is the first one heard.
set(VANTARO_SOUND_NAMES Click1.wav)
foreach(wav ${VANTARO_SOUNDS})
  get_filename_component(name ${wav} NAME)
  list(APPEND VANTARO_SOUND_NAMES ${name})
endforeach()
list(REMOVE_DUPLICATES VANTARO_SOUND_NAMES)
list(JOIN VANTARO_SOUND_NAMES "," VANTARO_SOUND_LIST)

# Link options of the game and of the tests' build. The game is linked for size (what a player
# downloads); the suite as fast to link as it runs well enough, since every test run links it.
set(VANTARO_WEB_GAME_LINK -Oz)
set(VANTARO_WEB_TEST_LINK -O1)

function(vantaro_web_executable target)
  target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src/app/web_page.cpp
                                   ${CMAKE_SOURCE_DIR}/src/app/web_text.cpp)
  target_compile_definitions(${target} PRIVATE VANTARO_SOUND_FILES="${VANTARO_SOUND_LIST}")
  target_link_libraries(${target} PRIVATE Qt6::GuiPrivate)
  target_link_options(${target} PRIVATE ${VANTARO_WEB_GAME_LINK} "SHELL:-s ASSERTIONS=0")
endfunction()
