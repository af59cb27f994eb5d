# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compiler (the POSIX-threads flavour,
# which std::thread needs). The libraries built by scripts/build-windows-deps are found in
# KELVAR_WINDOWS_DEPS; programs are run under Wine (tests and CMake's own checks alike).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(kelvar_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${kelvar_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${kelvar_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${kelvar_triple}-windres)

set(KELVAR_WINDOWS_DEPS "${CMAKE_CURRENT_LIST_DIR}/../build-windows/deps/prefix"
    CACHE PATH "Where scripts/build-windows-deps installed the Windows libraries")
set(CMAKE_FIND_ROOT_PATH /usr/${kelvar_triple} ${KELVAR_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained program: the compiler's runtime (libgcc, libstdc++, winpthread) is linked
# in, so nothing but the system's own DLLs is needed beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
