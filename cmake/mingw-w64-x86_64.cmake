# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (the posix-threads variant, which
# std::thread and std::mutex need). Used for Rakewright itself and for the Windows dependencies
# that scripts/windows builds.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(RAKEWRIGHT_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${RAKEWRIGHT_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RAKEWRIGHT_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${RAKEWRIGHT_MINGW_TRIPLET}-windres)
set(CMAKE_ASM_NASM_COMPILER nasm)

# Libraries and headers come from the MinGW sysroot and from the Windows prefixes the scripts
# build (Qt, libjpeg-turbo, GoogleTest), given as RAKEWRIGHT_WINDOWS_PREFIXES; programs (moc, rcc,
# nasm) come from the build machine. try_compile runs this file again, so the list is passed on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RAKEWRIGHT_WINDOWS_PREFIXES)
set(CMAKE_FIND_ROOT_PATH /usr/${RAKEWRIGHT_MINGW_TRIPLET} ${RAKEWRIGHT_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and generators run the Windows programs through Wine, by a script that keeps what Wine
# starts beside a program off the caller's output pipes (scripts/windows/wine-run).
get_filename_component(RAKEWRIGHT_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run"
                       ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${RAKEWRIGHT_WINE_RUN})

# One executable without DLLs beside it: the C and C++ runtimes and winpthread linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
