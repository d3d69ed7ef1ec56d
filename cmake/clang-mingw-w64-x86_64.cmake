# Cross build for 64-bit Windows with clang and lld, on MinGW-w64's headers and libraries (those of
# the gcc cross compiler's posix thread model), so a second compiler reads every line.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVRIK_MINGW_PREFIX x86_64-w64-mingw32)
find_program(TAVRIK_CLANG NAMES clang-14 clang REQUIRED)
find_program(TAVRIK_CLANGXX NAMES clang++-14 clang++ REQUIRED)
set(CMAKE_C_COMPILER ${TAVRIK_CLANG})
set(CMAKE_CXX_COMPILER ${TAVRIK_CLANGXX})
set(CMAKE_C_COMPILER_TARGET ${TAVRIK_MINGW_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TAVRIK_MINGW_PREFIX})
set(CMAKE_RC_COMPILER ${TAVRIK_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVRIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not find Debian's MinGW libstdc++ by itself: it lives with the gcc cross compiler.
file(GLOB TAVRIK_MINGW_GCC_DIRS /usr/lib/gcc/${TAVRIK_MINGW_PREFIX}/*-posix)
list(SORT TAVRIK_MINGW_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET TAVRIK_MINGW_GCC_DIRS 0 TAVRIK_MINGW_GCC_DIR)
set(TAVRIK_MINGW_CXX_INCLUDE ${TAVRIK_MINGW_GCC_DIR}/include/c++)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
  ${TAVRIK_MINGW_CXX_INCLUDE} ${TAVRIK_MINGW_CXX_INCLUDE}/${TAVRIK_MINGW_PREFIX} ${TAVRIK_MINGW_CXX_INCLUDE}/backward)
# The posix runtime's thread-local storage needs winpthread; lld takes archives in any order.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${TAVRIK_MINGW_GCC_DIR} -lpthread")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
