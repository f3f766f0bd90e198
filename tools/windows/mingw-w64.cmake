# CMake toolchain for 64-bit Windows with Debian's mingw-w64 (posix threads), over the dependencies that
# tools/windows/build_deps.sh cross-builds into its cache:
#
#   bash tools/windows/build_deps.sh
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=tools/windows/mingw-w64.cmake
#
# The prefix is the one build_deps.sh of this checkout builds (found from the SHA-256 of the script, as the script
# names it); -DMAPCATALOGUE_WINDOWS_PREFIX=... or the environment variable of that name overrides it. Programs
# built here run under Wine through tools/windows/wine_run.sh, which finds the dependencies' and the compiler's
# DLLs; CTest and gtest_discover_tests use it as the emulator.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_mingw}-windres)

if(NOT MAPCATALOGUE_WINDOWS_PREFIX)
    if(DEFINED ENV{MAPCATALOGUE_WINDOWS_PREFIX})
        set(MAPCATALOGUE_WINDOWS_PREFIX "$ENV{MAPCATALOGUE_WINDOWS_PREFIX}")
    else()
        file(SHA256 "${CMAKE_CURRENT_LIST_DIR}/build_deps.sh" _hash)
        string(SUBSTRING "${_hash}" 0 16 _hash)
        if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
            set(_cache "$ENV{XDG_CACHE_HOME}")
        else()
            set(_cache "$ENV{HOME}/.cache")
        endif()
        set(MAPCATALOGUE_WINDOWS_PREFIX "${_cache}/mapcatalogue/windows-${_hash}/prefix")
    endif()
endif()
if(NOT EXISTS "${MAPCATALOGUE_WINDOWS_PREFIX}/include")
    message(FATAL_ERROR "No Windows dependencies at ${MAPCATALOGUE_WINDOWS_PREFIX}: run bash tools/windows/build_deps.sh")
endif()

set(CMAKE_FIND_ROOT_PATH "${MAPCATALOGUE_WINDOWS_PREFIX}" /usr/${_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config (lcms2, libexif) reads only the prefix's files.
set(ENV{PKG_CONFIG_LIBDIR} "${MAPCATALOGUE_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Qt's host tools (moc, rcc, uic) are Debian's own Qt 6 of the same version.
if(NOT QT_HOST_PATH)
    set(QT_HOST_PATH /usr)
    set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine_run.sh;${MAPCATALOGUE_WINDOWS_PREFIX}")
