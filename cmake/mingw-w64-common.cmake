# Shared part of the mingw-w64 toolchain files; VELLIX_MINGW_PREFIX names the target.
set(CMAKE_C_COMPILER ${VELLIX_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${VELLIX_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${VELLIX_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VELLIX_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# A static build needs no MinGW runtime DLLs beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
