# What the Windows executable carries besides the game: the platform's settings, the game's icon
# drawn in every size the Linux desktop has, and the version Explorer shows. Included for the
# vantaro target only.
target_sources(vantaro PRIVATE ${CMAKE_SOURCE_DIR}/assets/windows/windows.qrc)

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(VANTARO_ICON_SIZES 16 32 48 64 128 256)
set(VANTARO_ICON_PNGS)
foreach(size ${VANTARO_ICON_SIZES})
  list(APPEND VANTARO_ICON_PNGS
       ${CMAKE_SOURCE_DIR}/assets/icons/hicolor/${size}x${size}/apps/vantaro.png)
endforeach()
set(VANTARO_ICO ${CMAKE_BINARY_DIR}/windows/vantaro.ico)
add_custom_command(OUTPUT ${VANTARO_ICO}
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/windows/make_ico.py ${VANTARO_ICO}
          ${VANTARO_ICON_PNGS}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/windows/make_ico.py ${VANTARO_ICON_PNGS} VERBATIM)

configure_file(${CMAKE_SOURCE_DIR}/assets/windows/vantaro.rc.in
               ${CMAKE_BINARY_DIR}/windows/vantaro.rc @ONLY)
target_sources(vantaro PRIVATE ${CMAKE_BINARY_DIR}/windows/vantaro.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/windows/vantaro.rc PROPERTIES
  OBJECT_DEPENDS ${VANTARO_ICO})
