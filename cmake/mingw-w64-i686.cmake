# Cross build for 32-bit Windows with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TAVRIK_MINGW_PREFIX i686-w64-mingw32)
# The posix thread model: its C++ library has std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${TAVRIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRIK_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# 32-bit Wine is not available on the build machines: this build is compiled, not run.
