# Cross build for 64-bit Windows with MinGW-w64; test programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVRIK_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model: its C++ library has std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER ${TAVRIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVRIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVRIK_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
