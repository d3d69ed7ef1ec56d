# What both MinGW-w64 cross builds share; the toolchain file sets TAVRIK_MINGW_PREFIX first.
set(CMAKE_SYSTEM_NAME Windows)
# The posix thread model: its C++ library has std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${TAVRIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRIK_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
