# Debian's posix-thread MinGW-w64 compilers; the runtime is linked statically
# so every DLL and program runs with nothing beside it.
set(CMAKE_C_COMPILER   ${OPTORA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${OPTORA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${OPTORA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${OPTORA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
