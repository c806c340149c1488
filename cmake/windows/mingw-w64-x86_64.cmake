# CMake toolchain file: cross-compile for 64-bit Windows on Debian with MinGW-w64.
#
# Used both to build the Windows Qt and its dependencies (scripts/windows/toolchain.sh)
# and to build ZEFIRANTE itself:
#
#   cmake -S . -B build-win -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/windows/mingw-w64-x86_64.cmake \
#         -DZEFIRANTE_WIN=/opt/zefirante-win -DQT_HOST_PATH=/usr \
#         -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
#
# ZEFIRANTE_WIN is the folder filled by toolchain.sh (qt6/, deps/); it may also come from the
# environment variable of the same name, and defaults to /opt/zefirante-win.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZEFIRANTE_MINGW_TRIPLET x86_64-w64-mingw32)

if(NOT DEFINED ZEFIRANTE_WIN OR ZEFIRANTE_WIN STREQUAL "")
    if(DEFINED ENV{ZEFIRANTE_WIN} AND NOT "$ENV{ZEFIRANTE_WIN}" STREQUAL "")
        set(ZEFIRANTE_WIN "$ENV{ZEFIRANTE_WIN}")
    else()
        set(ZEFIRANTE_WIN "/opt/zefirante-win")
    endif()
endif()
# try_compile() projects re-read this file without the caller's cache: pass the folder on,
# or they would look for Qt and the libraries somewhere else than the main project.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZEFIRANTE_WIN)

# The -posix compilers: Debian ships two thread models and only the posix one (winpthreads)
# gives std::thread, std::mutex and std::condition_variable, which the program uses.
set(CMAKE_C_COMPILER   ${ZEFIRANTE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEFIRANTE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZEFIRANTE_MINGW_TRIPLET}-windres)
# CMake guesses binutils from the compiler's name, and the "-posix" suffix throws the guess
# off on some CMake versions: name them explicitly.
set(CMAKE_AR      ${ZEFIRANTE_MINGW_TRIPLET}-ar      CACHE FILEPATH "")
set(CMAKE_RANLIB  ${ZEFIRANTE_MINGW_TRIPLET}-ranlib  CACHE FILEPATH "")
set(CMAKE_NM      ${ZEFIRANTE_MINGW_TRIPLET}-nm      CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${ZEFIRANTE_MINGW_TRIPLET}-objdump CACHE FILEPATH "")
set(CMAKE_STRIP   ${ZEFIRANTE_MINGW_TRIPLET}-strip   CACHE FILEPATH "")
set(CMAKE_DLLTOOL ${ZEFIRANTE_MINGW_TRIPLET}-dlltool CACHE FILEPATH "")

# ccache, when present, makes rebuilding the Windows tree much cheaper.
find_program(ZEFIRANTE_CCACHE ccache)
if(ZEFIRANTE_CCACHE AND NOT DEFINED CMAKE_CXX_COMPILER_LAUNCHER)
    set(CMAKE_C_COMPILER_LAUNCHER   ${ZEFIRANTE_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${ZEFIRANTE_CCACHE})
endif()

# Libraries, headers and CMake packages come only from the Windows side: the MinGW sysroot
# (Debian's libz-mingw-w64-dev installs there) and what toolchain.sh built. Programs (moc,
# rcc, uic, pkg-config, perl) come from the host. CMake does not re-root a path that already
# lies under one of these roots, so the same folders can also go into CMAKE_PREFIX_PATH.
list(APPEND CMAKE_FIND_ROOT_PATH
    /usr/${ZEFIRANTE_MINGW_TRIPLET}
    ${ZEFIRANTE_WIN}/qt6
    ${ZEFIRANTE_WIN}/deps)
list(APPEND CMAKE_PREFIX_PATH
    ${ZEFIRANTE_WIN}/qt6
    ${ZEFIRANTE_WIN}/deps)
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
list(REMOVE_DUPLICATES CMAKE_PREFIX_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg_check_modules() must read the Windows .pc files, never the host's (a host libminizip
# would "link" and fail much later). PKG_CONFIG_LIBDIR replaces the default search path.
set(ENV{PKG_CONFIG_LIBDIR}
    "${ZEFIRANTE_WIN}/deps/lib/pkgconfig:${ZEFIRANTE_WIN}/deps/share/pkgconfig:/usr/${ZEFIRANTE_MINGW_TRIPLET}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# A Windows program cannot run here: tell CMake so instead of letting try_run() fail oddly.
# (With wine installed a caller may set CMAKE_CROSSCOMPILING_EMULATOR=wine64 itself.)
