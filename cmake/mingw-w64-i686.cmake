# Cross build for 32-bit Windows with MinGW-w64. It runs only where 32-bit Wine is installed
# (scripts/test with TAVRIK_WINE32=1); elsewhere it is compiled, not run.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVRIK_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
