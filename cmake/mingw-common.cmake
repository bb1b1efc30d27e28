# Shared part of the MinGW-w64 toolchains: -posix compilers (std::thread and
# std::mutex), static runtime so the outputs import only system DLLs.
set(CMAKE_C_COMPILER ${TORVANE_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TORVANE_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TORVANE_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TORVANE_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
