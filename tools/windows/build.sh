#!/usr/bin/env bash
# Builds mapcatalogue.exe and its tests for 64-bit Windows and runs the tests under Wine:
#
#   bash tools/windows/build.sh [BUILD_DIR]          (BUILD_DIR: build-windows in the checkout)
#
# 1. the dependencies (build_deps.sh: built once into its cache, reused while the script is unchanged);
# 2. the program and the test programs, cross-built with tools/windows/mingw-w64.cmake (RelWithDebInfo, -Werror,
#    through ccache when it is installed);
# 3. CTest under Wine, on a display of its own (Xvfb) with one wineserver for the whole run, in a Wine prefix kept in
#    BUILD_DIR (made on the first run), so that a session of another build is never stopped by this one;
# 4. tools/windows/package.sh BUILD_DIR, when that script exists.
#
# MAPCATALOGUE_JOBS sets the parallel compiles and tests (2). MAPCATALOGUE_WINDOWS_TESTS=0 builds without running
# the tests. CTest's log is BUILD_DIR/Testing/Temporary/LastTest.log.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build-windows}
# Absolute: the Wine prefix inside it must be (Wine refuses a relative WINEPREFIX).
mkdir -p "$build"
build=$(cd "$build" && pwd)
jobs=${MAPCATALOGUE_JOBS:-2}

say() { echo "build.sh: $*"; }

bash "$here/build_deps.sh" >/dev/null

launchers=()
if command -v ccache >/dev/null; then
    launchers=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
say "configuring $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAPCATALOGUE_WERROR=ON "${launchers[@]}" >/dev/null
say "building"
start=$SECONDS
cmake --build "$build" -j "$jobs"
say "built in $((SECONDS - start)) s"

status=0
if [[ ${MAPCATALOGUE_WINDOWS_TESTS:-1} != 0 ]]; then
    export WINEPREFIX=$build/wine
    command -v xvfb-run >/dev/null || { echo "build.sh: xvfb-run is missing (apt-get install xvfb xauth)" >&2; exit 1; }
    say "testing under Wine (prefix $WINEPREFIX)"
    start=$SECONDS
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
        bash "$1/wine_session.sh" start
        status=0
        ctest --test-dir "$2" -j "$3" --output-on-failure || status=$?
        bash "$1/wine_session.sh" stop
        exit $status' bash "$here" "$build" "$jobs" || status=$?
    say "tests under Wine: $((SECONDS - start)) s, status $status"
fi

if [[ -f $here/package.sh ]]; then
    bash "$here/package.sh" "$build"
fi
exit $status
