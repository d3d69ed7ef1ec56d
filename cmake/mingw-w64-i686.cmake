# Cross build for 32-bit Windows with MinGW-w64. 32-bit Wine is not available on the build
# machines: this build is compiled, not run.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVRIK_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
