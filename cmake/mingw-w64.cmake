# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads, for std::thread and
# std::mutex in Qt). Used for Qt itself and for the game.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VANTARO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTARO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTARO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTARO_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VANTARO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Qt and the game are linked statically. GCC's interprocedural register allocation lets a caller
# rely on which registers its callee leaves alone; with two copies of one template function in
# different objects the linker may keep the other one, and the caller's registers are then
# clobbered (seen as a crash in Qt's random generator). Every object is compiled without it.
set(CMAKE_C_FLAGS_INIT "-fno-ipa-ra")
set(CMAKE_CXX_FLAGS_INIT "-fno-ipa-ra")
