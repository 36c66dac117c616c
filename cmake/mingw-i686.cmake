# Cross-compile the 32-bit Windows build with MinGW-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(_triple i686-w64-mingw32)

# The -posix variant uses winpthreads, which std::thread and std::mutex need.
find_program(_cxx NAMES ${_triple}-g++-posix ${_triple}-g++ REQUIRED)
find_program(_cc NAMES ${_triple}-gcc-posix ${_triple}-gcc)
set(CMAKE_CXX_COMPILER ${_cxx})
if(_cc)
    set(CMAKE_C_COMPILER ${_cc})
endif()
find_program(CMAKE_RC_COMPILER NAMES ${_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
