# Shared part of the mingw-w64 toolchain files. TABVANE_MINGW_TRIPLE names the target.
# The -posix compilers are used throughout: the default win32 thread model of gcc 12
# has no std::mutex, and GoogleTest does not build without it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TABVANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TABVANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TABVANE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TABVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
